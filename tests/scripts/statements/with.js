// with puts an object first in line when names are read; assignments
// never go to it.
var o = new Object();
o.x = "o's x";
o.y = 2;
var x = "global x";
with (o) {
  document.writeln("x inside with = " + x);
}
with (o) {
  x = "assigned inside with";
}
document.writeln("after assignment: o.x = " + o.x + ", x = " + x);
with (o) {
  z = y * 10;
}
document.writeln("z = " + z + ", o.z = " + o.z);
var p = new Object();
p.x = "p's x";
with (o) {
  with (p) {
    document.writeln("nested: " + x + " / " + y);
  }
}
var y = "global y";
function readY() { return y; }
function isThis(obj) { return this == obj; }
var other = new Object();
other.readY = readY;
var r;
var r2;
var same;
with (o) {
  r = readY();
  r2 = other.readY();
  same = isThis(o);
}
// A plain call made inside with runs with the with object as this, so
// its names are found there; a method call runs on its own object and
// does not see the with object at all.
document.writeln("plain call inside with: " + r + ", this is the with object: " + same);
document.writeln("method call inside with: " + r2);
with (document) {
  write("write found on the document\n");
}
var m;
with (Math) {
  m = PI + " " + E;
}
document.writeln("with (Math): " + m);
with (o) y
