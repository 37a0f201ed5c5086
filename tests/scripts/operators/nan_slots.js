// A slot that holds a NaN keeps it whatever is assigned, also when another
// slot holds the same NaN; slots that never held it take what they are given.
var a = 0 / 0;
var b = a;
b = 5;
a = 7;
var c = b;
c += 2;
document.writeln("after assignments: " + a + " " + b + " " + c);
var list = new Array();
var i;
for (i = 0; i < 3; i++) list[i] = a;
list[1] = 1;
list[2]++;
document.writeln("elements: " + list[0] + " " + list[1] + " " + list[2]);
var d = 4;
d = Math.sqrt(-1);
d = 3;
document.writeln("made NaN later: " + d);
