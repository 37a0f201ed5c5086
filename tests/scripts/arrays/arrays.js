// Arrays, one row a case: is(value, text, label) checks the text of a value
// and writes the label of a row that differs; the run ends with the count.
// Each name has one slot, found however it is asked for; a number key names
// its integer's element, a text key (and a literal subscript) its very text.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
function names(a) { var out = "", k; for (k in a) out = out + k + " "; return out; }
function pairs(a) { var out = "", k; for (k in a) out = out + k + "=" + a[k] + " "; return out; }
var i, k, line, sum;

// The constructor: one argument is a count cut to 16 bits (a text counts as
// its number), more are elements; join ends every element with the separator.
var a = new Array(1, 2, 3);
is(a.join(",") + " " + a.join() + " " + a.join("") + " " + a.length, "1,2,3, 123 123 3", "join");
var z = new Array(0), m = new Array(-1), w = new Array(65536), v = new Array(70000), e = new Array(2.9);
is(z.length + " " + m.length + " " + w.length + " " + v.length + " " + e.length + " [" + e.join(",") + "]", "0 0 0 4464 2 [undefined,undefined,]", "counts");
var t3 = new Array("3"), tx = new Array("x"), two = Array(1, 2), mixed = new Array(1, "b", true, null);
is(t3.length + " " + tx.length + " " + two.length + " " + two.join("+") + " " + mixed.join(" "), "3 0 2 1+2+ 1 b true null ", "arguments");
var f = new Array(), g = new Array(3);
is(f.length + " [" + f.join(",") + "] " + g.length + " " + g.join("-") + " " + names(g), "0 [] 3 undefined-undefined-undefined- 0 1 2 ", "empty");
g[1] = "mid"; f[10] = "x";
is(g[0] + " " + g[1] + " " + f.length + " " + f.join(";"), "undefined mid 11 x;", "past the end");
// A store to length makes an ordinary slot, read by neither length nor a
// method; methods of arrays need an array as this.
f.length = 5; var obj = new Object(); obj.j = a.join;
is(f.length + " " + typeof obj.j(","), "11 undefined", "length store");
var h = new Array("x", "y"), z0 = new Array(0), g4 = new Array(3, 4, 5), h4 = new Array(4); h[2] = "z";
z0[0] = "zero"; line = "";
for (i = 0; i < 4; i++) line = line + g4[i] + " ";
g4[i] = 6; h4[i - 2] = "two";
is(h.join("") + h.length + " " + z0.length + z0[0] + " " + line + g4.length + " " + g4.join(",") + " " + h4.join(","), "xyz3 1zero 3 4 5 null 5 3,4,5,6, undefined,undefined,two,undefined,", "stores after new");

// Length follows the highest index below 2^31; bigger names are plain slots.
var big = new Array(); big[5] = "five"; line = big.length; big["12"] = "twelve";
line = line + " " + big.length; big[2147483646] = "top"; line = line + " " + big.length;
big[2147483647] = "limit"; big["99999999999999999999999"] = "huge"; var b7 = new Array(); b7["007"] = 7;
is(line + " " + big.length + " " + big["99999999999999999999999"] + " " + b7.length + " " + b7[7] + " " + b7["007"], "6 13 2147483647 2147483647 huge 8 null 7", "big indices");
var d = new Array(), highest = 2147483647, beyond = 2147483648; d[highest] = "top";
line = d[highest] + d.length; d[highest - 1] = "below"; line = line + " " + d[highest - 1] + d.length;
d[highest] = "again"; d[beyond] = "beyond";
is(line + " " + d[highest] + " " + d[beyond] + " " + d[-2147483648] + " " + d.length, "top0 below2147483647 again beyond beyond 2147483647", "top of the range");

