// 200,000 calls of a plain function as a statement; the function stores
// its result in a global.
var s = 0;
function add(a, b) {
  s = a + b;
}
function run() {
  var i;
  for (i = 0; i < 200000; i++) add(s, i);
}
run();
document.write(s);
