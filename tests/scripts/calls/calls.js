// Calls, one row a case: is(value, text, label) checks the text of a value
// and writes the label of a row that differs; the run ends with the count.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
// Arguments bind by position; f.arguments is the running function itself
// and f.length the count of arguments given. A parameter not passed is not
// bound (its name reads the global), extra ones are reached by position only.
var gb = "global b", ga = "global a";
function f(a, gb) { return "a=" + a + " b=" + gb + " " + f.length + " " + f.arguments[2]; }
function g() { return g.arguments == g; }
function pick(i) { return pick.arguments[i] + pick.arguments[i + 1]; }
function count() { return count.length; }
function callee() { return ga; }
function caller(ga) { return callee(); }
function inc(n) { n = n + 1; return n; }
is(f(1, 2, 3) + " | " + f(1) + " | " + g() + " " + pick(1, "one", "two") + " " + count() + count(7, 8) + " " + caller("param") + " " + inc(4), "a=1 b=2 3 3 | a=1 b=global b 1 null | true onetwo 02 global a 5", "arguments");
function sum() { var t = 0; var i; for (i = 0; i < sum.length; i++) t += sum.arguments[i]; return t; }
function joinAll(sep) { var s = ""; var i; for (i = 1; i < joinAll.length; i++) s += joinAll.arguments[i] + sep; return s; }
function expr(a) { return a; }
function nested(a, b) { return a + "/" + b; }
is(sum() + " " + sum(1, 2, 3, 4) + " " + joinAll("-", "a", "b", "c") + " " + expr(2 * 3 + 1) + " " + nested(expr("p"), nested("q", "r")), "0 10 a-b-c- 7 p/q/r", "argument lists");
function same(a, a) { return a; }
function many(a, b, c, d, e, f, g, h, i, j, k, l, m, n) { return a + b + c + d + e + f + g + h + i + j + k + l + m + n + many[13]; }
is(same(1, 2) + " " + same(3) + " " + same(4, 5, 6) + " " + many(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14) + " " + many(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13) + " " + many(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15), "1 3 4 119 91 119", "same names, many");
// While it runs a function walks as having no members, and its stores to
// itself are not read back.
function show(a, b, c) { var text = ""; var k; for (k in show) text = text + k + "=" + show[k]; return show.length + ":" + text + ":" + a + "," + b + "," + c; }
function grow(a, b) { grow.z = a + b; grow.b = b * 10; return grow.length + ":" + grow.z + ":" + b; }
is(show(1, 2, 3) + " " + show(4) + " " + show() + " " + show(5, 6, 7, 8, 9) + " " + grow(1, 2) + " " + grow(3) + " " + grow(7, 8, 9), "3:null=null:1,2,3 1:null=null:4,null,null 0:null=null:null,null,null 5:null=null:5,6,7 2:null:2 1:null:null 3:null:8", "running function");
function nest(n, m) { if (n < 1) return m; return nest(n - 1, nest(n - 1, m + 1) * 2) + nest[0]; }
function keep(x) { return x; }
var o = new Object(); o.p = 5; var held = keep(o);
is(nest(4, 1) + " " + nest(2, 3) + " " + nest(0, 9) + " " + held.p + " " + keep(7) + " " + keep() + " " + keep(o).p + " " + Math.max(3, 9) + Math.max(1, 2) + typeof Math.max(8), "208432 49 9 5 7 null 5 92undefined", "calls in arguments");
// Names not declared are the window's; a for ... in variable is the call's.
function noDecl(a, b) { d = a * b; a = a + 1; return toString + " " + a + " " + d + " " + (valueOf == eval); }
function loops(o) { for (key in o) last = key; return last + " " + key; }
function peek() { return typeof key + " " + typeof last; }
is(noDecl(2, 3) + " " + noDecl(4, 5) + " " + d + " " + peek() + " " + loops(o) + " " + peek() + " " + typeof key, "function 3 6 false function 5 20 false 20 null null p p null string null", "undeclared");
// A parameter that is not a name binds nothing: its name is the global's.
function psum(n, ~acc) { if (n == 0) return acc; return psum(n - 1, acc + n); }
function first(~a, b) { if (b < 1) return a; return first(b, b - 1) + 1; }
var acc = "global";
is(psum(3, 1) + " " + psum(0, 7) + " " + first(5, 2) + " " + psum(2, 10), "global global 2 global", "odd parameters");

