// Sum of 0..999999 inside a function on var locals, compound assignments:
// i += 1 and s += i.
function sum(n) {
  var s = 0;
  var i;
  for (i = 0; i < n; i += 1) s += i;
  return s;
}
document.write(sum(1000000));
