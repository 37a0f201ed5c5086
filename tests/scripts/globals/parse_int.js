// parseInt: the radix comes from the text when none is given.
document.writeln(parseInt("0x1A") + " " + parseInt("0X1A") + " " + parseInt("012") + " " + parseInt("12abc"));
document.writeln(parseInt("abc") + " " + parseInt("-12") + " " + parseInt("") + " " + parseInt("  42"));
document.writeln(parseInt("ff", 16) + " " + parseInt("0xff", 16) + " " + parseInt("Z", 36) + " " + parseInt("101", 2));
document.writeln(parseInt("12", 0) + " " + parseInt("012", 0) + " " + parseInt("19", 8) + " " + parseInt("12", "16.9"));
// A given radix of 1 or above 36 gives NaN.
document.writeln(parseInt("5", 1) + " " + parseInt("5", 37) + " " + isNaN(parseInt("5", 1)));
// Unsigned 32-bit conversion: clamped at 4294967295, a sign after blanks wraps.
document.writeln(parseInt("99999999999") + " " + parseInt("4294967295") + " " + parseInt(" -5"));
document.writeln(parseInt("-0x10") + " " + parseInt(3.9) + " " + parseInt(-3.9));
document.writeln(typeof parseInt() + " " + typeof parseInt(null));
