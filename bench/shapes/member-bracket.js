// 100,000 rounds of three member reads and two writes, written o["x"].
var o = new Object();
o.x = 0;
o.y = 1;
function run() {
  var i;
  for (i = 0; i < 100000; i++) {
    o["x"] = o["x"] + o["y"];
    o["y"] = o["y"] + 1;
  }
}
run();
document.write(o.x + " " + o.y);
