// %= has no handler in the interpreter: reaching it ends the run at once,
// before its right-hand side is evaluated.
var x = 7;
function side() { document.writeln("right-hand side evaluated"); return 2; }
document.writeln("before");
x %= side();
document.writeln("not reached");
