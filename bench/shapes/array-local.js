// 100 passes over a 1,000-element array, each element read and written
// (200,000 accesses), inside a function: the array and the index are var
// locals, a.length read on every round.
function run() {
  var a = new Array();
  var i, p;
  for (i = 0; i < 1000; i++) a[i] = i;
  for (p = 0; p < 100; p++) {
    for (i = 0; i < a.length; i++) a[i] = a[i] + p;
  }
  var sum = 0;
  for (i = 0; i < a.length; i++) sum = sum + a[i];
  return sum;
}
document.write(run());
