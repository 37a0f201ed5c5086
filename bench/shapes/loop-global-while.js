// Sum of 0..999999 at top level on globals, a while loop.
var s = 0;
var i = 0;
while (i < 1000000) {
  s = s + i;
  i++;
}
document.write(s);
