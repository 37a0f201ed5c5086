// 200,000 method calls as statements; the method keeps the running total
// in a member of its object.
function accumulate(x) {
  this.total = this.total + x;
}
function Accumulator() {
  this.total = 0;
  this.add = accumulate;
}
function run() {
  var o = new Accumulator();
  var i;
  for (i = 0; i < 200000; i++) o.add(i);
  return o.total;
}
document.write(run());
