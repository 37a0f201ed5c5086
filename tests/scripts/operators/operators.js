// Operators, one row a case: is(value, text, label) checks the text of a
// value and writes the label of a row that differs; the run ends with the
// count of rows.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
var o = new Object(), p = new Object(), nan = Number.NaN;
function f(a, b) { return a; }
function none() { }
var u = none();

// Arithmetic reads strings by their leading decimal text, true as 1, null
// and objects as 0; results print with 16 digits, exponents outside 1e-4 .. 1e16.
is((1 + 2) + " " + (7 - 10) + " " + (6 * 7) + " " + (5 / 2) + " " + (1 / 3), "3 -3 42 2.5 0.3333333333333333", "+-*/");
is((0.1 + 0.2) + " " + -5 + " " + (0 * -1) + " " + (2 - 2) + " " + ("3" - 1), "0.3 -5 -0 0 2", "fractions");
is(("12abc" * 2) + " " + ("abc" * 2) + " " + ("0x10" * 1) + " " + (" 5" * 1), "24 0 0 0", "text operands");
is(("-5" * 1) + " " + (".5" * 2) + " " + (12 / "4") + " " + -"5", "-5 1 3 -5", "signed text");
is((true + 1) + " " + (true + true) + " " + (false * 5) + " " + (null + 1) + " " + (o * 2), "2 2 0 1 0", "other operands");
is((123456789 * 1000000000) + " " + (2 * 3 + 4) + " " + (2 + 3 * 4) + " " + ((2 + 3) * 4), "1.23456789e+17 10 14 20", "precedence");
is((10 - 4 - 3) + " " + (1 / 0) + " " + (0 / 0), "3 NaN NaN", "left to right, by 0");
is((2147483647 + 1) + " " + (-2147483648 - 1) + " " + (65536 * 65536) + " " + (0.1 + 0.2 == 0.3), "2147483648 -2147483649 4294967296 false", "past 32 bits");
// Literals: octal and hex are 32-bit integers that stop at 2147483647.
is(017 + " " + 010 + " " + 0x1F + " " + 0xff + " " + 0xFFFFFFFF + " " + 1.5e3 + " " + 2e-3, "15 8 31 255 2147483647 1500 0.002", "number literals");
is(1e21 + " " + 1e16 + " " + 1e15 + " " + 0.0001 + " " + 0.00001 + " " + 123456789012 + " " + 3.25, "1e+21 1e+16 1000000000000000 0.0001 1e-05 123456789012 3.25", "number text");
is(escape('it\'s' + "|say \"hi\"|a\\b|a\tb|\q|first\nsecond\r"), "it's|say%20%22hi%22|a\\b|a	b|q|first%0Asecond%0D", "string escapes");
is(null + " " + true + " " + false, "null true false", "word literals");
var i, s = "";
for (i = 0; i < 3; i++) s = s + (7 + 0.25 + 0x10 + 010 + 1e3 + 4294967296 + 2147483648 + 0xFFFFFFFFF) + ";";
function half() { return 0.5; }
var h = 0;
for (i = 0; i < 4; i++) h = h + half();
is(s + " " + h, "8589935622.25;8589935622.25;8589935622.25; 2", "literals again");

