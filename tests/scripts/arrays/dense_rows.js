// Arrays filled in order, then used every other way: the elements read and
// stored by number, then walked, searched by text, sorted, reversed and
// extended, must show the slots, the order and the length they always had.
function names(a) {
  var out = "", k;
  for (k in a) out = out + k + " ";
  return out;
}
var i;

// Filled in order, stored over and read back, then a named member after
// the elements: for ... in gives the elements first.
var a = new Array();
for (i = 0; i < 6; i++) a[i] = i * 10;
a[2] = a[2] + 1;
a[3] += 5;
a[4]++;
--a[5];
document.writeln("row: " + a.join(",") + " length " + a.length + " post " + a[0]++ + " " + a[0]);
a.x = "named";
a[6] = "six";
document.writeln("walk: " + names(a) + "| " + a[6] + " " + a.x + " length " + a.length);

// A named member first, then the elements: the member stays first.
var b = new Array();
b.first = 1;
for (i = 0; i < 3; i++) b[i] = "b" + i;
document.writeln("member first: " + names(b) + "| " + b.join("/"));

// Text keys find the elements made by number, and the reverse.
var c = new Array();
for (i = 0; i < 4; i++) c[i] = "c" + i;
document.writeln("text keys: " + c["2"] + " " + c["02"] + " " + c[2.9] + " " + c[-1] + " " + c[4]);
c["1"] = "one";
c["4"] = "four";
document.writeln("after text stores: " + c.join(",") + " length " + c.length + " | " + names(c));

// Reading past the end, below 0 and far away changes nothing.
var d = new Array();
for (i = 0; i < 3; i++) d[i] = i;
var missing = d[3] + "|" + d[1000] + "|" + d[-5];
document.writeln("reads: " + missing + " length " + d.length + " | " + names(d));
// A gap: the next store lands past the end.
d[5] = "gap";
d[3] = "filled";
document.writeln("gap: " + names(d) + "| " + d.join(",") + " length " + d.length);

// Sorted and reversed after an in-order fill.
var e = new Array();
for (i = 0; i < 12; i++) e[i] = 12 - i;
e.sort();
document.writeln("sorted: " + e.join(",") + " | " + e[0] + " " + e[11] + " | " + names(e));
var f = new Array();
for (i = 0; i < 5; i++) f[i] = "f" + i;
f.reverse();
f[5] = "f5";
document.writeln("reversed: " + f.join(",") + " | " + f[0] + " " + names(f));

// The constructor's forms, then stores and walks.
var g = new Array(3);
g[1] = "mid";
document.writeln("counted: " + g.length + " " + g[0] + " " + g[1] + " " + names(g));
var h = new Array("x", "y");
h[2] = "z";
document.writeln("listed: " + h.join("") + " " + h.length + " " + names(h));
var z = new Array(0);
z[0] = "zero";
document.writeln("empty: " + z.length + " " + z[0]);

// split's arrays, indexed, walked and joined.
var parts = "p,q,,r".split(",");
parts[4] = "s";
document.writeln("split: " + parts.length + " " + parts[2] + "|" + parts[3] + " " + names(parts) + parts.join("+"));

// with over an array, and objects held as elements.
var w = new Array();
for (i = 0; i < 3; i++) w[i] = new Array();
w[1][0] = "inner";
with (w) document.writeln("with: " + length + " " + w[1][0] + " " + w[1].length);
var held = w[1];
w[1] = 0;
document.writeln("held: " + held[0] + " " + w.join(","));

// A long in-order fill, summed, then walked once.
var big = new Array();
for (i = 0; i < 3000; i++) big[i] = i % 7;
var sum = 0;
for (i = 0; i < 3000; i++) sum = sum + big[i];
var walked = 0, k;
for (k in big) walked++;
document.writeln("big: " + sum + " " + walked + " " + big.length + " " + big[2999]);
