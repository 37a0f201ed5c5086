// One-argument functions.
document.writeln(Math.abs(-3.5) + " " + Math.abs(2) + " " + Math.ceil(1.2) + " " + Math.ceil(-1.2));
document.writeln(Math.floor(1.8) + " " + Math.floor(-1.2) + " " + Math.sqrt(16) + " " + Math.exp(0));
document.writeln(Math.log(1) + " " + Math.sin(0) + " " + Math.cos(0) + " " + Math.tan(0));
document.writeln(Math.atan(1) * 4 + " " + Math.acos(1) + " " + Math.asin(0));
// round: a half goes up.
document.writeln(Math.round(2.5) + " " + Math.round(-2.5) + " " + Math.round(-2.6) + " " + Math.round(2.4) + " " + Math.round(7));
// Arguments are read as numbers.
document.writeln(Math.abs("-4") + " " + Math.floor("2.7") + " " + Math.abs(true));
// Two-argument functions.
document.writeln(Math.max(3, 4) + " " + Math.max(4, 3) + " " + Math.min(3, 4) + " " + Math.min(-1, -2) + " " + Math.pow(2, 10));
// A NaN argument comes back as it is; a missing one gives nothing.
n = 1 / 0;
document.writeln(Math.max(n, 1) + " " + Math.min(1, n) + " " + Math.sqrt(n) + " " + isNaN(Math.floor(n)));
document.writeln(typeof Math.max(1) + " " + typeof Math.abs() + " " + typeof Math.pow(2, null));
// A domain error is an ordinary number that isNaN does not report.
document.writeln(isNaN(Math.sqrt(-1)) + " " + isNaN(Math.log(-1)));
// Functions can be kept and called later.
f = Math.floor;
document.writeln(f(9.9));
