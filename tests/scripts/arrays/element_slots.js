// Elements made and found by number, by text and out of order: each name
// has one slot, found again however it is asked for, and a new element
// gets a slot of its own only when none of its name exists.
function names(a) {
  var out = "", k;
  for (k in a) out = out + k + " ";
  return out;
}

// An element far past the others, then the ones before it filled in order.
var far = new Array();
far[100] = "far";
var i;
for (i = 0; i < 120; i++) if (i != 100) far[i] = i;
far[100] = far[100] + "!";
document.writeln("far: " + far[100] + " " + far[99] + " " + far[119] + " length " + far.length);
var count = 0, k;
for (k in far) if (k == "100") count++;
document.writeln("slots named 100: " + count);

// Digit names written as text, and ones that are no element's name.
var t = new Array();
t["3"] = "three";
t["05"] = "oh-five";
t[5] = "five";
t[3] = t[3] + "+";
document.writeln("text keys: " + t[3] + " " + t["05"] + " " + t[5] + " " + t["5"] + " length " + t.length);
document.writeln("names: " + names(t));

// After reverse and sort, numbers still find the first slot of the name.
var r = new Array();
for (i = 0; i < 20; i++) r[i] = "v" + i;
r.reverse();
r[25] = "new";
r[0] = r[0] + "*";
document.writeln("reversed: " + r[0] + " " + r[19] + " " + r[25] + " length " + r.length);
var line = "";
for (i = 0; i < 3; i++) {
  r[i] = r[i] + "#";
  line = line + r[i] + " ";
}
document.writeln("reversed by number: " + line + "| " + r.join(","));
var s = new Array();
for (i = 0; i < 15; i++) s[i] = 15 - i;
s.sort();
s[3] = "x";
document.writeln("sorted: " + s.join(",") + " | " + s[3] + " " + s[14]);
for (i = 10; i < 17; i++) s[i] = "s" + s[i];
document.writeln("sorted by number: " + s.join(","));

// Negative and fractional keys, and a read of an element never made.
var n = new Array();
n[-1] = "minus";
n[2.7] = "two";
n[2] = n[2] + "?";
document.writeln("odd keys: " + n[-1] + " " + n[2] + " " + n[7] + " length " + n.length);

// Elements added through a large gap, many times over.
var g = new Array();
for (i = 0; i < 2000; i = i + 37) g[i * 3] = i;
for (i = 0; i < 6000; i++) if (!g[i]) g[i] = 0;
var total = 0;
for (i = 0; i < 6000; i++) total = total + g[i];
document.writeln("gaps: " + total + " length " + g.length);
