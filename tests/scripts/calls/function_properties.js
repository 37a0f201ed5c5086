// A script function has an object of its own for properties, beside its
// prototype: members can be stored on the function and read back.
function Animal(name) { this.name = name; }
Animal.count = 0;
Animal.count += 1;
Animal.count++;
document.writeln("Animal.count = " + Animal.count);
Animal.prototype.legs = 4;
document.writeln("Animal.legs read through the prototype = " + Animal.legs);
Animal.count
