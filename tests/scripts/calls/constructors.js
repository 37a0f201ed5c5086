// new runs a script function on a fresh object, which is what new gives,
// whatever the function returns. A plain call of the same function runs
// with the window as this.
function Point(x, y) {
  this.x = x;
  this.y = y;
}
var p = new Point(3, 4);
var q = new Point(5, 6);
document.writeln("p = (" + p.x + ", " + p.y + "), q = (" + q.x + ", " + q.y + ")");
document.writeln("typeof p = " + typeof p + ", text of p = " + p);
function Counter() { this.n = 0; }
var c = new Counter;
c.n++;
document.writeln("new Counter without parentheses: c.n = " + c.n);
function Weird() {
  this.a = 1;
  return 5;
}
var w = new Weird();
document.writeln("new Weird(): typeof = " + typeof w + ", w.a = " + w.a);
document.writeln("Weird() = " + Weird());
function Setter() { this.k = "set on the window"; }
Setter();
document.writeln("after Setter(): k = " + k);
function area() { return this.w * this.h; }
var r = new Object();
r.w = 3;
r.h = 4;
r.area = area;
document.writeln("r.area() = " + r.area());
var s = new String("abc");
document.writeln("new String('abc'): " + s + ", length " + s.length + ", typeof " + typeof s);
var o = new Object;
o.made = "yes";
document.writeln("new Object: o.made = " + o.made);
function Node(v, next) {
  this.v = v;
  this.next = next;
}
var list = new Node(1, new Node(2, new Node(3, null)));
var sum = 0;
var n = list;
while (n != null) {
  sum += n.v;
  n = n.next;
}
document.writeln("sum over the list = " + sum);
p.x + q.y
