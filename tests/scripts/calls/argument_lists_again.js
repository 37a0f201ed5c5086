// A function called again and again with different argument counts, while
// its running calls add members, read its arguments by position and count
// them, and call it again from inside its own arguments and body.
function show(a, b, c) {
  var text = "";
  var k;
  for (k in show) text = text + k + "=" + show[k] + " ";
  return "[" + show.length + ": " + text + "| " + a + "," + b + "," + c + "]";
}
document.write(show(1, 2, 3), "<br>");
document.write(show(4), "<br>");
document.write(show(), "<br>");
document.write(show(5, 6, 7, 8, 9), "<br>");
document.write(show(10, 11), "<br>");

function grow(a, b) {
  grow.z = a + b;
  grow.b = b * 10;
  return grow.length + ":" + grow.z + ":" + b;
}
document.write(grow(1, 2), " ", grow(3), " ", grow(5, 6), " ", grow(7, 8, 9), "<br>");

function nest(n, m) {
  if (n < 1) return m;
  return nest(n - 1, nest(n - 1, m + 1) * 2) + nest[0];
}
document.write(nest(4, 1), " ", nest(2, 3), " ", nest(0, 9), "<br>");

function keep(x) { return x; }
var o = new Object();
o.p = 5;
var held = keep(o);
var again = keep(7);
document.write(held.p, " ", again, " ", keep(), " ", keep(o).p, "<br>");

function noDecl(a, b) {
  d = a * b;
  a = a + 1;
  return toString + " " + a + " " + d + " " + (valueOf == eval);
}
document.write(noDecl(2, 3), " ", noDecl(4, 5), " ", d, "<br>");

function loops(o) {
  for (key in o) last = key;
  return last + " " + key;
}
function peek() { return typeof key + " " + typeof last; }
document.write(peek(), " ", loops(o), " ", peek(), " ", typeof key, "<br>");

function same(a, a) { return a; }
document.write(same(1, 2), " ", same(3), " ", same(4, 5, 6), "<br>");

function twelve(a, b, c, d, e, f, g, h, i, j, k, l, m, n) {
  return a + b + c + d + e + f + g + h + i + j + k + l + m + n + twelve[13];
}
document.write(twelve(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14), " ");
document.write(twelve(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13), " ");
document.write(twelve(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15), "<br>");
document.write(Math.max(3, 9), " ", Math.max(1, 2), " ", Math.max(8), "<br>");
