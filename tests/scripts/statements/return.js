// return ends the function at once, from inside loops, with and for-in;
// a function that runs off its end gives undefined.
function firstSquareAbove(a) {
  var i;
  for (i = 0; i < 10; i++) {
    if (i * i > a) return i;
  }
  return -1;
}
document.writeln("firstSquareAbove(10) = " + firstSquareAbove(10));
document.writeln("firstSquareAbove(1000) = " + firstSquareAbove(1000));
var trace = "";
function early() {
  trace += "a";
  return "done";
  trace += "b";
}
document.writeln("early() = " + early() + ", trace = " + trace);
function fromWith(obj) {
  with (obj) {
    return v + 1;
  }
}
var holder = new Object();
holder.v = 4;
document.writeln("fromWith = " + fromWith(holder));
function firstName(obj) {
  var p;
  for (p in obj) return p;
  return "none";
}
var o = new Object();
o.alpha = 1;
o.beta = 2;
document.writeln("firstName(o) = " + firstName(o));
document.writeln("firstName(empty) = " + firstName(new Object()));
function loop() {
  var n = 0;
  while (true) {
    n++;
    if (n == 7) return n;
  }
}
document.writeln("loop() = " + loop());
function none() { trace = "ran"; }
document.writeln("typeof none() = " + typeof none() + ", trace = " + trace);
function inner() { return 41; }
function outer() { return inner() + 1; }
outer()
