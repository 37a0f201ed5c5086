// Recursive fib(25): the sum goes through a var temporary before the return.
function fib(n) {
  if (n < 2) return n;
  var r = fib(n - 1) + fib(n - 2);
  return r;
}
document.write(fib(25));
