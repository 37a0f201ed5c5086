// Element names of every size: length follows the highest index below the
// 32-bit limit; bigger ones are slots like any other name.
var a = new Array();
a[5] = "five";
document.writeln(a.length);
a["12"] = "twelve";
document.writeln(a.length);
a[2147483646] = "top";
document.writeln(a.length);
a[2147483647] = "limit";
document.writeln(a.length);
a["99999999999999999999999"] = "huge";
document.writeln(a.length + " " + a["99999999999999999999999"]);
var b = new Array();
b["007"] = 7;
document.writeln(b.length + " " + b[7] + " " + b["007"]);
