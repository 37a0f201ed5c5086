var s1 = "", s2 = '', s3 = "\"", s4 = '\'';
s5 = "line1\nline2\r\n\b\f\\";
s6 = "unicode-ish \u0041 and octal \101";
s7 = "x" + 'y' + "z".length;
