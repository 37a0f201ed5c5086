// Bodies that end in `return` of an expression holding calls of script
// functions, run across many budget rounds: recursion on both sides of an
// operator, a call returned alone, ?: around a call, a body with a var, a
// constructor, and a return that discards the call's own value.
function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }
function depth(n) { if (n == 0) return 0; return depth(n - 1) + 1; }
function sum(n, acc) { if (n == 0) return acc; return sum(n - 1, acc + n); }
function alone(n) { return depth(n); }
function noGuard(n) { return depth(n) + 1; }
function choose(n) { if (n < 1) return "low"; return n > 5 ? depth(n) : "mid " + depth(n); }
function declared(n) { var x = n * 2; return depth(x) + x; }
function twoStatements(n) { var s = "d="; return s + depth(n); }
function text(n) { if (n == 0) return ""; return text(n - 1) + n; }
function Maker(n) { this.v = n; return depth(n); }
function Made(n) { return depth(n) * 2; }
function nested(n) { if (n == 0) return 1; return nested(n - 1) + nested(n - 1) * depth(2); }
var calls = 0;
function counted(n) { calls = calls + 1; return n; }
function order(n) { if (n == 0) return ""; return counted(n) + "," + order(n - 1); }
document.writeln("fib(18) = " + fib(18));
document.writeln("depth(300) = " + depth(300));
document.writeln("sum(200, 0) = " + sum(200, 0));
document.writeln("alone(40) = " + alone(40) + ", noGuard(40) = " + noGuard(40));
document.writeln("choose: " + choose(0) + " / " + choose(3) + " / " + choose(9));
document.writeln("declared(5) = " + declared(5) + ", twoStatements(4) = " + twoStatements(4));
document.writeln("text(12) = " + text(12));
var m = new Maker(3);
document.writeln("new Maker(3).v = " + m.v);
var made = new Made(4);
document.writeln("new Made(4): " + typeof made + " " + (made == 8));
document.writeln("nested(7) = " + nested(7));
document.writeln("order(6) = " + order(6) + " after " + calls + " calls");
fib(14) + depth(50)
