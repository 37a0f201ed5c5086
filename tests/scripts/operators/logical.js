// && and || always give a boolean, never one of their operands, and stop
// as soon as the left operand decides; ! negates the truth of any value.
var hits = 0;
function touch() { hits = hits + 1; return 1; }
var o = new Object();
document.writeln((2 && 3) + " " + (1 && 0) + " " + ("a" && "b"));
document.writeln("0 && touch() = " + (0 && touch()) + ", hits = " + hits);
document.writeln("1 && touch() = " + (1 && touch()) + ", hits = " + hits);
document.writeln((0 || "") + " " + (0 || "x") + " " + (null || 5));
document.writeln("'a' || touch() = " + ("a" || touch()) + ", hits = " + hits);
document.writeln("0 || touch() = " + (0 || touch()) + ", hits = " + hits);
document.writeln("typeof (1 && 2) = " + typeof (1 && 2));
document.writeln("typeof (0 || 7) = " + typeof (0 || 7));
document.writeln(!0 + " " + !1);
document.writeln("!'' = " + !"");
document.writeln("!'0' = " + !"0");
document.writeln(!null + " " + !o + " " + !touch);
document.writeln("!!'x' = " + !!"x");
document.writeln((1 && 2 || 0) + " " + (0 && 1 || 0));
"a" && 5
