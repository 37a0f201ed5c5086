// A literal evaluated again and again gives its value every time: integers,
// fractions, hexadecimal and octal forms, and values past 32 bits.
var i, s = "";
for (i = 0; i < 3; i++) {
  s = s + (7 + 0.25 + 0x10 + 010 + 1e3 + 4294967296 + 2147483648 + 0xFFFFFFFFF) + ";";
}
document.write(s);
function half() { return 0.5; }
var t = 0;
for (i = 0; i < 4; i++) t = t + half();
document.write(" " + t);
