// Arguments are bound by the names of the parameters. A parameter that
// was not passed is not bound at all, so its name reads the global of
// that name; extra arguments have no name and are reached through
// f.arguments, which is the function itself while it runs.
var b = "global b";
function f(a, b) {
  return "a=" + a + " b=" + b + " length=" + f.length + " third=" + f.arguments[2];
}
document.writeln("f(1, 2, 3): " + f(1, 2, 3));
document.writeln("f(1): " + f(1));
function g() { return g.arguments == g; }
document.writeln("g.arguments == g: " + g());
function one(a) { return one.arguments[1]; }
document.writeln("one('x', 'y') = " + one("x", "y"));
function pick(i) { return pick.arguments[i]; }
document.writeln("pick(1, 'one', 'two') = " + pick(1, "one", "two"));
function pick2(i) { return pick2.arguments[i + 1]; }
document.writeln("pick2(0, 'a', 'b') = " + pick2(0, "a", "b"));
function count() { return count.length; }
document.writeln("count() = " + count() + ", count(7, 8) = " + count(7, 8));
var a = "global a";
function callee() { return a; }
function caller(a) { return callee(); }
document.writeln("caller('param') = " + caller("param"));
function inc(n) { n = n + 1; return n; }
inc(4)
