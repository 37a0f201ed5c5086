// Recursive fib(25): the early exit as a bare return after the test.
function fib(n) {
  if (n < 2) return n;
  return fib(n - 1) + fib(n - 2);
}
document.write(fib(25));
