// Only numbers can be NaN.
document.writeln(isNaN("abc") + " " + isNaN(Number.NaN) + " " + isNaN() + " " + isNaN(5));
document.writeln(isNaN(1 / 0) + " " + isNaN(5 % 0) + " " + isNaN(null) + " " + isNaN(parseInt("x", 99)));
// Division by zero in a compound assignment leaves an ordinary number.
w = 1;
w /= 0;
document.writeln(isNaN(w));
