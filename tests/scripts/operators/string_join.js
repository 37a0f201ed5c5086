// + joins as soon as either operand is a string; the other operand is
// written out as its text (a NaN as NaN, an object as object, a script
// function as its header).
var o = new Object();
function f(a, b) { return a; }
function nothing() { }
var u = nothing();
document.writeln(("a" + 1) + " " + (1 + "a") + " " + (1 + 2 + "3") + " " + ("3" + 1 + 2));
document.writeln(("x" + true) + " " + ("x" + null) + " " + ("x" + missing) + " " + ("x" + o));
document.writeln(("x" + f) + " " + ("x" + Math.max) + " " + ("x" + u) + " " + ("x" + 1.5));
document.writeln(("x" + 1 / 0) + " " + (1 / 0 + "x") + " " + ("" + 0.1) + " " + ("con" + "cat"));
document.writeln("'' + '' = [" + ("" + "") + "]");
document.writeln("true + 'x' = " + (true + "x"));
"a" + "b" + 3
