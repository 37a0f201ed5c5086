// Nested with objects answer innermost first; a with of the object already
// in scope changes nothing; a call's body sees none of its caller's; and
// assignment never goes to a with object.
a = new Object(); a.x = "a.x"; a.y = "a.y"; a.z = "a.z";
b = new Object(); b.y = "b.y";
c = new Object(); c.z = "c.z";
function seen() { return typeof x + "," + y }
y = "global y";
with (a) with (b) with (a) with (c) {
  document.writeln(x + " " + y + " " + z);
  document.writeln(seen());
}
with (a) with (a) with (a) { document.writeln(x); x = "assigned" }
document.writeln(a.x + " / " + x);
with (b) { with (c) { if (true) { for (i = 0; i < 2; i++) { document.writeln(y + z + i) } } } }
// A long chain of withs over the same object; a count of arguments.
text = "o = new Object(); o.k = 1; ";
for (i = 0; i < 2000; i++) text = text + "with (o) ";
eval(text + "k = k + 1");
document.writeln(k);
function count(a) { return count.length }
document.writeln(count(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20) + count(7));
s = "ab"; t = s + s + 1 + s + true + s;
document.writeln(t + " " + s + " " + t.length);