// Bitwise: operands truncated and cut to 32 bits, shift counts to 5 bits, a NaN handed back.
is((5 & 3) + " " + (5 | 3) + " " + (5 ^ 3) + " " + (~5) + " " + (~(-1)) + " " + (~0), "1 7 6 -6 0 -1", "bits");
is((7.9 & 2.5) + " " + ((-7.9) | 0) + " " + ("12" | 1) + " " + (true | 0) + " " + (6 & 12), "2 -7 13 1 4", "bit operands");
is((4294967295 | 0) + " " + (2147483648 | 0) + " " + (1 << 4) + " " + (1 << 31), "-1 -2147483648 16 -2147483648", "32 bits");
is((1 << 32) + " " + (1 << 33) + " " + ((-8) >> 1) + " " + ((-1) >> 31) + " " + (100 >> 2), "1 2 -4 -1 25", "shifts");
is((256 >>> 4) + " " + (1024 >>> 33) + " " + (nan & 1) + " " + (1 | nan) + " " + (~nan), "16 512 NaN NaN NaN", ">>> and NaN");
var bits = "";
for (i = 0; i < 6; i++) bits = bits + (((i - 2) * 100000007) >>> (i % 3)) + "," + ((-1 - i * 1000) >> i) + "," + ((i + 3) << (i * 7)) + " ";
is(bits, "68435442,-1,3 84217724,-501,512 0,-501,81920 100000007,-376,12582912 100000007,-251,1879048192 75000005,-157,64 ", ">>> keeps 27 bits");
bits = "";
for (i = 0; i < 6; i++) bits = bits + (i * 5 & 6) + "|" + (i | 9) + "|" + (i ^ 3) + "|" + (17 % (i + 1)) + "|" + (-17 % (i + 1)) + ",";
is(bits, "0|9|3|0|0,4|9|2|1|-1,2|11|1|2|-2,6|11|0|1|-1,4|13|7|2|-2,0|13|6|5|-5,", "& | ^ % in a loop");
// The remainder works on 32-bit integers, with the dividend's sign; 0 gives NaN.
is((7 % 3) + " " + (7 % (-2)) + " " + ((-7) % 2) + " " + ((-4) % 2) + " " + (7.9 % 2.9) + " " + (100 % 7), "1 1 -1 0 1 2", "%");
is((5 % 0) + " " + (5 % 0.5) + " " + ((-2147483648) % (-1)) + " " + (2147483648 % 10), "NaN NaN 0 -8", "% by 0");
is((4294967301 % 10) + " " + ("17" % 5) + " " + (true % 2) + " " + (10 % 3 * 2), "5 2 1 2", "% operands");

// Comparisons: only a right-hand number swaps the operands (then a string
// counts by its number); two strings compare by bytes; a boolean only
// checks for the same truth; objects equal only themselves.
is((1 < 2) + " " + (2 < 1) + " " + (2 <= 2) + " " + (3 >= 4) + " " + (5 > 4) + " " + (1 == 1) + " " + (1 != 1), "true false true false true true false", "numbers");
is(("10" < 9) + " " + ("10" > 9) + " " + (9 < "10") + " " + ("10" < "9") + " " + ("5" < 10) + " " + ("5" < "10") + " " + ("abc" < 1), "false true true true true false true", "text and number");
is(("abc" < "abd") + " " + ("abc" < "abcd") + " " + ("a" < "B") + " " + ("B" < "a") + " " + ("b" >= "a") + " " + ("a" <= "a"), "true true false true true true", "texts");
is(("a" == "a") + " " + ("a" != "b") + " " + (1 == "1") + " " + ("1" == 1) + " " + ("1.0" == 1) + " " + ("007" == 7) + " " + ("1.0" == "1"), "true true true true true true false", "equal texts");
is(("" == 0) + " " + ("abc" == 0) + " " + (null == 0) + " " + (null == null) + " " + (null == false) + " " + ("" == null) + " " + ("null" == null) + " " + (false == 0), "true true true true false false true true", "null");
is((true == 1) + " " + (true == 2) + " " + (2 == true) + " " + (true == "x") + " " + (true == "false") + " " + (false == "") + " " + (false == "0") + " " + (true < 2), "true false false true true true false true", "booleans");
is((false < true) + " " + (false > true) + " " + (true > false) + " " + (o == o) + " " + (o == p) + " " + (o != p) + " " + (o == 0), "false true true true false true true", "objects");
is((u == null) + " " + (null == u) + " " + (u == u) + " " + (1 / 0 == 1 / 0), "false false true false", "undefined");
// Infinity minus infinity is unordered but no NaN; the pairs of one function's parameters.
function pair(a, b) { return "" + (a < b) + (a <= b) + (a > b) + (a >= b) + (a == b) + (a != b); }
var big = 1e308 * 10, odd = big - big;
is(pair(1, 2) + " " + pair(2, 1) + " " + pair(-0, 0) + " " + pair(odd, 1) + " " + pair(1, odd) + " " + pair(big, big) + " " + pair(-big, 3) + " " + pair(1, nan),
  "truetruefalsefalsefalsetrue falsefalsetruetruefalsetrue falsetruefalsetruetruefalse falsefalsetruetruefalsetrue falsefalsetruetruefalsetrue falsetruefalsetruetruefalse truetruefalsefalsefalsetrue falsefalsefalsefalsefalsetrue", "pairs");
