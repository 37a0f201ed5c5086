// typeof names one of seven types. null has a type of its own, a missing
// variable reads as null, and only a function that ends without return
// gives undefined. Math, Array and the other built-in names of the window
// are constructor functions.
var o = new Object();
function f() { }
var u = f();
document.writeln("typeof 1 = " + typeof 1);
document.writeln("typeof 's' = " + typeof "s");
document.writeln(typeof true + " " + typeof null + " " + typeof missing + " " + typeof undefined);
document.writeln(typeof f() + " " + typeof u + " " + typeof o + " " + typeof f + " " + typeof Math.max);
document.writeln(typeof Math + " " + typeof Array + " " + typeof window + " " + typeof document);
document.writeln("typeof Number.NaN = " + typeof Number.NaN);
document.writeln("typeof (1 == 1) = " + typeof (1 == 1));
document.writeln("typeof typeof 1 = " + typeof typeof 1);
document.writeln("typeof ('a' + 1) = " + typeof ("a" + 1));
document.writeln("typeof ('3' * 1) = " + typeof ("3" * 1));
typeof o
