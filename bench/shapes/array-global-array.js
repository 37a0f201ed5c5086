// 100 passes over a 1,000-element array, each element read and written
// (200,000 accesses): the array is a global, the index a function local,
// the length read once.
var a = new Array();
function run() {
  var i, p;
  for (i = 0; i < 1000; i++) a[i] = i;
  var n = a.length;
  for (p = 0; p < 100; p++) {
    for (i = 0; i < n; i++) a[i] = a[i] + p;
  }
  var sum = 0;
  for (i = 0; i < n; i++) sum = sum + a[i];
  return sum;
}
document.write(run());
