// parseFloat reads the longest decimal literal after leading blanks.
document.writeln(parseFloat(" 3.5e2x") + " " + parseFloat("x") + " " + parseFloat("-1.25") + " " + parseFloat("+.5"));
document.writeln(parseFloat("1e") + " " + parseFloat("1e+") + " " + parseFloat("2.") + " " + parseFloat(".") + " " + parseFloat("75e-2"));
document.writeln(parseFloat("0x10") + " " + parseFloat("1.5.5") + " " + parseFloat(12.75));
document.writeln(typeof parseFloat());
