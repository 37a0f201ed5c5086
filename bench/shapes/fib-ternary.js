// Recursive fib(25): one conditional expression returned.
function fib(n) {
  return n < 2 ? n : fib(n - 1) + fib(n - 2);
}
document.write(fib(25));
