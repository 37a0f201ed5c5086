// The window's number and text functions, and a few Math functions.
document.writeln("parseInt('0x1A') = " + parseInt("0x1A"));
document.writeln("parseInt('0X1A') = " + parseInt("0X1A"));
document.writeln("parseInt('012') = " + parseInt("012"));
document.writeln("parseInt('12abc') = " + parseInt("12abc"));
document.writeln("parseInt('abc') = " + parseInt("abc"));
document.writeln("parseInt('-12') = " + parseInt("-12"));
document.writeln("parseInt('10', 1) = " + parseInt("10", 1));
document.writeln("parseInt('ff', 16) = " + parseInt("ff", 16));
document.writeln("parseInt('99999999999') = " + parseInt("99999999999"));
document.writeln("parseInt(' -5') = " + parseInt(" -5"));
document.writeln("parseFloat(' 3.5e2x') = " + parseFloat(" 3.5e2x"));
document.writeln("parseFloat('x') = " + parseFloat("x"));
document.writeln("isNaN('abc') = " + isNaN("abc"));
document.writeln("isNaN(Number.NaN) = " + isNaN(Number.NaN));
document.writeln("isNaN() = " + isNaN());
document.writeln("escape('a b(c)') = " + escape("a b(c)"));
document.writeln("escape('&') = " + escape("&"));
document.writeln("unescape('%41%4a') = " + unescape("%41%4a"));
document.writeln("unescape('%00') = " + unescape("%00"));
document.writeln("unescape('%4') = " + unescape("%4"));
document.writeln("Math.round(2.5) = " + Math.round(2.5));
document.writeln("Math.round(-2.5) = " + Math.round(-2.5));
document.writeln("Math.round(-2.6) = " + Math.round(-2.6));
document.writeln("Math.max(3, 7) = " + Math.max(3, 7));
document.writeln("Math.E = " + Math.E);
Math.min(4, 2)
