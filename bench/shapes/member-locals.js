// The same 100,000 rounds on local vars: the members are copied in
// before the loop and stored back after it.
var o = new Object();
o.x = 0;
o.y = 1;
function run() {
  var x = o.x;
  var y = o.y;
  var i;
  for (i = 0; i < 100000; i++) {
    x = x + y;
    y = y + 1;
  }
  o.x = x;
  o.y = y;
}
run();
document.write(o.x + " " + o.y);
