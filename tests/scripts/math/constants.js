// Math and Number constants: new numbers on every read.
document.writeln(Math.E + " " + Math.PI + " " + Math.LN2 + " " + Math.LN10);
document.writeln(Math.LOG2E + " " + Math.LOG10E + " " + Math.SQRT2 + " " + Math.SQRT1_2);
document.writeln(Number.MAX_VALUE + " " + Number.MIN_VALUE);
document.writeln(Number.NaN + " " + isNaN(Number.NaN));
document.writeln((Number.POSITIVE_INFINITY > Number.MAX_VALUE) + " " + (Number.NEGATIVE_INFINITY < -Number.MAX_VALUE));
// Changing a read constant does not change the constant.
x = Math.PI;
x = x + 1;
document.writeln(Math.PI);
