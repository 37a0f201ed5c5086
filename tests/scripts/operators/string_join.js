// + joins as soon as either operand is a string; the other operand is
// written out as its text (a NaN as NaN, an object as object, a script
// function as its header).
var o = new Object();
function f(a, b) { return a; }
function nothing() { }
var u = nothing();
document.writeln("'a' + 1 = " + ("a" + 1));
document.writeln("1 + 'a' = " + (1 + "a"));
document.writeln("1 + 2 + '3' = " + (1 + 2 + "3"));
document.writeln("'3' + 1 + 2 = " + ("3" + 1 + 2));
document.writeln("'x' + true = " + ("x" + true));
document.writeln("'x' + null = " + ("x" + null));
document.writeln("'x' + missing = " + ("x" + missing));
document.writeln("'x' + o = " + ("x" + o));
document.writeln("'x' + f = " + ("x" + f));
document.writeln("'x' + Math.max = " + ("x" + Math.max));
document.writeln("'x' + u = " + ("x" + u));
document.writeln("'x' + 1.5 = " + ("x" + 1.5));
document.writeln("'x' + 1 / 0 = " + ("x" + 1 / 0));
document.writeln("1 / 0 + 'x' = " + (1 / 0 + "x"));
document.writeln("'' + 0.1 = " + ("" + 0.1));
document.writeln("'con' + 'cat' = " + ("con" + "cat"));
document.writeln("'' + '' = [" + ("" + "") + "]");
document.writeln("true + 'x' = " + (true + "x"));
"a" + "b" + 3
