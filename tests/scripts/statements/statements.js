// Statements, one row a case: is(value, text, label) checks the text of a
// value and writes the label of a row that differs; the run ends with a
// block whose value is the count of rows.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
// Top-level declarations are bound before the script starts; the later of
// two with one name wins.
is(later(2) + " " + typeof later + " " + twice() + " " + (window.later == later), "20 function second true", "hoisted");
function later(n) { return n * 10; }
function twice() { return "first"; }
function twice() { return "second"; }
// A void, typeof, !, ~ or new statement right after a declaration's closing
// brace becomes the function's body instead of running where it stands.
var log = "";
function quirk() {
  log += "block;";
  return "from block";
}
void (log += "void;");
is("[" + log + "] " + typeof quirk() + " [" + log + "] " + quirk, "[] undefined [void;] function quirk() {...}", "declaration quirk");

// var: a new name starts null, an existing one keeps its value.
var va; var vb = 5; var vc = 1, vd, ve = vc + 1; vf = "kept"; var vf; vg = 1; var vg = 2;
is(va + typeof va + " " + vb + " " + vc + " " + vd + " " + ve + " " + vf + " " + vg + " " + window.vb, "nullnull 5 1 null 2 kept 2 5", "var");
// Blocks make no scope.
{ vb = 2; var vy = 3; }
{ }
;;
is(vb + " " + vy, "2 3", "blocks");

// Statement values, as eval gives them: the last statement's; a for loop's is
// its condition's last value, a for ... in's the last name visited.
var o = new Object(); o.x = 1; o.y = 2; o.z = 3; var i;
is(eval("{ 'first'; 'block value' }") + " " + eval("for (i = 0; i < 3; i++) ;") + " " + eval("for (p in o) i++") + " " + eval("var last = 7"), "block value false z 7", "statement values");
is(eval("if (2 > 1) 'then'; else 'else'") + eval("if (2 < 1) 'then'; else 'else'") + " " + eval("i = 0; while (i < 5) i++; i") + " " + typeof eval("function f() { }") + " " + typeof eval("with (o) y"), "thenelse 5 undefined undefined", "more statement values");

// if, else and ?: test any value for truth; else goes with the nearest if.
function sign(n) { if (n < 0) return "negative"; else if (n == 0) return "zero"; else return "positive"; }
function truth(v) { if (v) return "t"; else return "f"; }
is(sign(-3) + " " + sign(0) + " " + sign(7) + " " + truth("") + truth("0") + truth(null) + truth(0.0) + truth(-1) + truth(o) + truth(missing), "negative zero positive ftffttf", "if");
var out = "";
if (1) if (0) out = "inner then"; else out = "inner else";
if (0) out = "no else";
is(out + " " + (5 > 3 ? "yes" : "no") + ("" ? "yes" : "no") + " " + (vb < 0 ? "neg" : (vb == 2 ? "two" : "pos")), "inner else yesno two", "else, ?:");

// Loops: for, while, break out of nested blocks, continue running the step.
out = "";
for (i = 0; i < 5; i++) out += i;
for (i = 10; i > 0; i -= 3) out += "," + i;
var steps = 0;
for (i = 1; i < 100; i = i * 2) steps++;
is(out + " " + steps + " " + i, "01234,10,7,4,1 7 128", "for");
for (i = 0; i < 0; i++) out = "never";
var a, b, table = "";
for (a = 1; a <= 3; a++) {
  for (b = 1; b <= 3; b++) table += a * b + " ";
  table += "| ";
}
is(i + " " + table, "0 1 2 3 | 2 4 6 | 3 6 9 | ", "nested for");
i = 0; out = "";
while (i < 6) {
  i++;
  if (i % 2 == 0) continue;
  out += i;
}
while (0) out = "never";
var n = 3, down = "";
while (n) { down += n; n--; }
var rowsText = "", r = 0;
while (r < 3) {
  var c = 0;
  while (c < r + 1) { rowsText += "*"; c++; }
  rowsText += "/";
  r++;
}
var s = "";
while (s.length < 4) s += "ab";
is(out + " " + down + n + " " + rowsText + " " + s, "135 3210 */**/***/ abab", "while");
out = "";
for (i = 0; i < 10; i++) {
  if (i == 3) {
    {
      break;
    }
  }
  out += i;
}
out += "," + i + ","; var j;
for (i = 0; i < 3; i++) {
  for (j = 0; j < 3; j++) {
    if (j == 1) break;
    out += i + "" + j + " ";
  }
}
for (i = 0; i < 5; i++) { if (i == 2) continue; out += i; }
i = 0;
while (true) { i++; if (i > 4) break; }
is(out + " " + i, "012,3,00 10 20 0134 5", "break, continue");

