// Names and members that do not exist read as null without any error;
// assigning to an unknown name makes it a property of the window.
var o = new Object();
var a = new Array();
document.writeln(nothing + " " + typeof nothing + " " + (nothing == null) + " " + o.absent);
document.writeln(o["absent"] + " " + a[5]);
function reads() { return notDeclaredAnywhere; }
document.writeln("read inside a function = " + reads());
created = 1;
document.writeln("created = 1: window.created = " + window.created);
function makes() { madeInside = "made"; }
makes();
document.writeln("assigned inside a function: madeInside = " + madeInside + ", window.madeInside = " + window.madeInside);
document.writeln("'abc'.length = " + "abc".length);
var s = "hello";
document.writeln(s.length + " " + s.nothing);
nothing
