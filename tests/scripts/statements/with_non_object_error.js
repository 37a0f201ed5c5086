// with needs an object: a number is refused and the run stops.
var n = 5;
document.writeln("before");
with (n) {
  document.writeln("not reached");
}
