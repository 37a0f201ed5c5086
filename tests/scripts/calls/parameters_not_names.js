// Bodies that only compute, whose parameter lists hold something other
// than a name: the odd parameter binds no name, so its argument is never
// found, and the name is looked up as a global.
function sum(n, ~acc) { if (n == 0) return acc; return sum(n - 1, acc + n); }
function first(~a, b) { if (b < 1) return a; return first(b, b - 1) + 1; }
function caller(n) { return sum(n, 10) + " " + first(1, n); }
var acc = "global";
document.writeln("sum: " + sum(3, 1) + " " + sum(0, 7));
document.writeln("first: " + first(5, 2));
document.writeln("caller: " + caller(2));
