// Bodies that begin with `if (...) return ...;`: each guard is tried in
// turn, a taken one ends the call with its value, and a body whose guards
// all fail goes on with its next statement in the same scope.
function fib(n) {
  if (n < 2) return n;
  return fib(n - 1) + fib(n - 2);
}
document.writeln("fib: " + fib(15));

function size(x) {
  if (x > 100) return "big";
  if (x > 10) return "mid";
  if (x < 0) return "negative";
  return "small";
}
document.writeln("sizes: " + size(500) + " " + size(50) + " " + size(-3) + " " + size(5));

// A guard reads the names of the scope the body is in: parameters, this,
// and a var met only later in the body.
var q = "global";
function late(a) {
  if (a) return q;
  var q = "local";
  return q;
}
document.writeln("var after a guard: " + late(1) + " " + late(0));

function Box(v) { this.v = v; }
function larger(x) {
  if (this.v > x) return this.v;
  return x;
}
var box = new Box(7);
box.larger = larger;
document.writeln("this: " + box.larger(3) + " " + box.larger(30));

function sum(a, b) {
  if (b) return a + b;
  return a;
}
document.writeln("missing argument: " + sum(1) + " " + sum(1, 2));

// A condition with effects runs once per call; a guard without a value.
var calls = 0;
function count(limit) {
  if ((calls = calls + 1) > limit) return "stop at " + calls;
  if (calls == 2) return;
  var more = count(limit);
  return more;
}
document.writeln("effects: " + count(4) + " / " + calls + " / " + count(0));

// Guards whose function is called from a loop and from inside a guard.
function even(n) {
  if (n == 0) return true;
  return odd(n - 1);
}
function odd(n) {
  if (n == 0) return false;
  return even(n - 1);
}
var i, line = "";
for (i = 0; i < 6; i++) line = line + (even(i) ? "e" : "o");
document.writeln("parity: " + line);
