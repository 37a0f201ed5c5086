// Bitwise operators and shifts work on 32-bit integers: each operand is
// truncated toward zero and cut to its low 32 bits; a shift count only
// uses its low five bits. A NaN operand is handed back unchanged.
var nan = Number.NaN;
document.writeln((5 & 3) + " " + (5 | 3) + " " + (5 ^ 3) + " " + (~5));
document.writeln("~-1 = " + ~(-1));
document.writeln((~0) + " " + (7.9 & 2.5) + " " + ((-7.9) | 0) + " " + ("12" | 1) + " " + (true | 0));
document.writeln((4294967295 | 0) + " " + (2147483648 | 0) + " " + (1 << 4) + " " + (1 << 31));
document.writeln((1 << 32) + " " + (1 << 33) + " " + ((-8) >> 1) + " " + ((-1) >> 31) + " " + (100 >> 2));
document.writeln((256 >>> 4) + " " + (1024 >>> 33) + " " + (nan & 1) + " " + (1 | nan) + " " + (~nan));
6 & 12
