// The window's native functions. Rows: is(value, text, label) checks the
// text of a value and writes the label of a row that differs; the run ends
// with the count. Dialogs, write and timers print what they do.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
// eval runs its text as the body of a call of its own: it sees the globals,
// not its caller's locals; a var in it is that call's; its value is the last
// statement's. A text that does not compile gives nothing, silently.
function local(a) { var b = 2; return eval("a * 10 + b"); }
function declares() { eval("var hidden = 'local'"); return hidden; }
var a = 1, b = 3;
is(eval("1 + 2") + " " + eval("'s' + 1") + " " + eval(5) + " " + eval("evx = 40; evx + 2") + " " + evx + " " + local(4) + " " + declares() + " " + hidden, "3 s1 5 42 40 13 null null", "eval");
eval(")");
eval("var fromEval = 'kept'");
is(eval("eval('7 * 6')") + " " + window.eval("2 + 2") + " " + fromEval + " " + eval("if (fromEval == 'kept') 'then'; else 'else'"), "42 4 null else", "eval again");
// Function compiles its last argument as a body, the others as parameter
// names (escapes resolved); it makes an object that calls like a function.
var add = new Function("a", "b", "return a + b"), seven = Function("return 7"), greet = new Function("who", "return 'hi ' + who");
var tri = new Function("n", "var t = 0; var i; for (i = 1; i <= n; i++) t += i; return t");
var empty = new Function(), k = 10, addK = new Function("x", "return x + k"), bad = new Function(")");
var escaped = new Function("a\\x", "b", "return ax + b");
bad();
is(add(2, 3) + " " + typeof add + " " + add + " " + seven() + " " + greet("there") + " " + tri(4) + " " + typeof empty() + " " + addK(5) + " " + typeof bad + " " + escaped(40, 2) + " " + add("x", 1), "5 object function () {...} 7 hi there 10 undefined 15 object 42 x1", "Function");
// toString gives an object's text; only write and writeln use a script's own
// toString (a join writes object); on the window a method runs without this.
function named(a, b) { return a; }
function custom() { return "custom:" + this.tag; }
var o = new Object(), n = 42, s = "text", t = new Object();
t.tag = "T";
t.toString = custom;
is(o.toString() + " " + named.toString() + " " + named + " " + n.toString() + typeof n.toString() + " " + s.toString() + " " + Math.max + " " + new Array(1, 2) + " " + typeof window.toString() + " " + document.toString(), "object function named() {...} function named() {...} 42string text function object undefined object", "toString");
is(t + " " + t.toString(), "object custom:T", "own toString");
document.write("written: ", t, "\n");
document.writeln(t);
// alert, confirm and prompt show on standard error; this host answers
// confirm with false and prompt with its second argument.
alert("hello");
alert(42);
alert(t);
var al = alert;
al("through a variable");
window.alert("via window");
var c = confirm("continue?"), p = prompt("name?", "nobody"), p2 = prompt("no default");
is(c + typeof c + " " + p + typeof p + " [" + p2 + "]", "falseboolean nobodystring []", "dialogs");
// setTimeout runs its text once the script is over, earliest first, and
// answers the timer's number; clearTimeout drops one; timers see the globals.
var log = "";
function later() { document.writeln("timer set by a timer"); }
var id1 = setTimeout("document.writeln('second timer, log = ' + log)", 20);
var id2 = setTimeout("document.writeln('first timer'); log = 'set by first'; setTimeout('later()', 0)", 10);
var id3 = setTimeout("document.writeln('cleared timer')", 5);
clearTimeout(id3);
is(id1 + " " + id2 + " " + id3 + " " + typeof id1, "1 2 3 number", "timer numbers");
"ok " + rows
