// Case mapping changes only the ASCII letters.
document.writeln("Hello, World! 123".toUpperCase());
document.writeln("Hello, World! 123".toLowerCase());
document.writeln(unescape("%E9%C9z").toUpperCase() == unescape("%E9%C9Z"));
s = "MiXeD";
t = s.toLowerCase();
document.writeln(s + " " + t);
// String objects made with new carry a length.
o = new String("four");
document.writeln(o.length + " " + o + " " + o.charAt(3) + " " + o.toUpperCase());
e = new String();
document.writeln(e.length);
