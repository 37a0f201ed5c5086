// Members can be read from objects, strings, numbers and functions; a
// boolean has none, and reading one stops the run.
var flag = true;
document.writeln("before");
document.writeln(flag.x);
document.writeln("not reached");
