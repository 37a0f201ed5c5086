var sum = 0;
var i;
for (i = 0; i < 1000000; i++) {
  sum = (sum + i * 7) % 1000003;
}
document.write(sum);
