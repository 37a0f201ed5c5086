// Sum of 0..999999 inside a function on var locals, a for loop with i++
// and a body without braces.
function sum(n) {
  var s = 0;
  var i;
  for (i = 0; i < n; i++) s = s + i;
  return s;
}
document.write(sum(1000000));
