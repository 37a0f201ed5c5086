// Inside a method the properties of this are in scope as plain names:
// they are read after the locals and arguments, and an assignment to a
// name this already has goes to this. A name this lacks goes to the
// window as usual.
function getX() { return x; }
function setX(v) { x = v; }
function setW() { w = "w set"; }
var o = new Object();
o.x = "o's x";
o.getX = getX;
o.setX = setX;
o.setW = setW;
var x = "global x";
document.writeln("o.getX() = " + o.getX());
document.writeln("getX() = " + getX());
o.setX("changed");
document.writeln("after o.setX: o.x = " + o.x + ", x = " + x);
o.setW();
document.writeln("after o.setW: o.w = " + o.w + ", w = " + w);
function whoAmI() { return this == o; }
o.whoAmI = whoAmI;
document.writeln("o.whoAmI() = " + o.whoAmI() + ", whoAmI() = " + whoAmI());
function topThis() { return this == window; }
document.writeln("this is the window in a plain call: " + topThis());
document.writeln("this at the top level is the window: " + (this == window));
o.x
