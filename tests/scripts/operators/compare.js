// Comparisons. When only the right operand is a number the operands swap
// places (and < becomes >), so the number's own comparison decides: a
// string operand then counts by its numeric value. Two strings compare by
// bytes, a boolean against anything only checks for the same truth, and
// objects are equal only to themselves (or to a number they convert to).
var o = new Object();
var p = new Object();
function nothing() { }
var u = nothing();
document.writeln((1 < 2) + " " + (2 < 1) + " " + (2 <= 2) + " " + (3 >= 4) + " " + (5 > 4) + " " + (1 == 1));
document.writeln((1 != 1) + " " + ("10" < 9) + " " + ("10" > 9) + " " + (9 < "10") + " " + ("10" < "9"));
document.writeln(("5" < 10) + " " + ("5" < "10") + " " + ("abc" < 1) + " " + ("abc" < "abd"));
document.writeln(("abc" < "abcd") + " " + ("a" < "B") + " " + ("B" < "a") + " " + ("b" >= "a"));
document.writeln(("a" <= "a") + " " + ("a" == "a") + " " + ("a" != "b") + " " + (1 == "1"));
document.writeln(("1" == 1) + " " + ("1.0" == 1) + " " + ("007" == 7) + " " + ("1.0" == "1"));
document.writeln(("" == 0) + " " + ("abc" == 0) + " " + (null == 0) + " " + (null == null));
document.writeln((null == false) + " " + ("" == null) + " " + ("null" == null) + " " + (false == 0));
document.writeln((true == 1) + " " + (true == 2) + " " + (2 == true) + " " + (true == "x"));
document.writeln((true == "false") + " " + (false == "") + " " + (false == "0") + " " + (true < 2));
document.writeln((false < true) + " " + (false > true) + " " + (true > false) + " " + (o == o));
document.writeln((o == p) + " " + (o != p) + " " + (o == 0) + " " + (u == null) + " " + (null == u));
document.writeln("u == u: " + (u == u));
1 == 1
