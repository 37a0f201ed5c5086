// A for loop needs a condition that gives a value: an empty one gives
// nothing, and the run stops before the body runs once.
document.writeln("before");
var i;
for (i = 0; ; i++) {
  document.writeln("body ran");
  if (i > 2) break;
}
document.writeln("not reached");