// Text and number keys for the same element; keys that are no small whole number.
var c = new Array(), s3 = "3", n3 = 3, s03 = "03"; c[s3] = "by text"; line = c[n3] + c.length;
c[n3] = "by number"; c[s03] = "other";
is(line + " " + c[s3] + " " + c[s03] + " " + c[n3] + " " + c.length, "by text4 by number other by number 4", "text keys");
var f19 = 1.9, neg = -2, negHalf = -0.5, nan = 0 / 0, wrap = 4294967299; c[f19] = "one"; c[neg] = "minus two";
c[negHalf] = "zero";
line = c[f19] + " " + c[1] + " " + c["1"] + " " + c[neg] + " " + c["-2"] + " " + c[negHalf] + " " + c[0] + " " + c[nan];
c[nan] = "zero again"; c[wrap] = "three";
is(line + " " + c[0] + " " + c[wrap] + " " + c[n3] + " " + c.length + " " + pairs(c), "one one one minus two minus two zero zero zero zero again three three 4 3=three 03=other 1=one -2=minus two 0=zero again ", "odd keys");
var lit = new Array();
for (i = 0; i < 4; i++) lit[i] = "c" + i;
line = lit["2"] + " " + lit["02"] + " " + lit[2.9] + " " + lit[-1] + " " + lit[4]; lit["1"] = "one";
lit["4"] = "four";
is(line + " " + lit.join(",") + " " + lit.length + " " + names(lit), "c2 null null null null c0,one,c2,c3,four, 5 0 1 2 3 4 ", "literal keys");
var t = new Array(); t["3"] = "three"; t["05"] = "oh-five"; t[5] = "five"; t[3] = t[3] + "+";
var n = new Array(); n[-1] = "minus"; n[2.7] = "two"; n[2] = n[2] + "?";
is(t[3] + " " + t["05"] + " " + t[5] + " " + t["5"] + " " + t.length + " " + names(t) + n[-1] + " " + n[2] + " " + n[7] + " " + n.length, "three+ oh-five five five 6 3 05 5 minus null? null 3", "literal keys again");

// Filled in order, changed in place, walked: elements first, members after.
var r = new Array();
for (i = 0; i < 6; i++) r[i] = i * 10;
r[2] = r[2] + 1; r[3] += 5;
r[4]++;
--r[5];
is(r.join(",") + " " + r.length + " " + r[0]++ + " " + r[0], "0,10,21,35,41,49, 6 0 1", "in order");
r.x = "named"; r[6] = "six"; var mf = new Array(); mf.first = 1;
for (i = 0; i < 3; i++) mf[i] = "b" + i;
is(names(r) + "| " + r[6] + " " + r.x + " " + r.length + " " + names(mf) + mf.join("/"), "0 1 2 3 4 5 x 6 | six named 7 first 0 1 2 1/b0/b1/b2/", "members");
var rd = new Array();
for (i = 0; i < 3; i++) rd[i] = i;
line = rd[3] + "|" + rd[1000] + "|" + rd[-5] + " " + rd.length + " " + names(rd); rd[5] = "gap";
rd[3] = "filled";
is(line + names(rd) + rd.join(",") + " " + rd.length, "null|null|null 3 0 1 2 0 1 2 5 3 0,1,2,gap,filled, 6", "reads, gap");
var far = new Array(); far[100] = "far";
for (i = 0; i < 120; i++) if (i != 100) far[i] = i;
far[100] = far[100] + "!"; var hundreds = 0;
for (k in far) if (k == "100") hundreds++;
is(far[100] + " " + far[99] + " " + far[119] + " " + far.length + " " + hundreds, "far! 99 119 120 1", "filled below");
var sp = new Array(1, 2, 3), farKey = 100000, near = 26; sp[farKey] = "far";
line = sp.length + " " + sp[farKey] + " " + sp[farKey - 1];
for (i = 3; i < 60; i++) sp[i] = i;
sp[near] += 100;
is(line + " " + sp.length + " " + sp[farKey] + " " + sp[59] + " " + sp[2] + " " + sp[near] + " " + sp[near - 1], "100001 far null 100001 far 59 3 126 25", "sparse");
var gp = new Array();
for (i = 0; i < 2000; i = i + 37) gp[i * 3] = i;
for (i = 0; i < 6000; i++) if (!gp[i]) gp[i] = 0;
sum = 0;
for (i = 0; i < 6000; i++) sum = sum + gp[i];
is(sum + " " + gp.length, "54945 6000", "gaps");