var values = new Array(3, -2.5, 0, -0, big, -big, odd), line = "";
for (i = 0; i < 7; i++) { line = line + pair(3, values[i]); if (i < 4) line = line + (3 + values[i]) + "," + (3 - values[i]) + "," + (3 * values[i]); line = line + "|"; }
is(line, "falsetruefalsetruetruefalse6,0,9|falsefalsetruetruefalsetrue0.5,5.5,-7.5|falsefalsetruetruefalsetrue3,3,0|falsefalsetruetruefalsetrue3,3,0|truetruefalsefalsefalsetrue|falsefalsetruetruefalsetrue|falsefalsetruetruefalsetrue|", "3 against each");
function cmp(a, b) { if (a < b) return "lt"; if (a > b) return "gt"; if (a == b) return "eq"; return "unordered"; }
is(cmp(1, 2) + cmp(2, 1) + cmp(2, 2) + cmp(odd, 1) + cmp(nan, nan) + cmp(big, big), "ltgteqgtunorderedeq", "in guards");
var c2 = new Array(1, nan);
is((c2[0] < c2[1]) + " " + (c2[0] != c2[1]) + " " + (c2[1] == c2[1]) + " " + (c2[0] <= 1), "false true false true", "elements");

// NaN: handed straight back, written NaN, false, unequal even to itself.
is(nan + " " + typeof nan + " " + (nan + 1) + " " + (1 - nan) + " " + (nan * 0) + " " + -nan, "NaN number NaN NaN NaN NaN", "NaN arithmetic");
is(("x" + nan) + " " + (nan + "x") + " " + (nan == nan) + " " + (nan != nan) + " " + (nan + 1 == nan), "xNaN NaNx false true false", "NaN text");
is((nan == 0) + " " + (0 != nan) + " " + (nan < 1) + " " + (nan >= 1) + " " + ("a" == nan) + " " + !nan + " " + (nan ? 1 : 2), "false true false false false true 2", "NaN compared");
// A variable or element that holds a NaN keeps it whatever is stored over it;
// one that never held it takes what it is given.
var x = 1 / 0; x = 5; var x2 = x; x += 1; var y = 3; y = nan; var na = 0 / 0, nb = na; nb = 5; na = 7;
var nc = nb; nc += 2; var list = new Array();
for (i = 0; i < 3; i++) list[i] = na;
list[1] = 1;
list[2]++;
var d = 4; d = Math.sqrt(-1); d = 3;
is(x + " " + x2 + " " + y + " " + na + " " + nb + " " + nc + " " + list.join(",") + " " + d, "NaN NaN NaN NaN NaN NaN NaN,NaN,NaN, 3", "NaN kept");

// && and || give booleans and stop as soon as the left side decides; ! any value.
var hits = 0;
function touch() { hits = hits + 1; return 1; }
is((2 && 3) + " " + (1 && 0) + " " + ("a" && "b") + " " + (0 || "") + " " + (0 || "x") + " " + (null || 5), "true false true false true true", "&& ||");
is((0 && touch()) + " " + hits + " " + (1 && touch()) + " " + hits + " " + ("a" || touch()) + " " + hits + " " + (0 || touch()) + " " + hits, "false 0 true 1 true 1 true 2", "short cut");
is(typeof (1 && 2) + " " + typeof (0 || 7) + " " + (1 && 2 || 0) + " " + (0 && 1 || 0), "boolean boolean true false", "boolean results");
is(!0 + " " + !1 + " " + !"" + " " + !"0" + " " + !null + " " + !o + " " + !touch + " " + !!"x", "true false true false true false false true", "!");

// + joins once either side is a string.
is(("a" + 1) + " " + (1 + "a") + " " + (1 + 2 + "3") + " " + ("3" + 1 + 2) + " " + ("x" + true) + " " + (true + "x"), "a1 1a 33 312 xtrue truex", "join");
is(("x" + null) + " " + ("x" + missing) + " " + ("x" + o) + " " + ("x" + f) + " " + ("x" + Math.max) + " " + ("x" + u), "xnull xnull xobject xfunction f() {...} xfunction xundefined", "join values");
is(("x" + 1.5) + " " + ("x" + 1 / 0) + " " + (1 / 0 + "x") + " " + ("" + 0.1) + " " + ("con" + "cat") + " [" + ("" + "") + "] " + ("a" + "b" + 3), "x1.5 xNaN NaNx 0.1 concat [] ab3", "join numbers");

