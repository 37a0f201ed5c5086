// escape encodes only blank, !, ", parentheses, CR, LF and the acute accent.
document.writeln(escape("a b(c)") + " " + escape("&") + " " + escape("100%+/=?'"));
document.writeln(escape("say \"hi\"!") + " " + escape("x\ny\rz") + " " + escape(unescape("%B4")));
// unescape decodes %XX of 1 to 255, in either case.
document.writeln(unescape("%41%4a%4A") + " " + unescape("%00") + " " + unescape("%4") + " " + unescape("%zz") + " " + unescape("100%"));
document.writeln(unescape(escape("a (b) c")) + " " + unescape("%2541"));
document.writeln(typeof escape() + " " + typeof unescape(null));
