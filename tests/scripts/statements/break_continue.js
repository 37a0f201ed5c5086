// break leaves the innermost loop, however deep in blocks it sits;
// continue goes on with the next round (for a for loop, its step first).
var i = 0;
var out = "";
while (i < 6) {
  i++;
  if (i % 2 == 0) continue;
  out += i;
}
document.writeln("odd numbers: " + out);
out = "";
for (i = 0; i < 10; i++) {
  if (i == 3) {
    {
      break;
    }
  }
  out += i;
}
document.writeln("break in nested blocks: " + out + ", i = " + i);
out = "";
var j;
for (i = 0; i < 3; i++) {
  for (j = 0; j < 3; j++) {
    if (j == 1) break;
    out += i + "" + j + " ";
  }
}
document.writeln("inner break: " + out);
out = "";
for (i = 0; i < 5; i++) {
  if (i == 2) continue;
  out += i;
}
document.writeln("continue runs the step: " + out);
var o = new Object();
o.x = 1;
o.y = 2;
o.z = 3;
out = "";
var p;
var q;
for (p in o) {
  for (q in o) {
    if (q == "y") break;
    out += p + q + " ";
  }
}
document.writeln("break in inner for-in: " + out);
out = "";
for (p in o) {
  if (p == "y") continue;
  out += p;
}
document.writeln("continue in for-in: " + out);
i = 0;
while (true) {
  i++;
  if (i > 4) break;
}
document.writeln("while (true) left at i = " + i);
i
