// Number and string literals. Octal and hexadecimal literals are read as
// 32-bit integers that stop at 2147483647; numbers print with 16
// significant digits and switch to exponent form outside 1e-4 .. 1e16.
document.writeln(017 + " " + 010 + " " + 0x1F + " " + 0xff + " " + 0xFFFFFFFF + " " + 1.5e3);
document.writeln("2e-3 = " + 2e-3);
document.writeln(1e21 + " " + 1e16 + " " + 1e15 + " " + 0.0001 + " " + 0.00001 + " " + 123456789012);
document.writeln("3.25 = " + 3.25);
document.writeln("single quotes: " + 'it\'s');
document.writeln("escaped quote: " + "say \"hi\"");
document.writeln("backslash: " + "a\\b");
document.writeln("tab: [" + "a\tb" + "]");
document.write("newline escape: first\nsecond\n");
document.writeln("other escape: " + "\q");
document.writeln(null + " " + true + " " + false);
"end"
