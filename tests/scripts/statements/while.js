// while tests its condition before every round; a loop whose condition
// is false at once never runs its body.
var i = 0;
var out = "";
while (i < 5) {
  out += i;
  i++;
}
document.writeln("counted: " + out);
while (0) document.writeln("never");
var n = 3;
var down = "";
while (n) { down += n + " "; n--; }
document.writeln("countdown: " + down + "n = " + n);
var rows = "";
var r = 0;
while (r < 3) {
  var c = 0;
  while (c < r + 1) { rows += "*"; c++; }
  rows += "/";
  r++;
}
document.writeln("rows: " + rows);
var s = "";
while (s.length < 4) s += "ab";
document.writeln("s = " + s);
i
