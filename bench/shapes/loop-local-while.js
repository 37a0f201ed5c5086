// Sum of 0..999999 inside a function on var locals, a while loop.
function sum(n) {
  var s = 0;
  var i = 0;
  while (i < n) {
    s = s + i;
    i++;
  }
  return s;
}
document.write(sum(1000000));
