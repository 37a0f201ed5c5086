// Math and the window's functions, one row a case: is(value, text, label)
// checks the text of a value and writes the label of a row that differs; the
// run ends with the count of rows.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
// Constants, new numbers on every read.
is(Math.E + " " + Math.PI + " " + Math.LN2 + " " + Math.LN10 + " " + Math.LOG2E + " " + Math.LOG10E + " " + Math.SQRT2 + " " + Math.SQRT1_2, "2.71828 3.141592653589793 0.6931471805599453 2.302585092994046 1.442695040888963 0.4342944819032518 1.414213562373095 0.7071067811865476", "Math constants");
var x = Math.PI;
x = x + 1;
is(Number.MAX_VALUE + " " + Number.MIN_VALUE + " " + Number.NaN + " " + isNaN(Number.NaN) + " " + (Number.POSITIVE_INFINITY > Number.MAX_VALUE) + " " + (Number.NEGATIVE_INFINITY < -Number.MAX_VALUE) + " " + Math.PI, "1.797693134862316e+308 2.225073858507201e-308 NaN true true true 3.141592653589793", "Number constants");
// Functions read their arguments as numbers; a NaN comes back as it is, a
// missing argument gives nothing, a domain error is a number isNaN denies.
is(Math.abs(-3.5) + " " + Math.abs(2) + " " + Math.ceil(1.2) + " " + Math.ceil(-1.2) + " " + Math.floor(1.8) + " " + Math.floor(-1.2) + " " + Math.sqrt(16) + " " + Math.exp(0), "3.5 2 2 -1 1 -2 4 1", "one argument");
is(Math.log(1) + " " + Math.sin(0) + " " + Math.cos(0) + " " + Math.tan(0) + " " + Math.atan(1) * 4 + " " + Math.acos(1) + " " + Math.asin(0), "0 0 1 0 3.141592653589793 0 0", "trigonometry");
is(Math.round(2.5) + " " + Math.round(-2.5) + " " + Math.round(-2.6) + " " + Math.round(2.4) + " " + Math.round(7) + " " + Math.abs("-4") + " " + Math.floor("2.7") + " " + Math.abs(true), "3 -2 -3 2 7 4 2 1", "round, operands");
is(Math.max(3, 4) + " " + Math.max(4, 3) + " " + Math.min(3, 4) + " " + Math.min(-1, -2) + " " + Math.pow(2, 10), "4 4 3 -2 1024", "two arguments");
var n = 1 / 0, nan = 0 / 0, yes = true, f = Math.floor;
is(Math.max(n, 1) + " " + Math.min(1, n) + " " + Math.sqrt(n) + " " + isNaN(Math.floor(n)) + " " + typeof Math.max(1) + " " + typeof Math.abs() + " " + typeof Math.pow(2, null) + " " + isNaN(Math.sqrt(-1)) + " " + isNaN(Math.log(-1)) + " " + f(9.9), "NaN NaN NaN true undefined undefined undefined false false 9", "NaN, missing");
is(Math.abs(yes) + " " + isNaN(nan) + " " + Math.max(nan, 1) + " " + Math.min(yes, null, "4") + " " + parseInt(nan) + " " + escape(yes) + " " + Math.floor() + " " + Math.max() + " " + parseInt(), "1 true NaN undefined 0 true undefined undefined undefined", "argument kinds");
// random: [0, 1) on a grid of 1/32767.
var ok = true, i, r, k;
for (i = 0; i < 200; i++) {
  r = Math.random();
  if (r < 0 || r >= 1) ok = false;
  k = r * 32767;
  if (Math.abs(k - Math.round(k)) > 0.000001 && r > 0.0001) ok = false;
}
is(ok + " " + typeof Math.random(), "true number", "random");

