// Five million rounds of a loop in a function, on var locals, with a
// method of a constructed object called every round.
function Counter() { this.total = 0; }
function add(k) { this.total = (this.total + k) % 1000003; }
Counter.prototype.add = add;
function run(n) {
  var c = new Counter();
  var i, s = 0;
  for (i = 0; i < n; i++) {
    s = (s + i * 3) % 65521;
    if (i % 10 == 0) c.add(s);
  }
  return s + c.total;
}
document.write(run(5000000));