// for ... in: own properties in the order made, the elements too; over an
// empty object the body runs once with a variable null, not with a member.
var p, q; out = "";
for (p in o) out += p + "=" + o[p] + " ";
is(out + p, "x=1 y=2 z=3 z", "for in");
out = "";
for (p in o) {
  for (q in o) {
    if (q == "y") break;
    out += p + q + " ";
  }
}
for (p in o) { if (p == "y") continue; out += p; }
is(out, "xx yx zx xz", "for in, break, continue");
var e = new Object(), count = 0, count2 = 0; q = "before";
for (q in e) count++;
var holder = new Object();
for (holder.name in e) count2++;
is(count + " " + q + " " + typeof q + " " + count2, "1 null null 0", "for in an empty object");
var names = new Array(); var k = 0;
for (names[k] in o) k++;
var t = new Object();
for (t.last in o) count++;
is(names.join(",") + " " + k + " " + t.last, "x,y,z, 3 z", "for in members");
var arr = new Array("a", "b", "c"); out = "";
for (i in arr) out += i + ":" + arr[i] + " ";
o[5] = "five";
for (p in o) out += p;
is(out, "0:a 1:b 2:c xyz5", "for in elements");
function keys(obj) { var list = ""; var key; for (key in obj) list += key; return list + key; }
out = "";
for (var v in o) out += v;
is(keys(o) + " " + key + " " + out + v, "xyz55 null xyz55", "for in variables");

// return ends a function from loops, with and for ... in; running off the
// end gives undefined.
function firstSquareAbove(a) { var i; for (i = 0; i < 10; i++) { if (i * i > a) return i; } return -1; }
var trace = "";
function early() { trace += "a"; return "done"; trace += "b"; }
function fromWith(obj) { with (obj) { return x + 1; } }
function firstName(obj) { var p; for (p in obj) return p; return "none"; }
function loop() { var n = 0; while (true) { n++; if (n == 7) return n; } }
function ends() { trace += "ran"; }
function inner() { return 41; }
function outer() { return inner() + 1; }
is(firstSquareAbove(10) + " " + firstSquareAbove(1000) + " " + early() + trace + " " + fromWith(o) + " " + firstName(o) + " " + firstName(e), "4 -1 donea 2 x null", "return");
is(loop() + " " + typeof ends() + " " + trace + " " + outer(), "7 undefined aran 42", "return again");

// A literal gives its value afresh, whatever was done to an earlier one.
function counter() { var n = 5; n++; n += 10; n *= 2; return n; }
function grow() { var s = "ab"; s += "c"; s += 1; return s; }
function forms() { var d = 2.5; var o = 017; var h = 0x1F; var big = 4294967296; d++; o--; h += 1; big += 1; return d + " " + o + " " + h + " " + big; }
is(counter() + " " + counter() + " " + grow() + " " + grow() + " " + forms() + " " + forms(), "32 32 abc1 abc1 3.5 14 32 4294967297 3.5 14 32 4294967297", "literals afresh");
var sl = new Array(), tl = new Array();
for (i = 0; i < 4; i++) sl[i] = 7;
sl[1]++;
sl[2] += 3; sl[3] = sl[3] * 2;
for (i = 0; i < 3; i++) tl[i] = "x";
tl[0] += "y"; tl[2] += tl[0]; var sum = 0;
for (k = 0; k < 5; k++) sum = sum + eval("3 + " + k);
is(sl.join(",") + " " + tl.join(",") + " " + sum, "7,8,10,14, xy,x,xxy, 25", "literals in slots");

// with puts an object first when names are read; stores never go to it. A
// plain call inside with runs with the with object as this.
var wo = new Object(); wo.x = "wo's x"; wo.y = 2; var x = "global x";
with (wo) out = x;
with (wo) { x = "assigned"; }
with (wo) { z = y * 10; }
is(out + " " + wo.x + " " + x + " " + z + " " + wo.z, "wo's x wo's x assigned 20 null", "with");
var wp = new Object(); wp.x = "wp's x";
with (wo) with (wp) out = x + "/" + y;
var y = "global y";
function readY() { return y; }
function isThis(obj) { return this == obj; }
var other = new Object(); other.readY = readY; var r2, same;
with (wo) {
  r = readY();
  r2 = other.readY();
  same = isThis(wo);
}
with (Math) out = out + " " + PI + " " + E;
is(out + " " + r + " " + r2 + " " + same, "wp's x/2 3.141592653589793 2.71828 2 global y true", "nested with, calls");
with (document) {
  write("write found on the document\n");
}
{
  "block";
  "ok " + rows
}
