// Calling a member that does not exist stops the run.
var o = new Object();
document.writeln("before");
o.nothing();
document.writeln("not reached");
