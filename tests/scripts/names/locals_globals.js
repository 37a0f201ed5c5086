// Inside a function, var makes a local that hides a global of the same
// name, also a parameter. A var list inside a function is different: its
// names are declared like assignments, so names that are not already
// locals or parameters end up on the window.
var g = "global";
function withVar() { var g = "local"; return g; }
document.writeln("withVar() = " + withVar() + ", g = " + g);
function noVar() { g2 = "made in a function"; return g2; }
noVar();
document.writeln("g2 = " + g2);
function single() { var only = 3; return only; }
document.writeln("single() = " + single() + ", only = " + only);
function listVar() { var m = 1, n = 2; return m + n; }
document.writeln("listVar() = " + listVar() + ", m = " + m + ", n = " + n);
function counter() {
  var t = 1;
  t = t + 1;
  t += 10;
  return t;
}
document.writeln("counter() = " + counter() + ", t = " + t);
function assignParam(p) { p = p * 2; return p; }
document.writeln("assignParam(21) = " + assignParam(21) + ", p = " + p);
var shared = "outer";
function readGlobal() { return shared; }
function hideAndCall() { var shared = "hidden"; return readGlobal(); }
document.writeln("hideAndCall() = " + hideAndCall());
g
