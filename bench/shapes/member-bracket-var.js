// 100,000 rounds of three member reads and two writes, the member names
// held in local vars: o[kx].
var o = new Object();
o.x = 0;
o.y = 1;
function run() {
  var kx = "x";
  var ky = "y";
  var i;
  for (i = 0; i < 100000; i++) {
    o[kx] = o[kx] + o[ky];
    o[ky] = o[ky] + 1;
  }
}
run();
document.write(o.x + " " + o.y);
