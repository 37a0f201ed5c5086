// eval compiles its text and runs it as the body of its own call: the
// text sees the globals but not the locals of the function that calls
// eval, a var in it makes a local of that call only, and a plain
// assignment reaches the window. Its value is the value of the text's
// last statement. A text that does not compile gives nothing and reports
// nothing.
document.writeln("eval('1 + 2') = " + eval("1 + 2"));
document.writeln("eval(\"'s' + 1\") = " + eval("'s' + 1"));
document.writeln("eval(5) = " + eval(5));
document.writeln("eval('evx = 40; evx + 2') = " + eval("evx = 40; evx + 2") + ", evx = " + evx);
function local(a) {
  var b = 2;
  return eval("a * 10 + b");
}
var a = 1;
var b = 3;
document.writeln("eval inside a function reads the globals: " + local(4));
function declares() {
  eval("var hidden = 'local'");
  return hidden;
}
document.writeln("var inside eval: " + declares() + ", global hidden = " + hidden);
document.writeln("nested eval = " + eval("eval('7 * 6')"));
document.writeln("window.eval('2 + 2') = " + window.eval("2 + 2"));
eval(")");
document.writeln("still running after a text that does not compile");
eval("var fromEval = 'kept'");
document.writeln("fromEval = " + fromEval);
eval("if (fromEval == 'kept') 'then'; else 'else'")
