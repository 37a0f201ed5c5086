// 100,000 rounds of member reads and writes with the loop inside
// with (o): the reads are plain names found on o, the writes stay o.x
// (an assignment to a plain name never goes to the with object).
var o = new Object();
o.x = 0;
o.y = 1;
function run() {
  var i;
  with (o) {
    for (i = 0; i < 100000; i++) {
      o.x = x + y;
      o.y = y + 1;
    }
  }
}
run();
document.write(o.x + " " + o.y);
