// isNaN reports only numbers that carry the NaN mark: a division or
// remainder by zero makes one, a text never is one.
var nan = Number.NaN;
document.writeln("isNaN(nan): " + isNaN(nan));
document.writeln("isNaN(1 / 0): " + isNaN(1 / 0));
document.writeln("isNaN(5 % 0): " + isNaN(5 % 0));
document.writeln("isNaN('abc'): " + isNaN("abc"));
document.writeln("isNaN(3): " + isNaN(3));
var w = 1;
w /= 0;
document.writeln("w = 1; w /= 0: isNaN(w): " + isNaN(w));
isNaN()
