// A run-time error inside a guard's condition stops the run with its report.
function check(a) {
  if (a.b.c) return 1;
  return 2;
}
document.writeln("before");
document.writeln(check(5));
document.writeln("never");
