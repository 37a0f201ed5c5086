// fib(30): 1.6 million calls of a plain recursive function.
function fib(n) {
  if (n < 2) return n;
  return fib(n - 1) + fib(n - 2);
}
document.write(fib(30));
