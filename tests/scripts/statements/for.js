// The three-clause for loop. Its own value is the condition's last value,
// false for a loop that ran to its end.
var out = "";
var i;
for (i = 0; i < 5; i++) out += i;
document.writeln("0..4: " + out);
out = "";
for (i = 10; i > 0; i -= 3) out += i + ",";
document.writeln("10 down by 3: " + out);
var table = "";
var a;
var b;
for (a = 1; a <= 3; a++) {
  for (b = 1; b <= 3; b++) {
    table += a * b + " ";
  }
  table += "| ";
}
document.writeln("table: " + table);
for (i = 0; i < 0; i++) document.writeln("never");
document.writeln("i after an empty loop = " + i);
var steps = 0;
for (i = 1; i < 100; i = i * 2) steps++;
document.writeln("doublings below 100: " + steps + ", i = " + i);
for (i = 0; i < 3; i++) ;
