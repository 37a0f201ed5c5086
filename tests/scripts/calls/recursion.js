// Calls nest without a limit of their own: each level only takes frames
// from the pool, so deep recursion works.
function depth(n) {
  if (n == 0) return 0;
  return 1 + depth(n - 1);
}
document.writeln("depth(2000) = " + depth(2000));
function fact(n) {
  if (n <= 1) return 1;
  return n * fact(n - 1);
}
document.writeln("fact(10) = " + fact(10));
document.writeln("fact(20) = " + fact(20));
depth(5000)
