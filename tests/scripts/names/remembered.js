// The same name read or stored again and again at one place of the script
// must find what a first look-up there would find: a global, a local or a
// parameter, the object of a with block, the member of whichever object
// the expression gives this time.
var step = 2;
var total = 0;
function addStep() { total = total + step; }
function timesTen(step) { return step * 10; }
var line = "";
var i;
for (i = 0; i < 5; i++) {
  addStep();
  line = line + timesTen(i) + "/" + total + " ";
}
document.writeln("global and parameter of one name: " + line + "| step = " + step);

// A var met midway through a loop: the same name reads the global
// before and the local after.
var v = "global";
function late() {
  var out = "";
  var j;
  for (j = 0; j < 4; j++) {
    out = out + v + ",";
    if (j == 1) {
      var v = "local";
    }
  }
  return out;
}
document.writeln("var met midway: " + late() + " then " + late() + " | v = " + v);

// Locals of a recursive function hide the global at every depth.
var depth = "global depth";
function down(n) {
  var depth = n;
  if (n > 0) down(n - 1);
  return depth;
}
document.writeln("recursion: " + down(3) + " " + depth);

// with over objects that have the name or not: the same read finds the
// with object's member or the global.
var shade = "global shade";
var withShade = new Object();
withShade.shade = "object shade";
var without = new Object();
without.other = 1;
line = "";
var src;
for (i = 0; i < 6; i++) {
  if (i % 3 == 0) src = withShade;
  else src = without;
  with (src) {
    line = line + shade + "; ";
  }
}
document.writeln("with: " + line);
function readShade() { return shade; }
line = "";
for (i = 0; i < 4; i++) {
  if (i % 2) {
    with (withShade) {
      line = line + readShade() + "; ";
    }
  } else {
    line = line + readShade() + "; ";
  }
}
document.writeln("call inside with: " + line);
with (withShade) {
  shade = "assigned inside with";
}
document.writeln("after assignment inside with: " + shade + " / " + withShade.shade);

// One member read alternating between two objects with the member at
// different places.
var pts = new Array();
pts[0] = new Object();
pts[0].pad = "pad";
pts[0].v = "first";
pts[1] = new Object();
pts[1].v = "second";
pts[1].w = "w";
line = "";
for (i = 0; i < 6; i++) line = line + pts[i % 2].v + " ";
document.writeln("alternating reads: " + line);
for (i = 0; i < 6; i++) pts[i % 2].n = i;
for (i = 0; i < 6; i++) pts[i % 2].v += i;
document.writeln("alternating stores: " + pts[0].v + " " + pts[0].n + " | " + pts[1].v + " " + pts[1].n);

// Objects made and dropped in turn, the member at another place in each.
function make(k) {
  var o = new Object();
  if (k % 3 == 0) o.pad = "p";
  if (k % 3 == 1) {
    o.pad = "p";
    o.more = "m";
  }
  o.v = k;
  o.w = k * 2;
  return o;
}
var q;
line = "";
for (i = 0; i < 9; i++) {
  q = make(i);
  line = line + q.v + ":" + q.w + " ";
  q.v = q.v + 100;
  line = line + q.v + " ";
}
document.writeln("made and dropped: " + line);
var r;
line = "";
for (i = 0; i < 6; i++) {
  r = new Object();
  if (i % 2) r.x = "odd";
  line = line + r.x + " ";
}
document.writeln("member only on some: " + line);

// A built-in member answers before a slot of the same name.
var arr = new Array(1, 2, 3);
arr.length = 99;
var plain = new Object();
plain.length = 7;
var things = new Array();
things[0] = arr;
things[1] = plain;
line = "";
for (i = 0; i < 4; i++) line = line + things[i % 2].length + " ";
document.writeln("length: " + line);
arr.tag = "tag";
arr.reverse();
document.writeln("after reverse: " + arr.tag + " " + arr.join(",") + " " + arr[0]);
arr.sort();
document.writeln("after sort: " + arr.tag + " " + arr.join(","));

// A global made while the loop runs, read at the same place before and
// after.
line = "";
for (i = 0; i < 4; i++) {
  line = line + laterMade + " ";
  if (i == 1) laterMade = "made";
}
document.writeln("made later: " + line);

// Counting through one store again and again.
var count = 0;
function bump() { count = count + 1; count += 1; }
for (i = 0; i < 10; i++) bump();
document.writeln("count = " + count);

// Names compiled anew on every eval, of the same length.
var alpha = "A";
var gamma = "G";
var delta = "D";
var names = new Array("alpha", "gamma", "delta", "omega");
line = "";
for (i = 0; i < 8; i++) line = line + eval(names[i % 4]) + " ";
document.writeln("eval: " + line);

// Globals named like members of the window: the window's member answers
// (top stays the window's own, name is stored into the window), a name
// that is no member is the script's.
var top = 5;
var name = "mine";
var custom = "c";
function readAll() { return typeof top + "," + name + "," + custom; }
line = "";
for (i = 0; i < 3; i++) {
  line = line + readAll() + " ";
  name = name + i;
  custom = custom + i;
}
document.writeln("window members: " + line + "| " + window.name + " " + window.custom);
count