// parseInt takes its radix from the text when none is given; a radix of 1 or
// above 36 gives NaN; numbers are unsigned 32-bit, clamped.
is(parseInt("0x1A") + " " + parseInt("0X1A") + " " + parseInt("012") + " " + parseInt("12abc") + " " + parseInt("abc") + " " + parseInt("-12") + " " + parseInt("") + " " + parseInt("  42"), "26 0 10 12 0 -12 0 42", "parseInt");
is(parseInt("ff", 16) + " " + parseInt("0xff", 16) + " " + parseInt("Z", 36) + " " + parseInt("101", 2) + " " + parseInt("12", 0) + " " + parseInt("012", 0) + " " + parseInt("19", 8) + " " + parseInt("12", "16.9") + " " + parseInt("777", 8), "255 255 35 5 12 10 1 18 511", "parseInt radix");
is(parseInt("5", 1) + " " + parseInt("5", 37) + " " + isNaN(parseInt("5", 1)) + " " + parseInt("99999999999") + " " + parseInt("4294967295") + " " + parseInt(" -5") + " " + parseInt("-0x10") + " " + parseInt(3.9) + " " + parseInt(-3.9) + " " + typeof parseInt() + typeof parseInt(null), "NaN NaN true 4294967295 4294967295 4294967291 -16 3 -3 undefinedundefined", "parseInt limits");
// A sign after blanks negates modulo 2^32, but a value past 4294967295 stays there.
is(parseInt(" -99999999999") + " " + parseInt(" -4294967295"), "4294967295 1", "parseInt overflow");
is(parseFloat(" 3.5e2x") + " " + parseFloat("x") + " " + parseFloat("-1.25") + " " + parseFloat("+.5") + " " + parseFloat("1e") + " " + parseFloat("1e+") + " " + parseFloat("2.") + " " + parseFloat(".") + " " + parseFloat("75e-2"), "350 0 -1.25 0.5 1 1 2 0 0.75", "parseFloat");
is(parseFloat("0x10") + " " + parseFloat("1.5.5") + " " + parseFloat(12.75) + " " + typeof parseFloat(), "0 1.5 12.75 undefined", "parseFloat more");
// isNaN: only numbers are NaN.
is(isNaN("abc") + " " + isNaN(Number.NaN) + " " + isNaN() + " " + isNaN(5) + " " + isNaN(1 / 0) + " " + isNaN(5 % 0) + " " + isNaN(null) + " " + isNaN(parseInt("x", 99)), "false true false false true true false true", "isNaN");
// escape encodes only blank, !, ", parentheses, CR, LF and the acute
// accent; unescape decodes %XX of 1 to 255, in either case.
is(escape("a b(c)") + " " + escape("&") + " " + escape("100%+/=?'") + " " + escape("say \"hi\"!") + " " + escape("x\ny\rz") + " " + escape(unescape("%B4")), "a%20b%28c%29 & 100%+/=?' say%20%22hi%22%21 x%0Ay%0Dz %B4", "escape");
is(unescape("%41%4a%4A") + " " + unescape("%00") + " " + unescape("%4") + " " + unescape("%zz") + " " + unescape("100%") + " " + unescape(escape("a (b) c")) + " " + unescape("%2541") + " " + typeof escape() + typeof unescape(null), "AJJ %00 %4 %zz 100% a (b) c %41 undefinedundefined", "unescape");

// Built-ins inside larger expressions, and callees that stop naming one.
var acc = 0;
for (i = 1; i < 50; i++) acc = acc + Math.floor(Math.sqrt(i) * 10) + Math.round(Math.sin(i) * 5) + Math.abs(Math.max(i % 7, 3) - 9);
is(acc + " " + Math.max(Math.min(4, Math.pow(2, 3)), Math.ceil(Math.log(100))) + " " + (parseInt("0x1f") + parseFloat("2.5e1") + parseInt("12abc", 10)) + " " + escape("a&b c") + unescape("%7e%41") + isNaN(parseInt("z")) + " " + (Math.abs(-3) > 2 ? "yes" : "no"), "2550 5 68 a&b%20c~Afalse yes", "nested calls");
var word = "Period", year = 1996, pos, letters = "";
for (pos = 0; pos < word.length; pos++) letters = letters + word.charAt(pos).length + word.charAt(pos) + word.indexOf(word.charAt(pos));
var pieces = word.split("r"), parts = word.split("i"), sum = 0, which = true;
for (pos = 0; pos < parts.length; pos++) sum = sum + parts[pos].substring(1, 3).length + parts[pos].toUpperCase().length;
is(letters + " " + year.charAt(2) + word.substring(1, 3) + word.toUpperCase() + word.lastIndexOf("o") + " " + pieces.length + pieces[0] + "|" + pieces[1] + " " + sum + " " + (which ? word : year).charAt(1) + (which ? year : word).charAt(1) + " " + (which ? window : self).parseInt("31") + " " + parts[0].x, "1P01e11r21i31o41d5 9erPERIOD4 2Pe|iod 8 e9 31 null", "methods in expressions");
var a = new Array();
a[Math.floor(2.9)] = Math.round(7.5);
var host = (document.title.length + Math.abs(-2) + location.href.length * 0) + " " + (document.title.length + parts[1].charAt(0) + parts[0].substring(location.href.length * 0, 2));
document.title = "t" + Math.floor(12.5);
is(a[2] + " " + a.length + " " + host + " " + document.title, "8 3 2 0oPe t12", "around the host");
function twice(x) { return x * 2; }
var fake = new Object();
fake.floor = twice;
function viaParameter(Math) { return Math.floor(4) + 1; }
var line = viaParameter(fake) + " " + viaParameter(Math);
with (Math) line = line + " " + (floor(PI) + max(1, 2));
var g = Math.abs, lib = new Object();
lib.f = Math.abs;
for (k = 0; k < 4; k++) { if (k == 2) g = twice; line = line + " " + g(-3); }
for (k = 0; k < 3; k++) { line = line + " " + (lib.f(-5) + 1); lib.f = twice; }
var y = (i = 3) + Math.abs(-i);
function guard(n) { if (Math.abs(n) < 2) return Math.ceil(n * 1.5); return Math.min(n, 0); }
is(line + " " + y + " " + guard(1) + guard(-5) + " " + (Math.abs(-1) + Math.sqrt(16)), "9 5 5 3 3 -6 -6 6 -9 -9 6 2-5 5", "callees replaced");
"ok " + rows