// Operators in place on elements; a NaN element keeps it.
var sq = new Array();
for (i = 0; i < 40; i++) sq[i] = i * i;
sum = 0;
for (i = 0; i < 40; i++) sum = sum + sq[i];
line = sq.length + " " + sum + " " + sq[7] + " " + sq[39];
for (i = 0; i < 40; i++) {
  sq[i] += 1;
  sq[i]++;
  ++sq[i];
  sq[i] -= 2;
  sq[i] *= 3;
}
for (i = 0; i < 12; i++) line = line + " " + sq[i];
is(line, "40 20540 49 1521 3 6 15 30 51 78 111 150 195 246 303 366", "in place");
k = 5; var old; var pre;
old = sq[k]++;
pre = ++sq[k];
line = old + " " + pre + " " + sq[k]; sq[k] = sq[k] / 0; sq[k] = 8;
old = sq[k]++;
sq[k] += 2; sq[k + 1] = sq[k + 1] % 0;
is(line + " " + old + " " + sq[k] + " " + sq[6] + " " + (sq[7] >>> 1), "78 80 80 NaN NaN NaN 75", "NaN kept");
var cmp = new Array(), big2 = 1e308 * 10, odd = big2 - big2; cmp[2] = odd; cmp[2] = 3; cmp[3] = 7;
cmp[3] = odd; cmp[3] += 1;
is(cmp[2] + " " + (cmp[3] == cmp[3]) + " " + (cmp[3] > 0), "3 false true", "stored over");
var counts = new Array();
for (i = 0; i < 7; i++) counts[i] = 0;
for (i = 0; i < 100; i++) counts[i % 7]++;
is(counts.join(","), "15,15,14,14,14,14,14,", "counters");
// Numbers held in variables as subscripts; a number shared with a variable
// changes alone.
var k0 = 0, k1 = 1, k2 = 2, k3 = 3, k4 = 4, k5 = 5; var x = 2.5; var sh = new Array(); sh[k0] = x; sh[k1] = x;
sh[k0] += 1;
sh[k1]++;
x = x * 2; var q = new Array();
for (i = 0; i < 6; i++) q[i] = i + 0.5;
var q0 = q[k0] += 2; var q1 = q[k1] -= 3; var q2 = q[k2] *= 4; var q3 = q[k3] /= 2;
is(x + " " + sh.join(",") + " " + q0 + "|" + q1 + "|" + q2 + "|" + q3 + "|" + q[k4]++ + "|" + --q[k5] + " " + q.join(","), "5 3.5,3.5, 2.5|-1.5|10|1.75|4.5|4.5 2.5,-1.5,10,1.75,5.5,4.5,", "shared");
var bits = new Array();
for (i = 0; i < 4; i++) bits[i] = i + 8;
bits[k0] &= 3; bits[k1] |= 4; bits[k2] ^= 15; bits[k3] <<= 2; var nn = new Array(); nn[k0] = 1; nn[k1] = 2;
nn[k0] = 0 / 0; nn[k0] = 5; nn[k0] = k5 * 2; nn[k0] += 1; nn[k1] = "7" * "x"; nn[k1] = 3;
is(bits.join(",") + " " + nn[k0] + " " + nn[k1] + " " + isNaN(nn[k0]) + " " + nn.join("|"), "0,13,5,44, NaN 3 true NaN|3|", "bits, NaN");
var mx = new Array(); mx[k0] = 1; mx[k1] = "one"; mx[k2] = true; mx[k3] = 1e21; mx[k4] = -0.000001;
mx[k1] = 2; mx[k0] = "text"; mx[k2] += 1; var rr = new Array(); rr[k0] = 10; var got = rr[k0];
got++;
var tj = new Array(); tj[k0] = 4; tj[k0] += "2"; tj[k0] = tj[k0] - 1;
is(mx.join(",") + " " + (mx[k1] == 2) + " " + (mx[k3] > 1e20) + " " + (mx[k0] + mx[k1]) + " " + got + " " + rr[k0] + " " + (rr[k0] + rr[k0]) + " " + tj[k0] + " " + (tj[k0] == 41), "text,2,2,1e+21,-1e-06, true true text2 11 10 20 41 true", "mixed");
function twice(v) { return v * 2; }
var pv = new Array();
for (i = 0; i < 3; i++) pv[i] = i + 1;
pv[k3] = pv[k0] + pv[k1] * pv[k2]; pv[k0] = twice(pv[k3]); var late = new Array();
for (i = 0; i < 4; i++) late[i] = i * 1.5;
late[1] = late[2] + late[3];
is(pv.join(",") + " " + twice(pv[k2]) + " " + late[0] + " " + late[1] + " " + pairs(late) + late.length, "14,2,3,7, 6 0 7.5 0=0 1=7.5 2=3 3=4.5 4", "as values");

