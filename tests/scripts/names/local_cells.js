// A function's declared variables: a name is not a local until its var has
// run, a var that runs again starts the variable over at null, a var of a
// parameter's name hides the parameter, and for ... in declares its
// variable. Stores go to a declared local, then this, then the arguments.
x = "global x";
function early() { var r = x + "/"; var x = "late"; return r + x; }
document.writeln(early() + " " + early());
function again(n) {
  var s = "";
  var i;
  for (i = 0; i < n; i++) { var v; s = s + v + ","; v = i; }
  return s;
}
document.writeln(again(3));
function shadow(a) { var b = a; var a; return b + "," + a; }
document.writeln(shadow(5));
function loop(o) { for (k in o) last = k; return k + " " + typeof k; }
o = new Object(); o.first = 1; o.second = 2;
document.writeln(loop(o) + " / k = " + k);
function loopVar(o) { var n = 0; for (var p in o) n++; return p + n; }
document.writeln(loopVar(o));
function builtIns() { var length = 3; var top = "t"; return length + top + typeof toString; }
document.writeln(builtIns());
function Store(p) { this.q = 0; q = 7; p = 8; var z; z = 9; return this.q + "," + p + "," + z; }
s = new Store(1);
document.writeln(s.q + " " + typeof z + " " + typeof q);
function many() {
  var a1 = 1, a2 = 2;
  var b1 = 1; var b2 = 2; var b3 = 3; var b4 = 4; var b5 = 5; var b6 = 6; var b7 = 7; var b8 = 8;
  b8 += b1 + b2 + b3 + b4 + b5 + b6 + b7;
  return b8 + " " + a1 + a2;
}
document.writeln(many() + " " + a1 + " " + typeof b1);
function compound() { var t = "a"; t += "b"; t += 1; var u = 5; u++; u <<= 2; return t + u; }
document.writeln(compound());
function inEval() { var h = 1; eval("var h = 2; var e = 3"); return h + "," + typeof e; }
document.writeln(inEval() + " " + typeof e);
function recurse(n) { var d = n; if (n > 0) recurse(n - 1); return d; }
document.writeln(recurse(4));
// A store before the var has run is not a local's: it reaches the window.
function storeFirst() { y = 5; var y = 1; return y; }
document.writeln(storeFirst() + " " + y);
