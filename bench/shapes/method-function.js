// 200,000 calls of a plain function, its result used in an expression.
function add(a, b) {
  return a + b;
}
function run() {
  var s = 0;
  var i;
  for (i = 0; i < 200000; i++) s = add(s, i);
  return s;
}
document.write(run());
