// A ++ that follows "var name =" is taken as a postfix ++ of the whole
// declaration, which leaves the assignment without its value: the run
// stops there. (Without var, k = ++i is an ordinary prefix increment.)
var i = 5;
var j;
j = ++i;
document.writeln("j = ++i: j = " + j + ", i = " + i);
var k = ++i;
document.writeln("not reached");
