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
function fib(n) {
  if (n < 2) return n;
  return fib(n - 1) + fib(n - 2);
}
document.writeln("fib(15) = " + fib(15));
function isEven(n) {
  if (n == 0) return true;
  return isOdd(n - 1);
}
function isOdd(n) {
  if (n == 0) return false;
  return isEven(n - 1);
}
document.writeln("isEven(1001) = " + isEven(1001));
function build(n) {
  if (n == 0) return "";
  return build(n - 1) + (n % 10);
}
document.writeln("build(25) = " + build(25));
depth(5000)