// typeof: null has a type of its own, a missing name reads null, only a
// call that ends without return gives undefined; built-in names are functions.
is(typeof 1 + " " + typeof "s" + " " + typeof true + " " + typeof null + " " + typeof missing + " " + typeof undefined, "number string boolean null null null", "typeof");
is(typeof none() + " " + typeof u + " " + typeof o + " " + typeof f + " " + typeof Math.max + " " + typeof Math + " " + typeof Array, "undefined undefined object function function function function", "typeof values");
is(typeof window + " " + typeof document + " " + typeof Number.NaN + " " + typeof (1 == 1) + " " + typeof typeof 1 + " " + typeof ("a" + 1) + " " + typeof ("3" * 1), "object object number boolean string string number", "typeof results");
// void runs its operand and gives nothing.
function bump() { vn = vn + 1; return vn; }
var vn = 0; void bump(); void (vn = vn + 10);
is(vn, "11", "void");

// Compound assignment: += joins onto a held string; numbers are never shared.
var c = 10; c += 5; is(c, "15", "+="); c -= 3; is(c, "12", "-="); c *= 2; is(c, "24", "*=");
c /= 5; is(c, "4.8", "/="); var cy = 5, cz = cy; cz += 1;
var ts = "12", tt = "12", tq = "10", tb = true, ta = "a"; ts += 3; tt -= 3; tq *= "3"; tb += 1;
is(cy + " " + cz + " " + ts + typeof ts + " " + tt + typeof tt + " " + tq + " " + tb, "5 6 123string 9number 30 2", "compound operands");
ta += 1.5; ta += true; ta += null; ta += new Object();
is(ta, "a1.5truenullobject", "+= joins");
var w = 7.9, w2 = 6, w3 = 6, w4 = 1, w5 = -8, w6 = 9, w7 = 1;
w &= 2.5; w2 |= 9; w3 ^= 3; w4 <<= 33; w5 >>= 1; w6 /= 2; w7 /= 0;
is(w + " " + w2 + " " + w3 + " " + w4 + " " + w5 + " " + w6 + " " + w7 + " " + isNaN(w7), "2 15 5 2 -4 4.5 inf false", "compound bits");
o.count = 1; o.count += 4; o["count"] *= 2; o.text = "ab"; o.text += "cd"; var r = 2; r += r += 3;
is(o.count + " " + o.text + " " + r, "10 abcd 10", "compound members");
// ++ and --: postfix gives the old value, prefix the new; text becomes a number.
var ii = 5;
var jj = ii++;
var kk;
kk = ++ii;
var mm = ii--;
var nn;
nn = --ii;
is(jj + " " + kk + " " + mm + " " + nn + " " + ii, "5 7 7 5 5", "++ --");
var s5 = "5";
var t5 = s5++;
var b5 = true;
b5++;
var f5 = 1.5;
f5++;
var m5 = -1;
m5++;
is(t5 + typeof t5 + " " + s5 + typeof s5 + " " + b5 + " " + f5 + " " + m5, "5string 6number 2 2.5 0", "++ operands");
o.n = 1;
o.n++;
++o.n;
var a0 = new Array(); a0[0] = 10;
a0[0]--;
var key = "n";
o[key]++;
var cc = 0;
is(o.n + " " + a0[0] + " " + (cc++ + cc++) + " " + cc, "4 9 1 2", "++ members");

// Long loops span many step budgets without noticing.
var total = 0;
for (i = 0; i < 5000; i++) total += i;
var wn = 0;
while (wn < 3000) { wn++; }
var ws = "";
for (i = 0; i < 1000; i++) ws += "x";
var props = new Object(), sum = 0, pn;
for (i = 0; i < 300; i++) props["p" + i] = i;
for (pn in props) sum += props[pn];
is(total + " " + wn + " " + ws.length + " " + sum + " " + pn + " " + i, "12497500 3000 1000 44850 p299 300", "budget");
"ok " + rows
