// Numbers kept by array elements: stored, shared with variables, changed
// in place by the operators, turned to NaN and back, joined, compared,
// sorted and walked, they must read as the slots always read them.
function names(a) {
  var out = "", k;
  for (k in a) out = out + k + "=" + a[k] + " ";
  return out;
}
var i;
// Element numbers held in variables: a subscript written as a literal is
// looked up by its text, which gives an array its slots at once.
var k0 = 0, k1 = 1, k2 = 2, k3 = 3, k4 = 4, k5 = 5;

// A number shared by a variable and an element: each changes alone.
var a = new Array();
var x = 2.5;
a[k0] = x;
a[k1] = x;
a[k0] += 1;
a[k1]++;
x = x * 2;
document.writeln("shared: " + x + " " + a[k0] + " " + a[k1] + " " + a.join(","));

// Compound operators and their answers.
var b = new Array();
for (i = 0; i < 6; i++) b[i] = i + 0.5;
var q0 = b[k0] += 2;
var q1 = b[k1] -= 3;
var q2 = b[k2] *= 4;
var q3 = b[k3] /= 2;
document.writeln("operators: " + q0 + "|" + q1 + "|" + q2 + "|" + q3 + "|" + b[k4]++ + "|" + --b[k5] + " -> " + b.join(","));
var bits = new Array();
for (i = 0; i < 4; i++) bits[i] = i + 8;
bits[k0] &= 3;
bits[k1] |= 4;
bits[k2] ^= 15;
bits[k3] <<= 2;
document.writeln("bits: " + bits.join(","));

// An element that holds a NaN keeps it, whatever is stored over it.
var n = new Array();
n[k0] = 1;
n[k1] = 2;
n[k0] = 0 / 0;
n[k0] = 5;
n[k0] = k5 * 2;
n[k0] += 1;
n[k1] = "7" * "x";
n[k1] = 3;
document.writeln("nan: " + n[k0] + " " + n[k1] + " " + isNaN(n[k0]) + " " + n.join("|"));

// Numbers, texts and booleans side by side, then texts over numbers.
var m = new Array();
m[k0] = 1;
m[k1] = "one";
m[k2] = true;
m[k3] = 1e21;
m[k4] = -0.000001;
m[k1] = 2;
m[k0] = "text";
m[k2] += 1;
document.writeln("mixed: " + m.join(",") + " " + (m[k1] == 2) + " " + (m[k3] > 1e20) + " " + (m[k0] + m[k1]));

// A number read out and changed does not change the element.
var r = new Array();
r[k0] = 10;
var got = r[k0];
got++;
var sum = r[k0] + r[k0];
document.writeln("read: " + got + " " + r[k0] + " " + sum + " " + (r[k0] == 10));

// An element joined to a text, then a number again.
var t = new Array();
t[k0] = 4;
t[k0] += "2";
t[k0] = t[k0] - 1;
document.writeln("joined: " + t[k0] + " " + (t[k0] == 41));

// Sorted as texts, then walked, after number fills.
var s = new Array();
for (i = 0; i < 10; i++) s[i] = (i * 7) % 10 + 0.25;
s.sort();
document.writeln("sorted: " + s.join(" ") + " | " + names(s));

// A long row of numbers summed, changed in place and walked once.
var big = new Array();
for (i = 0; i < 5000; i++) big[i] = i * 0.5;
for (i = 0; i < 5000; i = i + 2) big[i] += 1;
var total = 0;
for (i = 0; i < 5000; i++) total = total + big[i];
var count = 0, k;
for (k in big) count++;
document.writeln("big: " + total + " " + count + " " + big[4999] + " " + big[4998] + " " + big.length);

// Elements as values of other elements and as arguments.
function twice(v) { return v * 2; }
var p = new Array();
for (i = 0; i < 3; i++) p[i] = i + 1;
p[k3] = p[k0] + p[k1] * p[k2];
p[k0] = twice(p[k3]);
document.writeln("values: " + p.join(",") + " " + twice(p[k2]));

// The same row reached by literal subscripts afterwards: its slots.
var late = new Array();
for (i = 0; i < 4; i++) late[i] = i * 1.5;
late[1] = late[2] + late[3];
document.writeln("literal: " + late[0] + " " + late[1] + " " + names(late) + late.length);
