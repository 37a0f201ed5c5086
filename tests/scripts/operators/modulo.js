// The remainder works on the 32-bit integers of both operands (truncated
// toward zero, low 32 bits) and takes the sign of the dividend; a zero
// integer divisor gives NaN.
document.writeln((7 % 3) + " " + (7 % (-2)) + " " + ((-7) % 2) + " " + ((-4) % 2) + " " + (7.9 % 2.9));
document.writeln((5 % 0) + " " + (5 % 0.5) + " " + ((-2147483648) % (-1)) + " " + (2147483648 % 10));
document.writeln((4294967301 % 10) + " " + ("17" % 5) + " " + (true % 2) + " " + (10 % 3 * 2));
100 % 7
