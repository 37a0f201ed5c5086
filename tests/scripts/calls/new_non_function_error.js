// new needs a function: a number is refused.
var x = 5;
document.writeln("before");
var y = new x;
document.writeln("not reached");
