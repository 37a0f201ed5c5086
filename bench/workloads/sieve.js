var n = 200000;
var flags = new Array();
var i, j, count = 0;
for (i = 0; i <= n; i++) flags[i] = 1;
for (i = 2; i * i <= n; i++) {
  if (flags[i] == 1) {
    for (j = i * i; j <= n; j = j + i) flags[j] = 0;
  }
}
for (i = 2; i <= n; i++) if (flags[i] == 1) count++;
document.write(count);
