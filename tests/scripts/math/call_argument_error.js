// A run-time error in the argument of a built-in called inside an
// expression stops the run with the argument's report.
var total = 2 + Math.floor(1.5);
document.writeln("before: " + total);
total = total + Math.max(3, Math.abs(missing.part)) * 2;
document.writeln("never");
