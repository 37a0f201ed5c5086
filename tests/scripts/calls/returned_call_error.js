// A run-time error inside a returned expression that holds calls stops the
// script where the frames stop it.
function down(n) { if (n == 0) return 0; return down(n - 1) + 1; }
function broken(n) { if (n == 0) return missing(n); return broken(n - 1) + down(3); }
document.writeln("before: " + down(5));
document.writeln("broken: " + broken(30));
document.writeln("not reached");
