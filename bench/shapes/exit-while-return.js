// Linear search in a while loop, leaving with a return from inside it.
// 800 distinct values out of 0..999 (37 is prime to 1000).
var a = new Array();
var n = 800;
var i;
for (i = 0; i < n; i++) a[i] = (i * 37) % 1000;

function find(a, n, v) {
  var i = 0;
  while (i < n) {
    if (a[i] == v) return i;
    i++;
  }
  return -1;
}

// Looks up 0..399 (77 of them are missing and scan the whole array):
// about 192,000 element tests in all.
function run() {
  var sum = 0;
  var v;
  for (v = 0; v < 400; v++) sum = sum + find(a, n, v);
  return sum;
}
document.write(run());
