// void evaluates its operand for its effects and hands nothing on: as the
// last statement it leaves the script without a value.
var n = 0;
function bump() { n = n + 1; return n; }
n = 0;
void bump();
document.writeln("after void bump(): n = " + n);
void (n = 10);
document.writeln("after void (n = 10): n = " + n);
void bump()
