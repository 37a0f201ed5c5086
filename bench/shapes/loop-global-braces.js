// Sum of 0..999999 at top level on globals, the body in braces.
var s = 0;
var i;
for (i = 0; i < 1000000; i++) {
  s = s + i;
}
document.write(s);
