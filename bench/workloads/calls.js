function mix(a, b, c, d) { return (a * 3 + b * 5 + c * 7 + d) % 10007; }
var i, acc = 1;
for (i = 0; i < 400000; i++) {
  acc = mix(acc, i, i + 1, 4);
}
document.write(acc);
