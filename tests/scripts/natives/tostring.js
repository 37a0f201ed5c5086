// toString gives the text of its object. document.write and writeln are
// the only places where an object's own script toString is used: a join
// with + or a dialog writes plain "object". A method called on the
// window runs without a this, so the window's toString gives nothing.
var o = new Object();
document.writeln("o.toString() = " + o.toString());
function named(a, b) { return a; }
document.writeln("named.toString() = " + named.toString());
document.writeln("'' + named = " + named);
var n = 42;
document.writeln("n.toString() = " + n.toString() + " (" + typeof n.toString() + ")");
var s = "text";
document.writeln("s.toString() = " + s.toString());
document.writeln("'' + Math.max = " + Math.max);
document.writeln("'' + new Array(1, 2) = " + new Array(1, 2));
document.writeln("typeof window.toString() = " + typeof window.toString());
document.writeln("document.toString() = " + document.toString());
function custom() { return "custom:" + this.tag; }
var t = new Object();
t.tag = "T";
t.toString = custom;
document.write("written: ", t, "\n");
document.writeln(t);
document.writeln("joined: " + t);
document.writeln("called: " + t.toString());
t.toString()
