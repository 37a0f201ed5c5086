// Comparisons. When only the right operand is a number the operands swap
// places (and < becomes >), so the number's own comparison decides: a
// string operand then counts by its numeric value. Two strings compare by
// bytes, a boolean against anything only checks for the same truth, and
// objects are equal only to themselves (or to a number they convert to).
var o = new Object();
var p = new Object();
function nothing() { }
var u = nothing();
document.writeln("1 < 2: " + (1 < 2));
document.writeln("2 < 1: " + (2 < 1));
document.writeln("2 <= 2: " + (2 <= 2));
document.writeln("3 >= 4: " + (3 >= 4));
document.writeln("5 > 4: " + (5 > 4));
document.writeln("1 == 1: " + (1 == 1));
document.writeln("1 != 1: " + (1 != 1));
document.writeln("'10' < 9: " + ("10" < 9));
document.writeln("'10' > 9: " + ("10" > 9));
document.writeln("9 < '10': " + (9 < "10"));
document.writeln("'10' < '9': " + ("10" < "9"));
document.writeln("'5' < 10: " + ("5" < 10));
document.writeln("'5' < '10': " + ("5" < "10"));
document.writeln("'abc' < 1: " + ("abc" < 1));
document.writeln("'abc' < 'abd': " + ("abc" < "abd"));
document.writeln("'abc' < 'abcd': " + ("abc" < "abcd"));
document.writeln("'a' < 'B': " + ("a" < "B"));
document.writeln("'B' < 'a': " + ("B" < "a"));
document.writeln("'b' >= 'a': " + ("b" >= "a"));
document.writeln("'a' <= 'a': " + ("a" <= "a"));
document.writeln("'a' == 'a': " + ("a" == "a"));
document.writeln("'a' != 'b': " + ("a" != "b"));
document.writeln("1 == '1': " + (1 == "1"));
document.writeln("'1' == 1: " + ("1" == 1));
document.writeln("'1.0' == 1: " + ("1.0" == 1));
document.writeln("'007' == 7: " + ("007" == 7));
document.writeln("'1.0' == '1': " + ("1.0" == "1"));
document.writeln("'' == 0: " + ("" == 0));
document.writeln("'abc' == 0: " + ("abc" == 0));
document.writeln("null == 0: " + (null == 0));
document.writeln("null == null: " + (null == null));
document.writeln("null == false: " + (null == false));
document.writeln("'' == null: " + ("" == null));
document.writeln("'null' == null: " + ("null" == null));
document.writeln("false == 0: " + (false == 0));
document.writeln("true == 1: " + (true == 1));
document.writeln("true == 2: " + (true == 2));
document.writeln("2 == true: " + (2 == true));
document.writeln("true == 'x': " + (true == "x"));
document.writeln("true == 'false': " + (true == "false"));
document.writeln("false == '': " + (false == ""));
document.writeln("false == '0': " + (false == "0"));
document.writeln("true < 2: " + (true < 2));
document.writeln("false < true: " + (false < true));
document.writeln("false > true: " + (false > true));
document.writeln("true > false: " + (true > false));
document.writeln("o == o: " + (o == o));
document.writeln("o == p: " + (o == p));
document.writeln("o != p: " + (o != p));
document.writeln("o == 0: " + (o == 0));
document.writeln("u == null: " + (u == null));
document.writeln("null == u: " + (null == u));
document.writeln("u == u: " + (u == u));
1 == 1
