// for ... in visits an object's own properties in the order they were
// made; the loop's value is the last name visited. Over an object without
// properties the body still runs once, with the variable null, unless the
// variable is a member.
var o = new Object();
o.x = 1;
o.y = 2;
o.z = 3;
var out = "";
var p;
for (p in o) out += p + "=" + o[p] + " ";
document.writeln("visited: " + out);
document.writeln("p after the loop = " + p);
var e = new Object();
var count = 0;
var q = "before";
for (q in e) count++;
document.writeln("empty object: body ran " + count + " time(s), q = " + q + " (" + typeof q + ")");
var holder = new Object();
var c2 = 0;
for (holder.name in e) c2++;
document.writeln("empty object, member variable: body ran " + c2 + " time(s)");
var names = new Array();
var k = 0;
for (names[k] in o) k++;
document.writeln("names[k]: " + names.join(",") + " k = " + k);
var t = new Object();
for (t.last in o) count++;
document.writeln("t.last = " + t.last);
var a = new Array("a", "b", "c");
out = "";
var i;
for (i in a) out += i + ":" + a[i] + " ";
document.writeln("array: " + out);
o[5] = "five";
out = "";
for (p in o) out += p + " ";
document.writeln("after o[5] = 'five': " + out);
function keys(obj) {
  var list = "";
  var key;
  for (key in obj) list += key;
  return list + " (key = " + key + ")";
}
document.writeln("keys(o) = " + keys(o));
document.writeln("global key = " + key);
out = "";
for (var v in o) out += v;
document.writeln("for (var v in o): " + out + ", v = " + v);
for (p in o) count++