// reverse and sort move the slots: join and for ... in follow the new
// order while each name keeps its element; sort compares texts and ignores
// a comparison function.
var rb = new Array("a", "b", "c");
is(rb.reverse() + "|" + rb.join("-") + "|" + rb[0] + " " + pairs(rb), "undefined|c-b-a-|a 2=c 1=b 0=a ", "reverse");
var cs = new Array(10, 9, 1, "B", "a"), ds = new Array(3, 1, 2);
function down(x, y) { return y - x; }
cs.sort(); ds.sort(down);
is(cs.join(",") + " " + ds.join(","), "1,10,9,B,a, 1,2,3,", "sort");
var bs = new Array("d", "b", "a", "c", "b"); bs.reverse(); line = bs.join(",") + " ";
for (i = 0; i < bs.length; i++) line = line + bs[i];
bs.sort(); line = line + " " + bs.join(",") + " ";
for (i = 0; i < bs.length; i++) line = line + bs[i];
is(line, "b,c,a,b,d, dbacb a,b,b,c,d, dbacb", "by index after sort");
for (i = 0; i < bs.length; i++) bs[i] = bs[i] + i;
line = bs.join(",") + " " + pairs(bs); bs.reverse(); bs[2] = "new"; line = line + bs.join(",") + " ";
for (i = 0; i < bs.length; i++) line = line + bs[i] + " ";
is(line, "a2,b4,b1,c3,d0, 2=a2 4=b4 1=b1 3=c3 0=d0 d0,c3,b1,b4,new, d0 b1 new c3 b4 ", "stored after sort");
var ns = new Array(10, 9, 1, 100, 25); ns.sort();
is(ns.join(",") + " " + ns[0] + ns[4], "1,10,100,25,9, 1025", "numbers as texts");
var rv = new Array();
for (i = 0; i < 20; i++) rv[i] = "v" + i;
rv.reverse(); rv[25] = "new"; rv[0] = rv[0] + "*";
line = rv[0] + " " + rv[19] + " " + rv[25] + " " + rv.length + " ";
for (i = 0; i < 3; i++) {
  rv[i] = rv[i] + "#";
  line = line + rv[i] + " ";
}
is(line + rv.join(","), "v0* v19 new 26 v0*# v1# v2# v19,v18,v17,v16,v15,v14,v13,v12,v11,v10,v9,v8,v7,v6,v5,v4,v3,v2#,v1#,v0*#,new,", "reversed by number");
var ss = new Array();
for (i = 0; i < 15; i++) ss[i] = 15 - i;
ss.sort(); ss[3] = "x"; line = ss.join(",") + " " + ss[3] + " " + ss[14];
for (i = 10; i < 17; i++) ss[i] = "s" + ss[i];
is(line + " " + ss.join(","), "1,10,11,x,13,14,15,2,3,4,5,6,7,8,9, x 1 s1,10,11,x,13,14,15,s2,s3,s4,s5,6,7,8,9,snull,snull,", "sorted by number");
var e12 = new Array(), f5 = new Array(), s10 = new Array();
for (i = 0; i < 12; i++) e12[i] = 12 - i;
e12.sort();
for (i = 0; i < 5; i++) f5[i] = "f" + i;
f5.reverse(); f5[5] = "f5";
for (i = 0; i < 10; i++) s10[i] = (i * 7) % 10 + 0.25;
s10.sort();
is(e12.join(",") + " " + e12[0] + " " + e12[11] + " " + names(e12) + f5.join(",") + " " + f5[0] + " " + names(f5), "1,10,11,12,2,3,4,5,6,7,8,9, 12 1 11 2 1 0 10 9 8 7 6 5 4 3 f4,f3,f2,f1,f0,f5, f0 4 3 2 1 0 5 ", "sorted, reversed");
is(s10.join(" ") + " | " + pairs(s10), "0.25 1.25 2.25 3.25 4.25 5.25 6.25 7.25 8.25 9.25  | 0=0.25 3=1.25 6=2.25 9=3.25 2=4.25 5=5.25 8=6.25 1=7.25 4=8.25 7=9.25 ", "numbers sorted");

// split's arrays; arrays inside arrays and with; an argument list by position.
var parts = "p,q,,r".split(","); parts[4] = "s";
is(parts.length + " " + parts[2] + "|" + parts[3] + " " + names(parts) + parts.join("+"), "5 |r 0 1 2 3 4 p+q++r+s+", "split");
var wa = new Array();
for (i = 0; i < 3; i++) wa[i] = new Array();
wa[1][0] = "inner";
with (wa) line = length + " " + wa[1][0] + " " + wa[1].length;
var held = wa[1]; wa[1] = 0;
is(line + " " + held[0] + " " + wa.join(","), "3 inner 1 inner object,0,object,", "nested");
function pick(x, y) {
  var r = "";
  var j;
  for (j = 0; j < pick.length; j++) r = r + pick.arguments[j] + ";";
  return r;
}
is(pick("p", "q", "r"), "p;q;r;", "arguments");

