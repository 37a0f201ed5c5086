// Names, one row a case: is(value, text, label) checks the text of a value
// and writes the label of a row that differs; the run ends with the count.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
// Missing names and members read null; a store to an unknown name makes a
// member of the window, also from inside a function.
var o = new Object(), a = new Array(), s = "hello";
function reads() { return notDeclaredAnywhere; }
function makes() { madeInside = "made"; }
created = 1; makes();
is(nothing + " " + typeof nothing + " " + (nothing == null) + " " + o.absent + " " + o["absent"] + " " + a[5] + " " + reads() + " " + window.created + " " + madeInside + window.madeInside + " " + s.length + s.nothing, "null null true null null null null 1 mademade 5null", "missing");

// Inside a function: locals, then arguments, then members of this, then the
// window. A name is no local until its var has run; a var that runs again
// starts over at null; a var list declares like assignments.
x = "global x"; var gg = "global", n = "global n", m = "global m", only = "global only", shared = "outer";
function withVar() { var gg = "local"; return gg; }
function noVar() { g2 = "made in a function"; return g2; }
function single() { var only = 3; return only; }
function listVar() { var lm = 1, ln = 2; return lm + ln; }
function counter() { var t = 1; t = t + 1; t += 10; return t; }
function assignParam(p) { p = p * 2; return p; }
function readGlobal() { return shared; }
function hideAndCall() { var shared = "hidden"; return readGlobal(); }
is(withVar() + " " + gg + " " + noVar() + " " + g2 + " " + single() + only + " " + listVar() + lm + ln + " " + counter() + " " + t + " " + assignParam(21) + " " + p + " " + hideAndCall(), "local global made in a function made in a function 3global only 312 12 null 42 null outer", "locals, globals");
function early() { var r = x + "/"; var x = "late"; return r + x; }
function again(n) { var s = ""; var i; for (i = 0; i < n; i++) { var v; s = s + v + ","; v = i; } return s; }
function shadow(a) { var b = a; var a; return b + "," + a; }
function shadow2(n) { var n; return n; }
function loop(o) { for (k in o) last = k; return k + " " + typeof k; }
function loopVar(o) { var n = 0; for (var p in o) n++; return p + n; }
o.first = 1; o.second = 2;
is(early() + " " + early() + " " + again(3) + " " + shadow(5) + " " + shadow2("kept") + " " + loop(o) + " " + k + " " + loopVar(o), "global x/late global x/late null,null,null, 5,null null second string null second2", "var runs");
function builtIns() { var length = 3; var top = "t"; return length + top + typeof toString; }
function Store(p) { this.q = 0; q = 7; p = 8; var z; z = 9; return this.q + "," + p + "," + z; }
var st = new Store(1);
function manyVars() {
  var a1 = 1, a2 = 2;
  var b1 = 1; var b2 = 2; var b3 = 3; var b4 = 4; var b5 = 5; var b6 = 6; var b7 = 7; var b8 = 8;
  b8 += b1 + b2 + b3 + b4 + b5 + b6 + b7;
  return b8 + " " + a1 + a2;
}
function compound() { var t = "a"; t += "b"; t += 1; var u = 5; u++; u <<= 2; return t + u; }
function inEval() { var h = 1; eval("var h = 2; var e = 3"); return h + "," + typeof e; }
function recurse(n) { var d = n; if (n > 0) recurse(n - 1); return d; }
function storeFirst() { y = 5; var y = 1; return y; }
is(builtIns() + " " + st.q + typeof z + typeof q + " " + manyVars() + " " + a1 + " " + typeof b1 + " " + compound() + " " + inEval() + " " + typeof e + " " + recurse(4) + " " + storeFirst() + " " + y, "3tfunction 7nullnull 36 12 1 null ab124 1,null null 4 1 5", "local cells");
// Each identifier finds its cell directly: cells in another order in each
// function, a key held in a cell, recursion past the kept locals, a body
// made by the Function constructor.
function ab() { var a = "a"; var b = "b"; return a + b; }
function ba() { var b = "B"; var a = "A"; return a + b; }
function keyed(o) { var k = "x"; var x = 5; o.x = 1; return x + o.x + o[k]; }
function sumDown(n) { var v = n; var w; if (n > 0) w = sumDown(n - 1); else w = 0; return v + w; }
var made = new Function("p", "var q = p * 2; var r; for (r in o) q++; return q + r + p;");
is(ab() + ba() + ab() + " " + keyed(new Object()) + " " + sumDown(20) + " " + made(3), "abABab 7 210 8second3", "cells by name");
// Reads and stores inside calls: a repeated parameter name reads its first
// argument; a parameter reads until a var of its name has run, even in a
// loop; a cell takes every operator and gives ++'s old value.
function twice(a, a) { return a; }
function untilVar(n) { var out = ""; var r; for (r = 0; r < 3; r++) { out = out + n + ","; var n = r * 10; } return out + n; }
function ops(p) { var c = p; var old = c++; c += 10; c <<= 1; c -= p; var t = "t"; t += c; return old + "," + c + "," + t; }
is(twice(1, 2) + " " + twice("one") + " " + untilVar("arg") + " " + ops(3), "1 one arg,0,10,20 3,25,t25", "calls' own names");
function plain(n) { return n + "/" + m; }
function declared(n) { var m = "local m"; return n + "/" + m + "/" + only; }
function builtin() { return typeof toString; }
function builtinDeclared() { var x = 1; return typeof toString; }
function both(m) { return m; }
o.m = "o's m"; o.only = "o's only"; o.both = both; o.declared = declared;
is(plain("arg n") + " " + plain() + " " + declared("arg n") + " " + builtin() + builtinDeclared() + " " + o.both("arg m") + " " + o.both() + " " + o.declared("x"), "arg n/global m global n/global m arg n/local m/global only functionfunction arg m o's m x/local m/o's only", "scope order");
function many(a, b, c, d, e, f, g, h, i, j, k, l, p, q) { return a + b + c + d + e + f + g + h + i + j + k + l + p + q + m; }
function deep(k) { if (k == 0) return n; return deep(k - 1) + k; }
function assigns(n) { n = n + "!"; m2 = "set " + n; return n; }
function inWith(n) { with (o) { return n + "/" + m; } }
function viaArguments(a, b) { a = "changed"; return viaArguments.arguments[0] + " " + b; }
is(many(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14) + " " + many(1, 2, 3) + " " + deep(6) + " " + assigns("a") + " " + m2 + " " + n + " " + inWith("arg n") + " " + viaArguments("x", "y"), "105global m 6global m global n123456 a! set a! global n arg n/o's m changed y", "scope order again");
// Members of this are plain names in a method; a store to one this has goes
// to this, others to the window.
function getX() { return x; }
function setX(v) { x = v; }
function setW() { w = "w set"; }
function whoAmI() { return this == o; }
o.x = "o's x"; o.getX = getX; o.setX = setX; o.setW = setW; o.whoAmI = whoAmI;
var got = o.getX() + " " + getX(); o.setX("changed"); o.setW();
is(got + " " + o.x + " " + x + " " + o.w + " " + w + " " + o.whoAmI() + whoAmI() + " " + (this == window), "o's x global x changed global x null w set truefalse true", "this");

