function f() {}
function g(a) { return; }
function h(a, b, c) { return a ? b : c ? a : b; }
r = h(g(f()), h(1, 2, 3), (4 + 5) * 6);
document.write("x", 1, null, true, false, this.x);
window.status = "Done"; top.location.href = "http://x/";
o.m(1)(2);
