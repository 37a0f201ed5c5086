// Every script function has a prototype object of its own: objects made
// with new read what they lack from it, and an own property hides it.
function Animal(name) { this.name = name; }
function describe() { return this.name + " has " + this.legs + " legs"; }
Animal.prototype.legs = 4;
Animal.prototype.describe = describe;
var a = new Animal("cat");
var b = new Animal("bird");
b.legs = 2;
document.writeln(a.describe());
document.writeln(b.describe());
Animal.prototype.legs = 6;
document.writeln("after changing the prototype: a.legs = " + a.legs + ", b.legs = " + b.legs);
document.writeln("typeof Animal.prototype = " + typeof Animal.prototype);
function Other() { }
var x = new Other();
document.writeln("Other objects do not see it: x.legs = " + x.legs);
var p;
var names = "";
for (p in a) names += p + " ";
document.writeln("own properties of a: " + names);
a.legs
