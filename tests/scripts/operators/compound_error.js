// -= needs numeric text on both sides; a held text that is not a number
// makes the store fail and ends the run.
var s = "abc";
document.writeln("before");
s -= 1;
document.writeln("not reached");
