// split keeps empty pieces; elements are named 0, 1, ... in order.
function show(a) {
  var out = a.length + ":";
  for (var i = 0; i < a.length; i++) out = out + "[" + a[i] + "]";
  document.writeln(out);
}
show("a,b,,c".split(","));
show(",a".split(","));
show("a,".split(","));
show("abc".split("x"));
show("a--b--c".split("--"));
show("abc".split());
// An empty separator cuts after every byte.
show("abc".split(""));
show("".split(","));
// A null separator splits at the text null.
show("xnullynull".split(null));
show("1.5.25".split("."));
