document.writeln(parseInt("42") + " " + parseInt("42px") + " " + parseInt("ff", 16) + " " + parseInt("777", 8) + " " + parseInt("-17") + " " + parseInt("101", 2));
document.writeln(parseFloat("3.25") + " " + parseFloat("1e3") + " " + parseFloat("-0.5kg") + " " + parseFloat("  12.5"));
document.writeln(escape("abcXYZ019") + " " + escape("a b") + " " + unescape("%41%42%43") + " " + unescape("plain"));
document.writeln(isNaN(5) + " " + isNaN(parseInt("12")));
