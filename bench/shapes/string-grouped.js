// A text of 20,000 pieces: each round joins its five pieces first and
// appends the group, s = s + (a + b + c + d + e).
function build() {
  var s = "";
  var i;
  for (i = 0; i < 4000; i++) s = s + ("a" + i + "bc" + "def" + ";");
  return s;
}
// A checksum of the text: its length and a hash of every 53rd character.
function digest(s) {
  var alphabet = "abcdef;0123456789";
  var h = 0;
  var k;
  for (k = 0; k < s.length; k = k + 53) h = (h * 31 + alphabet.indexOf(s.charAt(k))) % 1000003;
  return s.length + " " + h;
}
document.write(digest(build()));
