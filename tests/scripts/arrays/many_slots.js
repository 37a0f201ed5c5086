// Arrays and objects big enough that their names are looked up through an
// index: every element and member reads back by index and by name, for-in
// visits each one once in the order made, and after reverse and sort each
// name still holds its own value while join and for-in follow the new order.
a = new Array();
for (i = 0; i < 300; i++) a[i] = i * 3;
document.writeln(a.length + " " + a[0] + " " + a[11] + " " + a[12] + " " + a[13] + " " + a[150] + " " + a[299]);
document.writeln(a["250"] + " " + a["7"] + " " + a[300] + " " + a["0299"]);
sum = 0;
for (i = 0; i < a.length; i++) sum += a[i];
document.writeln("sum " + sum);
n = 0; inOrder = true; values = true;
for (k in a) {
  if (k != n) inOrder = false;
  if (a[k] != k * 3) values = false;
  n++;
}
document.writeln("for-in " + n + " " + inOrder + " " + values);

// Names that share their first characters or differ only at the end.
o = new Object();
for (i = 0; i < 200; i++) o["key" + i] = "v" + i;
for (i = 0; i < 50; i++) o["key" + i + "_"] = -i;
o.key = "bare";
document.writeln(o.key0 + " " + o.key1 + " " + o.key10 + " " + o.key100 + " " + o.key199 + " " + o["key" + 123]);
document.writeln(o.key1_ + " " + o.key49_ + " " + o["key" + 10 + "_"] + " " + o.key + " " + o.key50_ + " " + o.key200 + " " + o.Key1);
n = 0; inOrder = true; first = ""; last = "";
for (k in o) {
  if (n < 200) want = "key" + n;
  else if (n < 250) want = "key" + (n - 200) + "_";
  else want = "key";
  if (k != want) inOrder = false;
  if (n < 3) first = first + k + " ";
  last = k;
  n++;
}
document.writeln("for-in " + n + " " + inOrder + " " + first + "... " + last);
for (k in o) o[k] = o[k] + "!";
document.writeln(o.key0 + " " + o.key150 + " " + o.key7_ + " " + o.key);

// reverse moves the slots; the names stay with their values.
a.reverse();
document.writeln(a[0] + " " + a[1] + " " + a[150] + " " + a[299] + " " + a.length);
j = a.join(",");
document.writeln(j.length + " " + j.substring(0, 24) + " ... " + j.substring(j.length - 16, j.length));
n = 0; keys = ""; values = true;
for (k in a) {
  if (n < 4) keys = keys + k + " ";
  if (a[k] != k * 3) values = false;
  n++;
}
document.writeln("for-in " + n + " " + keys + values);
a[300] = "new";
a[301] = "newer";
document.writeln(a.length + " " + a[300] + " " + a[301] + " " + a[0] + " " + a[299]);
j = a.join("/");
document.writeln(j.substring(j.length - 20, j.length));
last = "";
for (k in a) last = last + k + " ";
document.writeln(last.substring(last.length - 16, last.length));

// sort orders by text; the names again stay with their values.
b = new Array();
for (i = 0; i < 250; i++) b[i] = (i * 37) % 250;
b.sort();
document.writeln(b.join(","));
document.writeln(b[0] + " " + b[1] + " " + b[223] + " " + b[249] + " " + b.length);
n = 0; keys = ""; values = true;
for (k in b) {
  if (n < 6) keys = keys + k + "=" + b[k] + " ";
  if (b[k] != (k * 37) % 250) values = false;
  n++;
}
document.writeln("for-in " + n + " " + keys + values);
b[100] = "x";
b.sort();
j = b.join(" ");
document.writeln(b[100] + " " + b[50] + " " + j.substring(j.length - 12, j.length));

// A reversed array sorted: the element named 10 still reads 30.
a.sort();
document.writeln(a[10] + " " + a[300] + " " + a.join(";").substring(0, 30));
