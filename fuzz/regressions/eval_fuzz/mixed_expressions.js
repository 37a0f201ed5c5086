var i, s = 0, t = "", o = new Object(), a = new Array();
function f(x, y) { return x * 2 + (y ? y : 1) }
for (i = 0; i < 3000; i++) {
  s = (s + i * 7) % 1003;
  o.k = o.k + 1;
  a[i % 10] = -s + ~i + !o.k;
  t = typeof a[i % 10] + (i && s || 0) + a.length;
  s += f(i, o.k) - f(s);
  o["n" + (i % 5)] = t.length + document.title.length;
  window.status = "r" + i % 3;
  document.bgColor = s % 2 ? "red" : "blue";
}
s + t + o.n1 + document.title
