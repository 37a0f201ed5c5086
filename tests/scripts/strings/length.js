// length of strings and numbers: the text's bytes, read straight from the
// value or through a wrapper, whatever the script did to String.
var s = "hello", e = "", n = 12345, m = -0.5, big = 1e21, t = "tab\there";
document.writeln(s.length + " " + e.length + " " + n.length + " " + m.length + " " + big.length + " " + t.length);
document.writeln(("ab" + "cde").length + " " + (s + n).length + " " + s["length"] + " " + typeof s.length);
var w = new String("wrapped");
document.writeln(w.length + " " + w.substring(1, 3).length);
String.prototype.length = 99;
document.writeln(s.length + " " + s.substring(0, 2).length);
String = 5;
document.writeln(s.length + " " + n.length + " " + s.charAt(1));
var len = "x".length;
len += s.length;
document.writeln(len);
