// The remainder works on the 32-bit integers of both operands (truncated
// toward zero, low 32 bits) and takes the sign of the dividend; a zero
// integer divisor gives NaN.
document.writeln("7 % 3 = " + (7 % 3));
document.writeln("7 % -2 = " + (7 % (-2)));
document.writeln("-7 % 2 = " + ((-7) % 2));
document.writeln("-4 % 2 = " + ((-4) % 2));
document.writeln("7.9 % 2.9 = " + (7.9 % 2.9));
document.writeln("5 % 0 = " + (5 % 0));
document.writeln("5 % 0.5 = " + (5 % 0.5));
document.writeln("-2147483648 % -1 = " + ((-2147483648) % (-1)));
document.writeln("2147483648 % 10 = " + (2147483648 % 10));
document.writeln("4294967301 % 10 = " + (4294967301 % 10));
document.writeln("'17' % 5 = " + ("17" % 5));
document.writeln("true % 2 = " + (true % 2));
document.writeln("10 % 3 * 2 = " + (10 % 3 * 2));
100 % 7
