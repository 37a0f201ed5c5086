// Elements read and stored through computed keys: a number key names the
// element of its integer, a text key the slot of that very text. The same
// element must be found whichever way it was made, after sort and reverse
// moved the slots, and length must follow every store.
var a = new Array();
var i;
for (i = 0; i < 40; i++) a[i] = i * i;
var sum = 0;
for (i = 0; i < 40; i++) sum = sum + a[i];
document.writeln("filled: " + a.length + " " + sum + " " + a[7] + " " + a[39]);

// Arithmetic in place on the elements.
for (i = 0; i < 40; i++) {
  a[i] += 1;
  a[i]++;
  ++a[i];
  a[i] -= 2;
  a[i] *= 3;
}
var line = "";
for (i = 0; i < 12; i++) line = line + a[i] + " ";
document.writeln("in place: " + line + a.length);
var k = 5;
var old;
var pre;
old = a[k]++;
pre = ++a[k];
document.writeln("a[5]++ gave " + old + ", ++a[5] gave " + pre + ", a[5] = " + a[5]);
a[k] = a[k] / 0;
document.writeln("divided by 0: " + a[k]);
a[k] = 8;
document.writeln("a slot holding NaN keeps it: " + a[k]);
old = a[k]++;
a[k] += 2;
document.writeln("also through ++ and +=: " + old + " " + a[k]);
a[k + 1] = a[k + 1] % 0;
document.writeln("mod 0: " + a[6] + ", a[7] >>> 1 = " + (a[7] >>> 1));

// reverse and sort move the slots; each name keeps its element.
var b = new Array("d", "b", "a", "c", "b");
b.reverse();
line = "";
for (i = 0; i < b.length; i++) line = line + i + ":" + b[i] + " ";
document.writeln("reversed: " + b.join(",") + " | by index " + line);
b.sort();
line = "";
for (i = 0; i < b.length; i++) line = line + i + ":" + b[i] + " ";
document.writeln("sorted: " + b.join(",") + " | by index " + line);
for (i = 0; i < b.length; i++) b[i] = b[i] + i;
document.writeln("stored after sort: " + b.join(","));
line = "";
for (k in b) line = line + k + "=" + b[k] + " ";
document.writeln("for-in: " + line);
b.reverse();
b[2] = "new";
line = "";
for (i = 0; i < b.length; i++) line = line + b[i] + " ";
document.writeln("after a second reverse: " + b.join(",") + " | by index " + line);
var nums = new Array(10, 9, 1, 100, 25);
nums.sort();
line = "";
for (i = 0; i < 5; i++) line = line + nums[i] + " ";
document.writeln("numbers sorted as texts: " + nums.join(",") + " | by index " + line);

// Text and number keys naming the same element.
var c = new Array();
var s3 = "3";
var n3 = 3;
c[s3] = "by text";
document.writeln("c[3] = " + c[n3] + ", length " + c.length);
c[n3] = "by number";
document.writeln("c['3'] = " + c[s3] + ", length " + c.length);
var s03 = "03";
c[s03] = "other name";
document.writeln("c['03'] = " + c[s03] + ", c[3] = " + c[n3] + ", length " + c.length);

// Keys that are no small whole number.
var f = 1.9;
c[f] = "one";
document.writeln("c[1.9] = " + c[f] + ", c[1] = " + c[1] + ", c['1'] = " + c["1"] + ", length " + c.length);
var neg = -2;
c[neg] = "minus two";
document.writeln("c[-2] = " + c[neg] + ", c['-2'] = " + c["-2"] + ", length " + c.length);
var negHalf = -0.5;
c[negHalf] = "zero";
document.writeln("c[-0.5] = " + c[negHalf] + ", c[0] = " + c[0] + ", length " + c.length);
var nan = 0 / 0;
document.writeln("c[NaN] = " + c[nan]);
c[nan] = "zero again";
document.writeln("after c[NaN] = ...: c[0] = " + c[0] + ", length " + c.length);
var wrap = 4294967299;
c[wrap] = "three";
document.writeln("c[4294967299] = " + c[wrap] + ", c[3] = " + c[n3] + ", length " + c.length);
line = "";
for (k in c) line = line + k + "=" + c[k] + " ";
document.writeln("for-in: " + line);

