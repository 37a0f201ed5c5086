// The arguments of a call can be walked by position through
// f.arguments, f.length giving their count.
function sum() {
  var t = 0;
  var i;
  for (i = 0; i < sum.length; i++) t += sum.arguments[i];
  return t;
}
document.writeln("sum() = " + sum());
document.writeln("sum(1, 2, 3, 4) = " + sum(1, 2, 3, 4));
function joinAll(sep) {
  var s = "";
  var i;
  for (i = 1; i < joinAll.length; i++) s += joinAll.arguments[i] + sep;
  return s;
}
document.writeln("joinAll('-', 'a', 'b', 'c') = " + joinAll("-", "a", "b", "c"));
function describe(a, b) {
  return describe.length + " argument(s), first " + describe.arguments[0] + ", a = " + a + ", b = " + b;
}
document.writeln(describe("x"));
document.writeln(describe("x", "y", "z"));
function second() { return second.arguments[1]; }
document.writeln("second(1, 'two', 3) = " + second(1, "two", 3));
function expr(a) { return a; }
document.writeln("expr(2 * 3 + 1) = " + expr(2 * 3 + 1));
function nested(a, b) { return a + "/" + b; }
nested(expr("p"), nested("q", "r"))
