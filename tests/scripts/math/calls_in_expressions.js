// Built-in functions called inside larger expressions: their values, the
// values around them, and callees that stop naming a built-in.
var i, acc = 0;
for (i = 1; i < 50; i++) {
  acc = acc + Math.floor(Math.sqrt(i) * 10) + Math.round(Math.sin(i) * 5) + Math.abs(Math.max(i % 7, 3) - 9);
}
document.writeln("acc = " + acc);
document.writeln("nested = " + Math.max(Math.min(4, Math.pow(2, 3)), Math.ceil(Math.log(100))));
document.writeln("conversions = " + (parseInt("0x1f") + parseFloat("2.5e1") + parseInt("12abc", 10)));
document.writeln("texts = " + escape("a&b c") + " " + unescape("%7e%41") + " " + isNaN(parseInt("z")));
var nan = 0 / 0, yes = true;
document.writeln("argument kinds = " + Math.abs(yes) + " " + isNaN(nan) + " " + Math.max(nan, 1) + " " + Math.min(yes, null, "4") + " " + parseInt(nan) + " " + escape(yes));
document.writeln("no arguments = " + Math.floor() + " " + Math.max() + " " + parseInt());
document.writeln("in a condition = " + (Math.abs(-3) > 2 ? "yes" : "no"));
var word = "Period", n = 1996, pos, letters = "";
for (pos = 0; pos < word.length; pos++) letters = letters + word.charAt(pos).length + word.charAt(pos) + word.indexOf(word.charAt(pos));
document.writeln("string methods = " + letters + " " + n.charAt(2) + word.substring(1, 3) + word.toUpperCase() + word.lastIndexOf("o"));
var pieces = word.split("r");
document.writeln("split = " + pieces.length + " " + pieces[0] + "|" + pieces[1]);
var names = word.split("i"), sum = 0, which = true;
for (pos = 0; pos < names.length; pos++) sum = sum + names[pos].substring(1, 3).length + names[pos].toUpperCase().length;
document.writeln("members of expressions = " + sum + " " + (which ? word : n).charAt(1) + (which ? n : word).charAt(1));
document.writeln("a window's member = " + (which ? window : self).parseInt("31") + " " + names[0].x);
var a = new Array();
a[Math.floor(2.9)] = Math.round(7.5);
document.writeln("subscript target = " + a[2] + ", length " + a.length);
// The host is asked between the look-up of the callee and the call.
document.writeln("around the host = " + (document.title.length + Math.abs(-2) + location.href.length * 0) + " " + (document.title.length + names[1].charAt(0) + names[0].substring(location.href.length * 0, 2)));
document.title = "t" + Math.floor(12.5);
document.writeln("title = " + document.title);
// A name that leads somewhere else: a parameter, a with object, a
// reassigned variable.
function twice(x) { return x * 2; }
var fake = new Object();
fake.floor = twice;
function viaParameter(Math) { return Math.floor(4) + 1; }
document.writeln("parameter = " + viaParameter(fake) + " " + viaParameter(Math));
with (Math) { document.writeln("with = " + (floor(PI) + max(1, 2))); }
var f = Math.abs, k, out = "";
for (k = 0; k < 4; k++) {
  if (k == 2) f = twice;
  out = out + f(-3) + ",";
}
document.writeln("reassigned = " + out);
var lib = new Object(), got = "";
lib.f = Math.abs;
for (k = 0; k < 3; k++) {
  got = got + (lib.f(-5) + 1) + ",";
  lib.f = twice;
}
document.writeln("member replaced = " + got);
var y = (i = 3) + Math.abs(-i);
document.writeln("assigned inside = " + y);
function guard(n) { if (Math.abs(n) < 2) return Math.ceil(n * 1.5); return Math.min(n, 0); }
document.writeln("guards = " + guard(1) + " " + guard(-5));
Math.abs(-1) + Math.sqrt(16);