// new runs a function on a fresh object, which is what new gives whatever
// the function returns; a plain call runs on the window.
function Point(x, y) { this.x = x; this.y = y; }
function Counter() { this.n = 0; }
function Weird() { this.a = 1; return 5; }
function Setter() { this.k = "set on the window"; }
function Maker(n) { this.v = n; return depth(n); }
function Made(n) { return depth(n) * 2; }
var p = new Point(3, 4), q = new Point(5, 6), c = new Counter, w = new Weird(), m = new Maker(3), made = new Made(4);
c.n++;
Setter();
is(p.x + "," + p.y + "," + q.x + "," + q.y + " " + typeof p + " " + p + " " + c.n + " " + typeof w + w.a + " " + Weird() + " " + k + " " + m.v + " " + typeof made + (made == 8), "3,4,5,6 object object 1 object1 5 set on the window 3 objectfalse", "new");
function area() { return this.w * this.h; }
var r = new Object(); r.w = 3; r.h = 4; r.area = area; var s = new String("abc"), e = new Object;
e.made = "yes";
function Node(v, next) { this.v = v; this.next = next; }
var n = new Node(1, new Node(2, new Node(3, null))), total = 0;
while (n != null) { total += n.v; n = n.next; }
is(r.area() + " " + s + s.length + typeof s + " " + e.made + " " + total, "12 abc3object yes 6", "methods, built-ins, lists");
// A prototype of its own for every function: objects read what they lack
// from it; members stored on the function are its own.
function Animal(name) { this.name = name; }
function describe() { return this.name + " has " + this.legs + " legs"; }
Animal.prototype.legs = 4; Animal.prototype.describe = describe; Animal.count = 0; Animal.count += 1;
Animal.count++;
var cat = new Animal("cat"), bird = new Animal("bird"), names = "", pn; bird.legs = 2;
var before = cat.describe() + ", " + bird.describe(); Animal.prototype.legs = 6;
function Other() { }
var x = new Other();
for (pn in cat) names += pn + " ";
is(before + " " + cat.legs + bird.legs + " " + typeof Animal.prototype + " " + x.legs + " " + names + Animal.count + " " + Animal.legs, "cat has 4 legs, bird has 2 legs 62 object null name 2 6", "prototype");

// Bodies of `if (...) return ...;` guards and a closing return: each guard in
// turn, in the body's scope (parameters, this, a var met later).
function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }
function size(x) { if (x > 100) return "big"; if (x > 10) return "mid"; if (x < 0) return "negative"; return "small"; }
var gq = "global";
function late(a) { if (a) return gq; var gq = "local"; return gq; }
function Box(v) { this.v = v; }
function larger(x) { if (this.v > x) return this.v; return x; }
var box = new Box(7); box.larger = larger;
function add(a, b) { if (b) return a + b; return a; }
is(fib(15) + " " + size(500) + size(50) + size(-3) + size(5) + " " + late(1) + late(0) + " " + box.larger(3) + box.larger(30) + " " + add(1) + add(1, 2), "610 bigmidnegativesmall globallocal 730 13", "guards");
var calls = 0;
function counted(limit) { if ((calls = calls + 1) > limit) return "stop at " + calls; if (calls == 2) return; var more = counted(limit); return more; }
is(typeof counted(4) + " " + calls + " " + counted(0), "undefined 2 stop at 3", "guards with effects");
function even(n) { if (n == 0) return true; return odd(n - 1); }
function odd(n) { if (n == 0) return false; return even(n - 1); }
function max2(a, b) { if (a > b) return a; return b; }
function sign(x) { if (x > 0) return 1; if (x < 0) return -1; return 0; }
function scale(x) { return x * factor + offset; }
function extra(a) { return extra.arguments[1] + extra.length; }
function thisIs() { return this == window; }
function title() { return document.title + "!"; }
function voided(x) { return void x; }
function text(s) { if (s.length > 3) return s.substring(0, 3); return s + "?"; }
var factor = 2, offset = 1, i, line = "", sum2 = 0;
for (i = 0; i < 6; i++) line = line + (even(i) ? "e" : "o");
for (i = -3; i < 4; i++) sum2 = sum2 + max2(i, 0) * 10 + sign(i);
var s1 = scale(3); offset = 5; line = line + " " + sum2 + " " + s1 + scale(3);
factor = "x"; line = line + scale(3); factor = 2; document.title = "page";
is(line + " " + extra(1, "two") + " " + thisIs() + " " + title() + title() + " " + typeof voided(3) + " " + Math.floor(max2(2.5, 1.5)) + max2(Math.abs(-7), 3) + " " + text("abcdef") + text("ab"), "eoeoeo 60 7115 two2 true page!page! undefined 27 abcab?", "plain bodies");
var bef = max2(1, 2); max2 = Math.min; line = bef + " " + max2(1, 2);
max2 = sign; line = line + " " + max2(5) + max2(-5); var nl = 0;
for (i = 0; i < 3000; i++) nl = nl + sign(i - 1500) + scale(i % 3);
is(line + " " + nl, "2 1 1-1 20999", "replaced");

