// 200,000 method calls on a constructed object held in a global, the
// result used in an expression.
function add(a, b) {
  return a + b;
}
function Adder() {
  this.add = add;
}
var o = new Adder();
function run() {
  var s = 0;
  var i;
  for (i = 0; i < 200000; i++) s = o.add(s, i);
  return s;
}
document.write(run());
