// Arithmetic operators: operands are turned into numbers with ToNumber
// (strings by their leading decimal text, booleans as 1 and 0, null and
// objects as 0) and results are printed with 16 significant digits.
var o = new Object();
document.writeln("1 + 2 = " + (1 + 2));
document.writeln("7 - 10 = " + (7 - 10));
document.writeln("6 * 7 = " + (6 * 7));
document.writeln("5 / 2 = " + (5 / 2));
document.writeln("1 / 3 = " + (1 / 3));
document.writeln("0.1 + 0.2 = " + (0.1 + 0.2));
document.writeln("-5 = " + -5);
document.writeln("0 * -1 = " + (0 * -1));
document.writeln("2 - 2 = " + (2 - 2));
document.writeln("'3' - 1 = " + ("3" - 1));
document.writeln("'12abc' * 2 = " + ("12abc" * 2));
document.writeln("'abc' * 2 = " + ("abc" * 2));
document.writeln("'0x10' * 1 = " + ("0x10" * 1));
document.writeln("' 5' * 1 = " + (" 5" * 1));
document.writeln("'-5' * 1 = " + ("-5" * 1));
document.writeln("'.5' * 2 = " + (".5" * 2));
document.writeln("12 / '4' = " + (12 / "4"));
document.writeln("-'5' = " + -"5");
document.writeln("true + 1 = " + (true + 1));
document.writeln("true + true = " + (true + true));
document.writeln("false * 5 = " + (false * 5));
document.writeln("null + 1 = " + (null + 1));
document.writeln("object * 2 = " + (o * 2));
document.writeln("123456789 * 1000000000 = " + (123456789 * 1000000000));
document.writeln("2 * 3 + 4 = " + (2 * 3 + 4));
document.writeln("2 + 3 * 4 = " + (2 + 3 * 4));
document.writeln("(2 + 3) * 4 = " + ((2 + 3) * 4));
document.writeln("10 - 4 - 3 = " + (10 - 4 - 3));
document.writeln("1 / 0 = " + (1 / 0));
document.writeln("0 / 0 = " + (0 / 0));
6 * 7
