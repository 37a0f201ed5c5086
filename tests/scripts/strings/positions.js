// charAt, indexOf and lastIndexOf count bytes from 0.
s = "abc";
document.writeln("[" + s.charAt(0) + s.charAt(1) + s.charAt(2) + "]");
document.writeln("[" + s.charAt(3) + "][" + s.charAt(-1) + "]");
document.writeln("[" + s.charAt(1.9) + "]");
document.writeln(typeof s.charAt());
// indexOf: a start that is not inside the text searches from 0.
t = "hello";
document.writeln(t.indexOf("l") + " " + t.indexOf("l", 3) + " " + t.indexOf("h", 10) + " " + t.indexOf("h", -2));
document.writeln(t.indexOf("z") + " " + t.indexOf("") + " " + t.indexOf("L"));
document.writeln(t.indexOf("h", 1) + " " + t.indexOf("o", 4));
// lastIndexOf searches forward and keeps the last match at or before from.
u = "abcabc";
document.writeln(u.lastIndexOf("c") + " " + u.lastIndexOf("c", 4) + " " + u.lastIndexOf("c", 1));
document.writeln(u.lastIndexOf("abc") + " " + u.lastIndexOf("x") + " " + u.lastIndexOf("a", 0));
// A position at or above 2147483647 gives no value.
document.writeln(typeof s.charAt(2147483647) + " " + typeof s.indexOf("a", 3000000000));
// Numbers searched for are found by their text.
v = "x12y";
document.writeln(v.indexOf(12) + " " + v.indexOf(2, 0));
