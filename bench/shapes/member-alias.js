// 100,000 rounds of three member reads and two writes through a local var
// holding the global object.
var o = new Object();
o.x = 0;
o.y = 1;
function run() {
  var p = o;
  var i;
  for (i = 0; i < 100000; i++) {
    p.x = p.x + p.y;
    p.y = p.y + 1;
  }
}
run();
document.write(o.x + " " + o.y);
