// Short functions made of `if (...) return ...;` guards and a closing
// return, called inside expressions: arguments bound by position, missing
// and extra arguments, this, the arguments of the running function, globals
// read and changed between calls, the function replaced by another value,
// calls beside built-ins, host members read inside the body, and strings.
function max2(a, b) { if (a > b) return a; return b; }
function sign(x) { if (x > 0) return 1; if (x < 0) return -1; return 0; }
function scale(x) { return x * factor + offset; }
function missing(a, b, c) { return a + "," + b + "," + c; }
function extra(a) { return extra.arguments[1] + extra.length; }
function thisIs() { return this == window; }
function title() { return document.title + "!"; }
function same(a, a) { return a; }
function voided(x) { return void x; }
function text(s) { if (s.length > 3) return s.substring(0, 3); return s + "?"; }
var factor = 2, offset = 1;
var i, total = 0;
for (i = -3; i < 4; i++) total = total + max2(i, 0) * 10 + sign(i);
document.writeln("loop: " + total);
var first = scale(3);
offset = 5;
document.writeln("scale: " + first + " " + scale(3));
factor = "x";
document.writeln("scale of a text factor: " + scale(3));
factor = 2;
document.writeln("missing: " + missing(1) + " | " + missing(1, 2, 3));
document.writeln("extra: " + extra(1, "two"));
document.writeln("this: " + thisIs());
document.title = "page";
document.writeln("title: " + title() + " " + title());
document.writeln("duplicate names: " + same(1, 2));
document.writeln("void: " + typeof voided(3));
document.writeln("beside built-ins: " + Math.floor(max2(2.5, 1.5)) + " " + max2(Math.abs(-7), 3));
document.writeln("strings: " + text("abcdef") + " " + text("ab"));
var before = max2(1, 2);
max2 = Math.min;
document.writeln("replaced: " + before + " " + max2(1, 2));
max2 = sign;
document.writeln("replaced again: " + max2(5) + max2(-5));
var n = 0;
for (i = 0; i < 3000; i++) n = n + sign(i - 1500) + scale(i % 3);
document.writeln("long loop: " + n);
n
