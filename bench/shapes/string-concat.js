// A text of 20,000 pieces (4,000 rounds of five), each appended with
// s = s + piece.
function build() {
  var s = "";
  var i;
  for (i = 0; i < 4000; i++) {
    s = s + "a";
    s = s + i;
    s = s + "bc";
    s = s + "def";
    s = s + ";";
  }
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
