// 200,000 method calls as statements; the method stores its result in a
// global.
var s = 0;
function add(a, b) {
  s = a + b;
}
function Adder() {
  this.add = add;
}
function run() {
  var o = new Adder();
  var i;
  for (i = 0; i < 200000; i++) o.add(s, i);
}
run();
document.write(s);
