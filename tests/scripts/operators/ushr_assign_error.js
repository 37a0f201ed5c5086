// >>>= has no handler in the interpreter either: the run ends there.
var x = 64;
document.writeln("x >>> 1 = " + (x >>> 1));
x >>>= 1;
document.writeln("not reached");
