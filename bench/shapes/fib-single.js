// Recursive fib(25): a single exit, both branches assign the result.
function fib(n) {
  var r;
  if (n < 2) r = n;
  else r = fib(n - 1) + fib(n - 2);
  return r;
}
document.write(fib(25));
