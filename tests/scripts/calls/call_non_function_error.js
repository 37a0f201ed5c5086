// Only functions can be called; a variable holding a number cannot.
var n = 5;
document.writeln("before");
n(1, "two");
document.writeln("not reached");
