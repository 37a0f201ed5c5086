var a = new Array();
var i, round, sum = 0;
for (i = 0; i < 40000; i++) a[i] = i % 97;
for (round = 0; round < 20; round++) {
  for (i = 0; i < 40000; i++) sum = sum + a[i];
}
document.write(sum);