// Recursion: tree, mutual, deeper than a C stack would take, missing
// arguments found as globals, functions handed in, returned with operators.
function depth(n) { if (n == 0) return 0; return depth(n - 1) + 1; }
function up(n) { if (n == 0) return 0; return 1 + up(n - 1); }
function fact(n) { if (n <= 1) return 1; return n * fact(n - 1); }
function ack(m, n) { if (m == 0) return n + 1; if (n == 0) return ack(m - 1, 1); return ack(m - 1, ack(m, n - 1)); }
function picks(n) { return n < 1 ? 0 : ((n % 3 == 0 || n % 5 == 0) ? n + picks(n - 1) : picks(n - 1)); }
is(fib(20) + " " + fib(1) + fib(0) + fib(-4) + fib(2.5) + " " + even(41) + odd(41) + even(300) + " " + ack(2, 3) + " " + ack(3, 3) + " " + depth(700) + " " + depth(6000) + " " + up(5000) + " " + fact(10) + " " + fact(20) + " " + picks(100), "6765 10-42 falsetruetrue 9 61 700 6000 5000 3628800 2.43290200817664e+18 2418", "recursion");
function fill(a, gb) { if (a < 1) return gb; return fill(a - 1) + "."; }
function scaled(n) { if (n < 1) return kk; return scaled(n - 1) * 2; }
function apply(f, x) { return f(x) + f(x + 1); }
function square(x) { return x * x; }
function tens(n) { return n * 10; }
function steps(n, tens) { if (n < 1) return tens(1); return steps(n - 1) + tens(n); }
function glue(s, n) { if (n < 1) return s; return glue(s + n, n - 1); }
function gcd(a, b) { if (b == 0) return a; return gcd(b, a - b * Math.floor(a / b)); }
var kk = 3; line = fill(2, "given") + " " + fill(0, "given") + " " + scaled(5); kk = 10;
is(line + " " + scaled(5) + " " + apply(square, 3) + " " + apply(fib, 10) + " " + steps(4, square) + " " + steps(2, tens) + " " + steps(3) + " " + glue("", 12) + " " + glue(1, 3) + " " + gcd(1071, 462), "global b.. given 96 320 25 144 86 40 70 121110987654321 7 21", "recursion with globals");
function sumTo(n, acc) { if (n == 0) return acc; return sumTo(n - 1, acc + n); }
function alone(n) { return depth(n); }
function noGuard(n) { return depth(n) + 1; }
function choose(n) { if (n < 1) return "low"; return n > 5 ? depth(n) : "mid " + depth(n); }
function declared(n) { var x = n * 2; return depth(x) + x; }
function twoStatements(n) { var s = "d="; return s + depth(n); }
function digits(n) { if (n == 0) return ""; return digits(n - 1) + n; }
function tree(n) { if (n == 0) return 1; return tree(n - 1) + tree(n - 1) * depth(2); }
function order(n) { if (n == 0) return ""; return keep(n) + "," + order(n - 1); }
is(fib(18) + " " + sumTo(200, 0) + " " + alone(40) + " " + noGuard(40) + " " + choose(0) + choose(3) + choose(9) + " " + declared(5) + " " + twoStatements(4) + " " + digits(12) + " " + tree(7) + " " + order(6), "2584 20100 40 41 lowmid 39 20 d=4 123456789101112 2187 6,5,4,3,2,1,", "returned calls");
var before2 = fib(15); fib = square; total = 0;
for (i = 0; i < 200; i++) total = total + even(i % 50) + depth(i % 20) + ack(1, i % 7);
is(before2 + " " + fib(15) + " " + total, "610 225 2994", "loops of calls");
"ok " + rows
