// Functions of guards and a closing return that call themselves and each
// other: tree and mutual recursion, recursion deeper than a round and far
// deeper than a C stack would take, missing arguments found as globals,
// globals and the functions themselves changed between calls, a function
// handed in as an argument, and a failure deep inside.
function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }
function even(n) { if (n == 0) return true; return odd(n - 1); }
function odd(n) { if (n == 0) return false; return even(n - 1); }
function ack(m, n) { if (m == 0) return n + 1; if (n == 0) return ack(m - 1, 1); return ack(m - 1, ack(m, n - 1)); }
function depth(n) { if (n == 0) return 0; return depth(n - 1) + 1; }
function picks(n) { return n < 1 ? 0 : ((n % 3 == 0 || n % 5 == 0) ? n + picks(n - 1) : picks(n - 1)); }
function fill(a, b) { if (a < 1) return b; return fill(a - 1) + "."; }
function scaled(n) { if (n < 1) return k; return scaled(n - 1) * 2; }
function apply(f, x) { return f(x) + f(x + 1); }
function square(x) { return x * x; }
function tens(n) { return n * 10; }
function steps(n, tens) { if (n < 1) return tens(1); return steps(n - 1) + tens(n); }
function glue(s, n) { if (n < 1) return s; return glue(s + n, n - 1); }
function gcd(a, b) { if (b == 0) return a; return gcd(b, a - b * Math.floor(a / b)); }
var b = "global b", k = 3;
document.writeln("fib: " + fib(20) + " " + fib(1) + " " + fib(0) + " " + fib(-4) + " " + fib(2.5));
document.writeln("mutual: " + even(41) + " " + odd(41) + " " + even(300));
document.writeln("ack: " + ack(2, 3) + " " + ack(3, 3));
document.writeln("depth: " + depth(40) + " " + depth(700) + " " + depth(6000));
document.writeln("picks: " + picks(100));
document.writeln("missing: " + fill(2, "given") + " " + fill(0, "given"));
var first = scaled(5);
k = 10;
document.writeln("globals: " + first + " " + scaled(5));
document.writeln("handed in: " + apply(square, 3) + " " + apply(fib, 10));
document.writeln("handed in, then missing: " + steps(4, square) + " " + steps(2, tens) + " " + steps(3));
document.writeln("strings: " + glue("", 12) + " " + glue(1, 3));
document.writeln("beside built-ins: " + gcd(1071, 462));
var before = fib(15);
fib = square;
document.writeln("replaced: " + before + " " + fib(15));
var total = 0, i;
for (i = 0; i < 200; i++) total = total + even(i % 50) + depth(i % 20) + ack(1, i % 7);
document.writeln("loop: " + total);
function broken(n) { if (n < 1) return nothing(n); return broken(n - 1) + 1; }
document.writeln("failure: " + broken(30));