// Long rows, looked up through an index: read back, walked once in order,
// then reversed and sorted with each name keeping its value.
var lg = new Array();
for (i = 0; i < 3000; i++) lg[i] = i % 7;
sum = 0;
for (i = 0; i < 3000; i++) sum = sum + lg[i];
var walked = 0;
for (k in lg) walked++;
var half = new Array();
for (i = 0; i < 5000; i++) half[i] = i * 0.5;
for (i = 0; i < 5000; i = i + 2) half[i] += 1;
var total = 0;
for (i = 0; i < 5000; i++) total = total + half[i];
is(sum + " " + walked + " " + lg.length + " " + lg[2999] + " " + total + " " + half[4999] + " " + half[4998], "8994 3000 3000 3 6251250 2499.5 2500", "long rows");
var al = new Array();
for (i = 0; i < 300; i++) al[i] = i * 3;
sum = 0;
for (i = 0; i < al.length; i++) sum += al[i];
var ok = true; n = 0;
for (k in al) { if (k != n || al[k] != k * 3) ok = false; n++; }
is(al.length + " " + al[0] + " " + al[11] + " " + al[12] + " " + al[13] + " " + al[150] + " " + al[299] + " " + al["250"] + " " + al["7"] + " " + al[300] + " " + al["0299"] + " " + sum + " " + n + ok, "300 0 33 36 39 450 897 750 21 null null 134550 300true", "300 elements");
var ob = new Object();
for (i = 0; i < 200; i++) ob["key" + i] = "v" + i;
for (i = 0; i < 50; i++) ob["key" + i + "_"] = -i;
ob.key = "bare";
is(ob.key0 + " " + ob.key1 + " " + ob.key10 + " " + ob.key100 + " " + ob.key199 + " " + ob["key" + 123] + " " + ob.key1_ + " " + ob.key49_ + " " + ob["key" + 10 + "_"] + " " + ob.key + " " + ob.key50_ + " " + ob.key200 + " " + ob.Key1, "v0 v1 v10 v100 v199 v123 -1 -49 -10 bare null null null", "250 members");
ok = true; n = 0;
for (k in ob) {
  if (n < 200) want = "key" + n;
  else if (n < 250) want = "key" + (n - 200) + "_";
  else want = "key";
  if (k != want) ok = false;
  n++;
}
for (k in ob) ob[k] = ob[k] + "!";
is(n + " " + ok + " " + k + " " + ob.key0 + " " + ob.key150 + " " + ob.key7_ + " " + ob.key, "251 true key v0! v150! -7! bare!", "250 members walked");
al.reverse(); var j = al.join(","); n = 0; line = ""; ok = true;
for (k in al) { if (n < 4) line = line + k + " "; if (al[k] != k * 3) ok = false; n++; }
is(al[0] + " " + al[1] + " " + al[150] + " " + al[299] + " " + al.length + " " + j.length + " " + j.substring(0, 12) + " " + j.substring(j.length - 8, j.length) + " " + n + " " + line + ok, "0 3 450 897 300 1162 897,894,891, 9,6,3,0, 300 299 298 297 296 true", "300 reversed");
al[300] = "new"; al[301] = "newer"; j = al.join("/"); line = "";
for (k in al) line = line + k + " ";
is(al.length + " " + al[300] + " " + al[301] + " " + al[0] + " " + al[299] + " " + j.substring(j.length - 20, j.length) + " " + line.substring(line.length - 16, line.length), "302 new newer 0 897 2/9/6/3/0/new/newer/ 3 2 1 0 300 301 ", "300 reversed, added");
var sb = new Array();
for (i = 0; i < 250; i++) sb[i] = (i * 37) % 250;
sb.sort();
is(sb.join(""), "0110100101102103104105106107108109111101111121131141151161171181191212012112212312412512612712812913130131132133134135136137138139141401411421431441451461471481491515015115215315415515615715815916160161162163164165166167168169171701711721731741751761771781791818018118218318418518618718818919190191192193194195196197198199220200201202203204205206207208209212102112122132142152162172182192222022122222322422522622722822923230231232233234235236237238239242402412422432442452462472482492526272829330313233343536373839440414243444546474849550515253545556575859660616263646566676869770717273747576777879880818283848586878889990919293949596979899", "250 sorted");
n = 0; line = ""; ok = true;
for (k in sb) { if (n < 6) line = line + k + "=" + sb[k] + " "; if (sb[k] != (k * 37) % 250) ok = false; n++; }
is(sb[0] + " " + sb[1] + " " + sb[223] + " " + sb[249] + " " + sb.length + " " + n + " " + line + ok, "0 37 1 213 250 250 0=0 223=1 230=10 50=100 23=101 246=102 true", "250 sorted walked");
sb[100] = "x"; sb.sort(); j = sb.join(" "); al.sort();
is(sb[100] + " " + sb[50] + " " + j.substring(j.length - 12, j.length) + " " + al[10] + " " + al[300] + " " + al.join(";").substring(0, 30), "x 100  97 98 99 x  30 new 0;102;105;108;111;114;117;12;1", "sorted twice");
"ok " + rows