// The top of the 32-bit range.
var d = new Array();
var highest = 2147483647;
d[highest] = "top";
document.writeln("d[2147483647]: " + d[highest] + ", length " + d.length);
d[highest - 1] = "below";
document.writeln("d[2147483646]: " + d[highest - 1] + ", length " + d.length);
d[highest] = "top again";
document.writeln("d[2147483647] again: " + d[highest] + ", length " + d.length);
var beyond = 2147483648;
d[beyond] = "beyond";
document.writeln("d[2147483648] = " + d[beyond] + ", d[-2147483648] = " + d[-2147483648] + ", length " + d.length);

// Sparse keys far past the elements, then the gap filled.
var e = new Array(1, 2, 3);
var far = 100000;
e[far] = "far";
document.writeln("sparse: " + e.length + " " + e[far] + " " + e[far - 1]);
for (i = 3; i < 60; i++) e[i] = i;
document.writeln("filled below: " + e.length + " " + e[far] + " " + e[59] + " " + e[30] + " " + e[2]);
var near = 26;
e[near] += 100;
document.writeln("e[26] = " + e[near] + ", e[25] = " + e[near - 1]);

// The constructor's elements and counts.
var g = new Array(3, 4, 5);
line = "";
for (i = 0; i < 4; i++) line = line + g[i] + " ";
document.writeln("new Array(3, 4, 5): " + g.length + " | " + line);
g[i] = 6;
document.writeln("stored at 4: " + g.length + " " + g.join(","));
var h = new Array(4);
h[i - 2] = "two";
line = "";
for (i = 0; i < h.length; i++) line = line + h[i] + " ";
document.writeln("new Array(4): " + h.length + " | " + line);

// Counting with elements as counters.
var counts = new Array();
for (i = 0; i < 7; i++) counts[i] = 0;
for (i = 0; i < 100; i++) counts[i % 7]++;
document.writeln("counts: " + counts.join(","));
var bits = new Array();
for (i = 0; i < 6; i++) bits[i] = ((i - 2) * 100000007) >>> (i % 3);
document.writeln(">>> keeps 27 bits: " + bits.join(","));
for (i = 0; i < 6; i++) bits[i] = (-1 - i * 1000) >> i;
document.writeln(">>: " + bits.join(","));
for (i = 0; i < 6; i++) bits[i] = (i + 3) << (i * 7);
document.writeln("<<: " + bits.join(","));
for (i = 0; i < 6; i++) bits[i] = (i * 5 & 6) + "|" + (i | 9) + "|" + (i ^ 3) + "|" + (17 % (i + 1)) + "|" + (-17 % (i + 1));
document.writeln("& | ^ %: " + bits.join(","));
var cmp = new Array();
cmp[0] = 1;
cmp[1] = nan;
document.writeln("compare: " + (cmp[0] < cmp[1]) + " " + (cmp[0] != cmp[1]) + " " + (cmp[1] == cmp[1]) + " " + (cmp[0] <= 1));
// Numbers past the double range and the unordered result of their
// difference (a number that is not the NaN value).
var big = 1e308 * 10;
var odd = big - big;
var p = new Array(1, 2, 2, 1, -0, 0, odd, 1, 1, odd, big, big);
line = "";
for (i = 0; i < p.length; i += 2) {
  line = line + (p[i] < p[i + 1]) + "," + (p[i] <= p[i + 1]) + "," + (p[i] > p[i + 1]) + ",";
  line = line + (p[i] >= p[i + 1]) + "," + (p[i] == p[i + 1]) + "," + (p[i] != p[i + 1]) + " ";
}
document.writeln("compare pairs: " + line);
cmp[2] = odd;
cmp[2] = 3;
cmp[3] = 7;
cmp[3] = odd;
cmp[3] += 1;
document.writeln("stored over: " + cmp[2] + " " + (cmp[3] == cmp[3]) + " " + (cmp[3] > 0));

// An argument list read by position through the function.
function pick(x, y) {
  var r = "";
  var j;
  for (j = 0; j < pick.length; j++) r = r + pick.arguments[j] + ";";
  return r;
}
document.writeln("pick: " + pick("p", "q", "r"));
a.length
