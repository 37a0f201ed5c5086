// Long runs: the host resumes the script each time its step budget is
// used up, which the script cannot notice; loops run to the end and every
// variable keeps its value across the pauses.
var total = 0;
var i;
for (i = 0; i < 5000; i++) total += i;
document.writeln("sum of 0..4999 = " + total);
var n = 0;
while (n < 3000) { n++; }
document.writeln("n = " + n);
var s = "";
for (i = 0; i < 1000; i++) s += "x";
document.writeln("s.length = " + s.length);
var o = new Object();
var names = "";
for (i = 0; i < 300; i++) o["p" + i] = i;
var count = 0;
var p;
for (p in o) count += o[p];
document.writeln("sum over 300 properties = " + count + ", last = " + p);
i
