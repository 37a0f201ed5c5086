// String methods, one row a case: is(value, text, label) checks the text of
// a value and writes the label of a row that differs; the run ends with the count.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
var s = "abc", t = "hello", u = "abcabc";
// Positions count bytes from 0; a start outside the text searches from 0;
// lastIndexOf keeps the last match at or before its start; positions at or
// above 2^31 - 1 give nothing; numbers are found by their text.
is("[" + s.charAt(0) + s.charAt(1) + s.charAt(2) + "][" + s.charAt(3) + "][" + s.charAt(-1) + "][" + s.charAt(1.9) + "] " + typeof s.charAt() + " " + typeof s.charAt(2147483647) + " " + typeof s.indexOf("a", 3000000000), "[abc][][][b] undefined undefined undefined", "charAt");
is(t.indexOf("l") + " " + t.indexOf("l", 3) + " " + t.indexOf("h", 10) + " " + t.indexOf("h", -2) + " " + t.indexOf("z") + " " + t.indexOf("") + " " + t.indexOf("L") + " " + t.indexOf("h", 1) + " " + t.indexOf("o", 4) + " " + "x12y".indexOf(12) + " " + "x12y".indexOf(2, 0), "2 3 0 0 -1 0 -1 -1 4 1 2", "indexOf");
is(u.lastIndexOf("c") + " " + u.lastIndexOf("c", 4) + " " + u.lastIndexOf("c", 1) + " " + u.lastIndexOf("abc") + " " + u.lastIndexOf("x") + " " + u.lastIndexOf("a", 0), "5 2 -1 3 -1 0", "lastIndexOf");
// substring clamps, swaps its arguments and gives "" outside the text.
is("[" + s.substring(1, 1) + "][" + s.substring(-5, 2) + "][" + s.substring(2, 0) + "][" + s.substring(1, 5) + "][" + s.substring(5, 1) + "][" + s.substring(2, -1) + "][" + s.substring(4) + "][" + s.substring(0) + "][" + s.substring(1) + "][" + s.substring(0, 3) + "] " + typeof s.substring() + " " + typeof s.substring(0, 2147483647), "[][ab][ab][bc][][][][abc][bc][abc] undefined undefined", "substring");
var words = "the quick brown fox jumps over the lazy dog", i, every = "";
for (i = 0; i < words.length; i = i + 7) every = every + words.charAt(i);
is(words.indexOf("fox") + " " + words.indexOf("the", 5) + " " + words.lastIndexOf("the") + " " + words.substring(4, 9) + words.substring(9, 4) + "[" + words.substring(40) + "] " + every + " " + words.length, "16 31 31 quickquick[dog] tcnuelg 43", "a sentence");
// split keeps empty pieces; "" cuts after every byte; null splits at "null".
function show(a) { var out = a.length + ":"; for (var i = 0; i < a.length; i++) out = out + "[" + a[i] + "]"; return out; }
is(show("a,b,,c".split(",")) + " " + show(",a".split(",")) + " " + show("a,".split(",")) + " " + show("abc".split("x")) + " " + show("a--b--c".split("--")), "4:[a][b][][c] 2:[][a] 2:[a][] 1:[abc] 3:[a][b][c]", "split");
is(show("abc".split()) + " " + show("abc".split("")) + " " + show("".split(",")) + " " + show("xnullynull".split(null)) + " " + show("1.5.25".split(".")) + " " + show(words.split(" ")), "1:[abc] 3:[a][b][c] 1:[] 3:[x][y][] 3:[1][5][25] 9:[the][quick][brown][fox][jumps][over][the][lazy][dog]", "split more");
// Case mapping changes only ASCII letters; String objects carry a length.
var mixed = "MiXeD", lower = mixed.toLowerCase(), o = new String("four"), e = new String();
is("Hello, World! 123".toUpperCase() + " " + "Hello, World! 123".toLowerCase() + " " + (unescape("%E9%C9z").toUpperCase() == unescape("%E9%C9Z")) + " " + mixed + lower + " " + o.length + o + o.charAt(3) + o.toUpperCase() + e.length, "HELLO, WORLD! 123 hello, world! 123 true MiXeDmixed 4fourrFOUR0", "case");
// length is the text's bytes, read straight or through a wrapper, whatever
// the script did to String.
var h = "hello", em = "", n = 12345, m = -0.5, big = 1e21, tab = "tab\there", w = new String("wrapped");
is(h.length + " " + em.length + " " + n.length + " " + m.length + " " + big.length + " " + tab.length + " " + ("ab" + "cde").length + " " + (h + n).length + " " + h["length"] + " " + typeof h.length + " " + w.length + w.substring(1, 3).length, "5 0 5 4 5 8 5 10 5 number 72", "length");
String.prototype.length = 99;
var line = h.length + " " + h.substring(0, 2).length;
String = 5;
var len = "x".length;
len += h.length;
is(line + " " + h.length + " " + n.length + " " + h.charAt(1) + " " + len, "5 2 5 5 e 6", "length after String changed");
// Markup wrappers: upper-case tags, bare attributes; one that needs an
// argument gives nothing without; any value's text can be wrapped.
is(s.anchor("x") + s.big() + s.blink() + s.bold() + s.fixed() + s.fontcolor("red") + s.fontsize(3), "<A NAME=x>abc</A><BIG>abc</BIG><BLINK>abc</BLINK><B>abc</B><TT>abc</TT><FONT COLOR=red>abc</FONT><FONT SIZE=3>abc</FONT>", "wrappers");
is(s.italics() + s.small() + s.strike() + s.sub() + s.sup() + s.link("http://a/b.html") + " " + typeof s.anchor() + typeof s.link(null) + " " + n.toString().bold() + "x".bold().italics(), "<I>abc</I><SMALL>abc</SMALL><STRIKE>abc</STRIKE><SUB>abc</SUB><SUP>abc</SUP><A HREF=http://a/b.html>abc</A> undefinedundefined <B>12345</B><I><B>x</B></I>", "more wrappers");
// A text made by adding to another leaves that one as it was, however
// either goes on growing, forks, or is used as a key or changed in case.
var grown = "ab", kept = new Array(), key = new Object();
for (i = 0; i < 100; i++) { kept[i] = grown; grown = grown + (i % 10); }
var fork1 = kept[60] + "X", fork2 = kept[60] + "Y", twice = kept[70] + kept[70], same = kept[80] + "";
key[kept[30]] = "thirty";
grown += "!";
is(kept[0] + " " + kept[5] + " " + kept[60].length + " " + fork1.substring(58) + fork2.substring(58) + " " + twice.length + twice.substring(70, 74) + " " + (same == kept[80]) + same.length + " " + key["ab" + "012345678901234567890123456789"] + " " + grown.substring(98) + " " + kept[99].toUpperCase().substring(97) + kept[99].substring(97), "ab ab01234 62 6789X6789Y 14489ab true82 thirty 6789! 56785678", "texts grown from one another");
var chain = kept[10] + kept[10] + "-" + kept[10], plus = kept[20];
plus += plus;
plus += 7;
is(chain + " " + kept[10] + " " + plus, "ab0123456789ab0123456789-ab0123456789 ab0123456789 ab01234567890123456789ab012345678901234567897", "chains and +=");
"ok " + rows
