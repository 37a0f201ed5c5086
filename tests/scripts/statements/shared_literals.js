// A literal evaluated again gives its value afresh: whatever was done to
// the value an earlier evaluation gave, through any slot that took it,
// leaves the literal as written.
function counter() {
  var n = 5;
  n++;
  n += 10;
  n *= 2;
  return n;
}
document.writeln("numbers: " + counter() + " " + counter() + " " + counter());

function grow() {
  var s = "ab";
  s += "c";
  s += 1;
  return s;
}
document.writeln("texts: " + grow() + " " + grow());

// One literal into many slots, then each slot changed on its own.
var a = new Array();
var i;
for (i = 0; i < 4; i++) a[i] = 7;
a[1]++;
a[2] += 3;
a[3] = a[3] * 2;
document.writeln("slots: " + a[0] + "," + a[1] + "," + a[2] + "," + a[3]);

var t = new Array();
for (i = 0; i < 3; i++) t[i] = "x";
t[0] += "y";
t[2] += t[0];
document.writeln("text slots: " + t[0] + "," + t[1] + "," + t[2]);

// Decimal, octal and hexadecimal literals and one past 32 bits.
function forms() {
  var d = 2.5, o = 017, h = 0x1F, big = 4294967296;
  d++; o--; h += 1; big += 1;
  return d + " " + o + " " + h + " " + big;
}
document.writeln("forms: " + forms() + " | " + forms());

// Literals of code compiled at run time, again and again.
var k, sum = 0;
for (k = 0; k < 5; k++) sum = sum + eval("3 + " + k);
document.writeln("eval: " + sum);

// A literal in a for ... in or a while condition.
var seen = 0;
while (seen < 3) seen += 1;
document.writeln("while: " + seen);
