// alert, confirm and prompt go to the host, which shows them on standard
// error. This host answers confirm with false unless told otherwise, and
// prompt with its second argument.
alert("hello");
alert(42);
var o = new Object();
function custom() { return "custom"; }
o.toString = custom;
alert(o);
var a = alert;
a("through a variable");
var c = confirm("continue?");
document.writeln("confirm answered " + c + " (" + typeof c + ")");
var p = prompt("name?", "nobody");
document.writeln("prompt answered " + p + " (" + typeof p + ")");
var p2 = prompt("no default");
document.writeln("prompt without a default answered [" + p2 + "]");
window.alert("via window");
c
