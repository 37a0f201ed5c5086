// Sum of 0..999999 inside a function on var locals, the counter stepped
// with i = i + 1.
function sum(n) {
  var s = 0;
  var i;
  for (i = 0; i < n; i = i + 1) s = s + i;
  return s;
}
document.write(sum(1000000));
