// Declarations are bound only when a script starts: a function declared
// in the text of eval is never bound, so calling it fails.
eval("function fromEval() { return 1; }");
document.writeln("typeof fromEval = " + typeof fromEval);
fromEval();
document.writeln("not reached");
