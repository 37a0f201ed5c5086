// var at the top level: a new name starts as null, a name that already
// exists keeps its value, and an initialiser is an ordinary assignment.
var a;
document.writeln("var a: a = " + a + " (" + typeof a + ")");
var b = 5;
document.writeln("var b = 5: b = " + b);
var c = 1, d, e = c + 1;
document.writeln("var c = 1, d, e = c + 1: " + c + " " + d + " " + e);
f = "kept";
var f;
document.writeln("f = 'kept'; var f: f = " + f);
g = 1;
var g = 2;
document.writeln("g = 1; var g = 2: g = " + g);
var h, h2;
document.writeln("var h, h2: " + h + " " + h2);
document.writeln("window.b = " + window.b);
var last = 7
