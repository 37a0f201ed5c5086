// Numbers under + - * and the comparisons, inside expressions and in
// statements: integers, fractions, negative zero, infinities, a NaN made by
// arithmetic (infinity minus infinity) and one made by a division by zero.
var big = 1e308 * 10, tiny = -1e308 * 10;
var odd = big - big, zeroed = 0 / 0, negZero = -0;
var values = new Array();
values[0] = 3; values[1] = -2.5; values[2] = 0; values[3] = negZero;
values[4] = big; values[5] = tiny; values[6] = odd; values[7] = zeroed;
var i, j, line;
for (i = 0; i < 8; i++) {
  line = "";
  for (j = 0; j < 8; j++) {
    var a = values[i], b = values[j];
    // Only finite results are printed: how an infinity or a NaN made by
    // arithmetic prints depends on the C library.
    if (i < 4 && j < 4) line = line + (a + b) + " " + (a - b) + " " + (a * b) + " ";
    line = line + (a < b) + (a <= b) + (a > b) + (a >= b) + (a == b) + (a != b) + "|";
  }
  document.writeln(line);
}
function cmp(a, b) { if (a < b) return "lt"; if (a > b) return "gt"; if (a == b) return "eq"; return "unordered"; }
document.writeln(cmp(1, 2) + " " + cmp(2, 1) + " " + cmp(2, 2) + " " + cmp(odd, 1) + " " + cmp(zeroed, zeroed) + " " + cmp(big, big));
document.writeln((0.1 + 0.2) + " " + (0.1 + 0.2 == 0.3) + " " + (2147483647 + 1) + " " + (-2147483648 - 1) + " " + (65536 * 65536));
