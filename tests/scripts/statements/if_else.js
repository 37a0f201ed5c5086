// if/else and the conditional operator: any value is tested for truth;
// an else belongs to the nearest if.
function sign(n) {
  if (n < 0) return "negative";
  else if (n == 0) return "zero";
  else return "positive";
}
document.writeln(sign(-3) + " " + sign(0) + " " + sign(7));
var o = new Object();
if ("") document.writeln("'' is true"); else document.writeln("'' is false");
if ("0") document.writeln("'0' is true"); else document.writeln("'0' is false");
if (null) document.writeln("null is true"); else document.writeln("null is false");
if (0.0) document.writeln("0.0 is true"); else document.writeln("0.0 is false");
if (-1) document.writeln("-1 is true"); else document.writeln("-1 is false");
if (o) document.writeln("an object is true"); else document.writeln("an object is false");
if (missing) document.writeln("missing is true"); else document.writeln("missing is false");
if (1) if (0) document.writeln("inner then"); else document.writeln("inner else");
if (0) document.writeln("no else, not printed");
var x = 5;
if (x > 3) {
  document.writeln("block then, x = " + x);
  x = 1;
} else {
  document.writeln("block else");
}
document.writeln(x + " " + (5 > 3 ? "yes" : "no") + " " + ("" ? "yes" : "no"));
var n = 0;
document.writeln("nested conditional = " + (n < 0 ? "neg" : (n == 0 ? "zero" : "pos")));
if (2 > 1) "then value"; else "else value"
