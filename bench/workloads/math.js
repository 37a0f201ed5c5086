var i, acc = 0;
for (i = 1; i < 300000; i++) {
  acc = acc + Math.floor(Math.sqrt(i) * 10) + Math.round(Math.sin(i) * 5) + Math.abs(Math.max(i % 7, 3) - 9);
}
document.write(acc);
