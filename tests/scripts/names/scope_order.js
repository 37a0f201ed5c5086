// A plain name inside a function is looked for in the locals, then the
// arguments, then the properties of this, then the window. Bodies with
// and without declarations, built-in names and long parameter lists all
// keep that order.
var n = "global n", m = "global m", only = "global only";
function plain(n) { return n + "/" + m; }
document.writeln("plain: " + plain("arg n") + " | " + plain());
function declared(n) { var m = "local m"; return n + "/" + m + "/" + only; }
document.writeln("declared: " + declared("arg n"));
function shadow(n) { var n; return n; }
document.writeln("shadow: " + shadow("kept"));
function builtin() { return typeof toString; }
function builtinDeclared() { var x = 1; return typeof toString; }
document.writeln("built-in names: " + builtin() + " " + builtinDeclared());
function both(m) { return m; }
var o = new Object();
o.m = "o's m";
o.only = "o's only";
o.both = both;
o.declared = declared;
document.writeln("argument before this: " + o.both("arg m") + ", this before window: " + o.both());
document.writeln("method declared: " + o.declared("x"));
function many(a, b, c, d, e, f, g, h, i, j, k, l, p, q) { return a + b + c + d + e + f + g + h + i + j + k + l + p + q + m; }
document.writeln("many: " + many(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14));
document.writeln("many, short: " + many(1, 2, 3));
function deep(k) { if (k == 0) return n; return deep(k - 1) + k; }
document.writeln("deep: " + deep(6));
function assigns(n) { n = n + "!"; m2 = "set " + n; return n; }
document.writeln("assigns: " + assigns("a") + " " + m2 + " " + n);
function inWith(n) { with (o) { return n + "/" + m; } }
document.writeln("with: " + inWith("arg n"));
function viaArguments(a, b) { a = "changed"; return viaArguments.arguments[0] + " " + b; }
document.writeln("by position: " + viaArguments("x", "y"));
