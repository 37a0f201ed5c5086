// ++ and -- add or take 1 through the store; the postfix forms give the
// old value and the prefix forms the new one. A numeric string becomes a
// number on the way.
var i = 5;
var j = i++;
document.writeln("j = i++: j = " + j + ", i = " + i);
var k;
k = ++i;
document.writeln("k = ++i: k = " + k + ", i = " + i);
var m = i--;
document.writeln("m = i--: m = " + m + ", i = " + i);
var n;
n = --i;
document.writeln("n = --i: n = " + n + ", i = " + i);
var s = "5";
var t = s++;
document.writeln("t = s++ on '5': t = " + t + " (" + typeof t + "), s = " + s + " (" + typeof s + ")");
var b = true;
b++;
document.writeln("true++ = " + b);
var f = 1.5;
f++;
document.writeln("1.5++ = " + f);
var x = -1;
x++;
document.writeln("-1++ = " + x);
var o = new Object();
o.n = 1;
o.n++;
++o.n;
document.writeln("o.n after o.n++ and ++o.n = " + o.n);
var a = new Array();
a[0] = 10;
a[0]--;
document.writeln("a[0] after a[0]-- = " + a[0]);
var key = "n";
o[key]++;
document.writeln("o[key]++ with key 'n': o.n = " + o.n);
var c = 0;
c++ + c++;
c
