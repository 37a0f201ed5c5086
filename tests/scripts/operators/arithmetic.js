// Arithmetic operators: operands are turned into numbers with ToNumber
// (strings by their leading decimal text, booleans as 1 and 0, null and
// objects as 0) and results are printed with 16 significant digits.
var o = new Object();
document.writeln((1 + 2) + " " + (7 - 10) + " " + (6 * 7) + " " + (5 / 2) + " " + (1 / 3));
document.writeln((0.1 + 0.2) + " " + -5 + " " + (0 * -1) + " " + (2 - 2) + " " + ("3" - 1));
document.writeln(("12abc" * 2) + " " + ("abc" * 2) + " " + ("0x10" * 1) + " " + (" 5" * 1));
document.writeln(("-5" * 1) + " " + (".5" * 2) + " " + (12 / "4"));
document.writeln("-'5' = " + -"5");
document.writeln((true + 1) + " " + (true + true) + " " + (false * 5) + " " + (null + 1) + " " + (o * 2));
document.writeln((123456789 * 1000000000) + " " + (2 * 3 + 4) + " " + (2 + 3 * 4) + " " + ((2 + 3) * 4));
document.writeln((10 - 4 - 3) + " " + (1 / 0) + " " + (0 / 0));
6 * 7
