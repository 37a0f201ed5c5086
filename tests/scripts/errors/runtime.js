// A run-time error ends its script with a report of the failing expression
// (and its line, where the text shows it). Each case runs as a timer of its
// own, so every report shows; none goes on past its error.
function fails(text) { setTimeout(text + "\ndocument.writeln('went on')", 0); }
// Calls: of a number, of a missing member, new of a number, a declaration
// inside a body (never bound), one made by eval (never bound either).
fails("var n = 5; n(1, \"two\")");
fails("var o = new Object(); o.nothing()");
fails("var x = 5; var y = new x;");
fails("function outer() {\n  function inner() { return 1; }\n  return inner();\n}\nouter();");
fails("eval('function fromEval() { return 1; }');\ndocument.writeln(typeof fromEval);\nfromEval();");
// Failures deep inside guards, returned calls and recursion, and inside a
// built-in's argument.
function check(a) { if (a.b.c) return 1; return 2; }
function down(n) { if (n == 0) return 0; return down(n - 1) + 1; }
function broken(n) { if (n == 0) return missing(n); return broken(n - 1) + down(3); }
function deep(n) { if (n < 1) return nothing(n); return deep(n - 1) + 1; }
fails("document.writeln(check(5))");
fails("document.writeln(broken(30))");
fails("document.writeln('deep: ' + deep(30))");
fails("var total = 2 + Math.floor(1.5);\ntotal = total + Math.max(3, Math.abs(missing.part)) * 2;");
// Members of a boolean, with of a number, a for without a condition.
fails("var flag = true; document.writeln(flag.x)");
fails("var n = 5;\nwith (n) {\n  document.writeln('with ran');\n}");
fails("var i;\nfor (i = 0; ; i++) {\n  document.writeln('body ran');\n  if (i > 2) break;\n}");
// Stores: ++ of a name never assigned, a
// ++ after "var name =" (taken for the declaration's own), %= and >>>=
// (no handler: the right side never runs), and void (nothing to store).
fails("counter++;");
fails("var i = 5;\nvar j;\nj = ++i;\ndocument.writeln(j + ' ' + i);\nvar k = ++i;");
fails("var x = 7;\nfunction side() { document.writeln('right-hand side ran'); return 2; }\nx %= side();");
fails("var x = 64; document.writeln(x >>> 1); x >>>= 1;");
fails("x = void 0;");
// The script itself stops at its first error: -= of a text that is no number.
document.writeln("before");
var s = "abc";
s -= 1;
document.writeln("not reached");
