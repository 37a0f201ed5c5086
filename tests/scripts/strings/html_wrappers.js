// Markup around the receiver's text: upper-case tags, bare attributes.
s = "abc";
document.writeln(s.anchor("x"));
document.writeln(s.big() + s.blink() + s.bold() + s.fixed());
document.writeln(s.fontcolor("red") + s.fontsize(3));
document.writeln(s.italics() + s.small() + s.strike() + s.sub() + s.sup());
document.writeln(s.link("http://a/b.html"));
// A wrapper that needs an argument gives nothing without one or with null.
document.writeln(typeof s.anchor());
document.writeln(typeof s.link(null));
// The receiver can be any value's text: numbers are wrapped as strings.
n = 42;
document.writeln(n.toString().bold());
// Wrappers nest.
document.writeln("x".bold().italics());
