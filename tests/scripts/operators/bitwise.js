// Bitwise operators and shifts work on 32-bit integers: each operand is
// truncated toward zero and cut to its low 32 bits; a shift count only
// uses its low five bits. A NaN operand is handed back unchanged.
var nan = Number.NaN;
document.writeln("5 & 3 = " + (5 & 3));
document.writeln("5 | 3 = " + (5 | 3));
document.writeln("5 ^ 3 = " + (5 ^ 3));
document.writeln("~5 = " + ~5);
document.writeln("~-1 = " + ~(-1));
document.writeln("~0 = " + ~0);
document.writeln("7.9 & 2.5 = " + (7.9 & 2.5));
document.writeln("-7.9 | 0 = " + ((-7.9) | 0));
document.writeln("'12' | 1 = " + ("12" | 1));
document.writeln("true | 0 = " + (true | 0));
document.writeln("4294967295 | 0 = " + (4294967295 | 0));
document.writeln("2147483648 | 0 = " + (2147483648 | 0));
document.writeln("1 << 4 = " + (1 << 4));
document.writeln("1 << 31 = " + (1 << 31));
document.writeln("1 << 32 = " + (1 << 32));
document.writeln("1 << 33 = " + (1 << 33));
document.writeln("-8 >> 1 = " + ((-8) >> 1));
document.writeln("-1 >> 31 = " + ((-1) >> 31));
document.writeln("100 >> 2 = " + (100 >> 2));
document.writeln("256 >>> 4 = " + (256 >>> 4));
document.writeln("1024 >>> 33 = " + (1024 >>> 33));
document.writeln("NaN & 1 = " + (nan & 1));
document.writeln("1 | NaN = " + (1 | nan));
document.writeln("~NaN = " + ~nan);
6 & 12
