var s = "";
var i;
for (i = 0; i < 20000; i++) {
  s += "ab" + (i % 10);
}
var count = 0;
for (i = 0; i < s.length; i++) {
  if (s.charAt(i) == "7") count++;
}
var at = 0, found = 0;
while (true) {
  at = s.indexOf("b3", at);
  if (at < 0) break;
  found++;
  at = at + 1;
}
document.write(count + found + s.length);
