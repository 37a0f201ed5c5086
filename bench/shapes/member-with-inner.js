// 100,000 rounds of member reads and writes, a with (o) block entered
// on every round: the reads are plain names found on o, the writes
// stay o.x (an assignment to a plain name never goes to the with object).
var o = new Object();
o.x = 0;
o.y = 1;
function run() {
  var i;
  for (i = 0; i < 100000; i++) {
    with (o) {
      o.x = x + y;
      o.y = y + 1;
    }
  }
}
run();
document.write(o.x + " " + o.y);
