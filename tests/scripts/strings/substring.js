// substring clamps, swaps arguments in the wrong order and gives the empty
// string outside the text.
s = "abc";
document.writeln("[" + s.substring(1, 1) + "]");
document.writeln("[" + s.substring(-5, 2) + "]");
document.writeln("[" + s.substring(2, 0) + "]");
document.writeln("[" + s.substring(1, 5) + "]");
document.writeln("[" + s.substring(5, 1) + "]");
document.writeln("[" + s.substring(2, -1) + "]");
document.writeln("[" + s.substring(4) + "]");
document.writeln("[" + s.substring(0) + "][" + s.substring(1) + "][" + s.substring(0, 3) + "]");
document.writeln(typeof s.substring());
document.writeln(typeof s.substring(0, 2147483647));