// with: innermost first; a with of an object already in scope changes
// nothing; a called body sees none of its caller's; stores never go to it.
wa = new Object(); wa.x = "a.x"; wa.y = "a.y"; wa.z = "a.z"; wb = new Object(); wb.y = "b.y";
wc = new Object(); wc.z = "c.z";
function seen() { return typeof x + "," + yy; }
yy = "global y"; var line = "";
with (wa) with (wb) with (wa) with (wc) { line = x + " " + y + " " + z + " " + seen(); }
with (wa) with (wa) with (wa) { line = line + " " + x; x = "assigned"; }
with (wb) { with (wc) { if (true) { for (i = 0; i < 2; i++) { line = line + " " + y + z + i; } } } }
is(line + " " + wa.x + " " + x, "a.x a.y c.z string,global y a.x b.yc.z0 b.yc.z1 a.x assigned", "with chain");
text = "wo = new Object(); wo.k = 1; ";
for (i = 0; i < 2000; i++) text = text + "with (wo) ";
eval(text + "k = k + 1");
is(k, "2", "2000 withs");

// The same name at one place of the script, read or stored again and again,
// finds what a first look-up there would: global or parameter, a var met
// midway, the with object's member or the global, a member of whichever
// object comes.
var step = 2, total = 0;
function addStep() { total = total + step; }
function timesTen(step) { return step * 10; }
line = "";
for (i = 0; i < 5; i++) { addStep(); line = line + timesTen(i) + "/" + total + " "; }
is(line + step, "0/2 10/4 20/6 30/8 40/10 2", "global and parameter");
var v = "global";
function midway() {
  var out = "";
  var j;
  for (j = 0; j < 4; j++) {
    out = out + v + ",";
    if (j == 1) {
      var v = "local";
    }
  }
  return out;
}
var depth = "global depth";
function down(n) { var depth = n; if (n > 0) down(n - 1); return depth; }
is(midway() + " " + midway() + " " + v + " " + down(3) + " " + depth, "global,global,local,local, global,global,local,local, global 3 global depth", "var midway");
var shade = "global shade", withShade = new Object(), without = new Object(), src;
withShade.shade = "object shade";
without.other = 1;
line = "";
for (i = 0; i < 6; i++) {
  if (i % 3 == 0) src = withShade;
  else src = without;
  with (src) line = line + shade + ";";
}
function readShade() { return shade; }
for (i = 0; i < 4; i++) {
  if (i % 2) {
    with (withShade) line = line + readShade() + ";";
  } else line = line + readShade() + ";";
}
with (withShade) shade = "assigned inside with";
is(line + " " + shade + "/" + withShade.shade, "object shade;global shade;global shade;object shade;global shade;global shade;global shade;object shade;global shade;object shade; assigned inside with/object shade", "with in loops");
var pts = new Array(); pts[0] = new Object(); pts[0].pad = "pad"; pts[0].v = "first"; pts[1] = new Object();
pts[1].v = "second"; pts[1].w = "w"; line = "";
for (i = 0; i < 6; i++) line = line + pts[i % 2].v;
for (i = 0; i < 6; i++) pts[i % 2].n = i;
for (i = 0; i < 6; i++) pts[i % 2].v += i;
is(line + " " + pts[0].v + pts[0].n + " " + pts[1].v + pts[1].n, "firstsecondfirstsecondfirstsecond first0244 second1355", "alternating objects");
function make(k) {
  var o = new Object();
  if (k % 3 == 0) o.pad = "p";
  if (k % 3 == 1) { o.pad = "p"; o.more = "m"; }
  o.v = k;
  o.w = k * 2;
  return o;
}
var q2, r; line = "";
for (i = 0; i < 9; i++) { q2 = make(i); line = line + q2.v + ":" + q2.w + " "; q2.v = q2.v + 100; line = line + q2.v + " "; }
for (i = 0; i < 6; i++) { r = new Object(); if (i % 2) r.x = "odd"; line = line + r.x + " "; }
is(line, "0:0 100 1:2 101 2:4 102 3:6 103 4:8 104 5:10 105 6:12 106 7:14 107 8:16 108 null odd null odd null odd ", "made and dropped");
// A built-in member answers before a slot of the same name.
var arr = new Array(1, 2, 3), plainLength = new Object(), things = new Array(); arr.length = 99;
plainLength.length = 7; things[0] = arr; things[1] = plainLength; line = "";
for (i = 0; i < 4; i++) line = line + things[i % 2].length + " ";
arr.tag = "tag"; arr.reverse(); line = line + arr.tag + " " + arr.join(",") + " " + arr[0]; arr.sort();
is(line + " " + arr.tag + " " + arr.join(","), "3 7 3 7 tag tag,99,3,2,1, 1 tag 1,2,3,99,tag,", "built-in members first");
line = "";
for (i = 0; i < 4; i++) { line = line + laterMade + " "; if (i == 1) laterMade = "made"; }
var count = 0;
function bump() { count = count + 1; count += 1; }
for (i = 0; i < 10; i++) bump();
var alpha = "A", gamma = "G", delta = "D", evalNames = new Array("alpha", "gamma", "delta", "omega");
for (i = 0; i < 8; i++) line = line + eval(evalNames[i % 4]) + " ";
is(line + count, "null null made made A G D null A G D null 20", "made later, counted, eval");
// Globals named like members of the window: the window's member answers
// (top stays the window's own, name is stored into the window).
var top = 5, name = "mine", custom = "c";
function readAll() { return typeof top + "," + name + "," + custom; }
line = "";
for (i = 0; i < 3; i++) { line = line + readAll() + " "; name = name + i; custom = custom + i; }
is(line + window.name + " " + window.custom, "object,mine,c object,mine0,c0 object,mine01,c01 mine012 c012", "window members");
// Stores from inside a call: to parameters, to globals behind a parameter
// list, to a var list's names (globals) and to parameters named like
// built-in names. A store finds a member of this before a parameter of the
// same name, a look-up the parameter first.
var total = 0, seen = "";
function tally(k, step) { var i, acc = 0; for (i = 0; i < k; i++) { acc += step; total = total + step; step++; } k = k * 10; k++; k += 1; return acc + "," + k + "," + step; }
function Holder(v) { this.v = "member"; v = "stored"; this.w = v; }
var held = new Holder("argument");
function named(length, top) { length = length + 1; top += "!"; return length + " " + top; }
function listed(a) { var la, lb = a; la = lb * 2; lb += la; a = a + lb; return a; }
is(tally(4, 3) + " " + total + " " + typeof i + " " + held.v + "/" + held.w + " " + named(1, "t") + " " + listed(2) + " " + la + " " + lb + " " + typeof a, "18,42,7 18 number stored/argument 0 t! 8 4 6 object", "stores in calls");
// A parameter without an argument is no slot: a store to it lands on the
// window; a compound store that its argument's slot refuses goes on to the
// window's name.
var rr = "global rr", qq = 10;
function missingArg(p, rr) { rr = "stored"; return p + "/" + rr; }
function refused(qq) { qq -= 1; return qq; }
function manyStores(a, b, c, d, e, f, g, h, i, j, k, l, m, n) { n = n + 1; a += 1; return a + n; }
is(missingArg(1) + " " + rr + " " + refused(null) + " " + qq + " " + manyStores(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14), "1/stored stored null 9 17", "stores past the cells");
// Built-in names inside calls: the window's built-ins answer past the
// locals, the arguments and this, each of which may hold the name first;
// the locals of a call answer eval and toString themselves.
function useMath(x) { return Math.floor(x) + "," + parseInt("12px") + "," + typeof escape + "," + typeof eval + "," + typeof toString; }
function shadowLocal(x) { var Math = "local"; return Math + x; }
function shadowParam(parseInt) { return parseInt; }
function Shade() { this.escape = "member"; this.read = readEscape; }
function readEscape() { return typeof escape == "string" ? escape : typeof escape; }
var shade = new Shade();
is(useMath(2.5) + " " + shadowLocal(1) + " " + shadowParam("param") + " " + shade.read() + " " + readEscape() + " " + typeof Math.floor, "2,12,function,function,function local1 param member function function", "built-ins in calls");
// A call whose only declaration is a var list: an eval's var stays in the
// eval's own call, so the store after it lands on the window.
function evalList() { var a1x, b1x = 1; eval("var ev = 5"); ev = ev + 1; return ev + "," + typeof a1x + "," + b1x; }
is(evalList() + " " + typeof ev + " " + ev + " " + b1x, "1,null,1 number 1 1", "var list and eval in a call");
"ok " + rows
