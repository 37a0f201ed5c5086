// join puts the separator after every element, the last one too.
a = new Array(1, 2, 3);
document.writeln(a.join(",") + " " + a.join() + " " + a.join("") + " " + a.length);
// reverse and sort move slots, which keep their names: the order shows in
// join and for-in, while a[0] still finds the slot named 0.
b = new Array("a", "b", "c");
document.writeln(b.reverse() + "|" + b.join("-") + "|" + b[0]);
names = "";
for (k in b) names = names + k + "=" + b[k] + " ";
document.writeln(names);
// sort compares texts byte by byte; a comparison function is ignored.
c = new Array(10, 9, 1, "B", "a");
c.sort();
document.writeln(c.join(","));
function down(x, y) { return y - x; }
d = new Array(3, 1, 2);
d.sort(down);
document.writeln(d.join(","));
// The constructor: one argument is a count (cut to 16 bits), more are elements.
z = new Array(0); m = new Array(-1); w = new Array(65536); v = new Array(70000);
document.writeln(z.length + " " + m.length + " " + w.length + " " + v.length);
e = new Array(2.9);
document.writeln(e.length + " [" + e.join(",") + "]");
// A text argument counts as its number; called without new it is the same.
t3 = new Array("3"); tx = new Array("x"); two = Array(1, 2); mixed = new Array(1, "b", true, null);
document.writeln(t3.length + " " + tx.length + " " + two.length + " " + two.join("+") + " " + mixed.join(" "));
// Storing past the end grows length, but only one slot exists.
f = new Array(); g = new Array(3);
document.writeln(f.length + " [" + f.join(",") + "] " + g.length + " " + g.join("-"));
f[10] = "x";
document.writeln(f.length + " " + f.join(";"));
// Assigning to length makes an ordinary slot; length still reads the count.
f.length = 5;
document.writeln(f.length);
// Methods of arrays need an array as this.
o = new Object();
o.j = a.join;
document.writeln(typeof o.j(","));
