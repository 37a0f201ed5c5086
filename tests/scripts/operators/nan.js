// NaN is a number carrying a NaN mark. Arithmetic hands a NaN operand
// straight back, a string join writes it as NaN, every comparison with it
// is false except !=, it counts as false, and a variable holding NaN
// keeps it whatever is later assigned to it.
var nan = Number.NaN;
document.writeln(nan + " " + typeof nan + " " + (nan + 1) + " " + (1 - nan) + " " + (nan * 0) + " " + -nan);
document.writeln(("x" + nan) + " " + (nan + "x") + " " + (nan == nan) + " " + (nan != nan));
document.writeln((nan == 0) + " " + (0 != nan) + " " + (nan < 1) + " " + (nan >= 1) + " " + ("a" == nan));
document.writeln((1 / 0 == 1 / 0) + " " + !nan);
if (nan) document.writeln("nan counts as true"); else document.writeln("nan counts as false");
var x = 1 / 0;
x = 5;
document.writeln("x = 1 / 0; x = 5: x = " + x);
x += 1;
document.writeln("x += 1: x = " + x);
var y = 3;
y = nan;
document.writeln("y = 3; y = nan: y = " + y);
nan + 1 == nan
