// Date texts: day first or month first, optional day name, time and zone.
document.writeln(Date.parse("Sun, 5 Dec 1998 11:55:00 GMT") + " " + Date.parse("Sat, 5 Dec 1998 09:05:00 GMT"));
document.writeln(Date.parse("Sun 5 Dec 1998") + " " + Date.parse("Sun, 5 Dec 1998") + " " + Date.parse("sun,5 dec 1998"));
document.writeln(Date.parse("Sunday, 5 Dec 1998") + " " + Date.parse("Sun"));
document.writeln(Date.parse("25 December 1998") + " " + Date.parse("Dec 25, 1998 13:30") + " " + Date.parse("25 Dec 98 10:00:00 -0500"));
document.writeln(Date.parse("Sept 5 1998") + " " + Date.parse("mar 1 1998 10:20:30") + " " + Date.parse("25 Dec 98 10:00:00 +0500"));
// Names must be at least three letters and no longer than the month's.
document.writeln(Date.parse("5 Decembers 1998") + " " + Date.parse("5 De 1998") + " " + Date.parse("5 1998"));
// The day must be 1 to 31.
document.writeln(Date.parse("32 Dec 1998") + " " + Date.parse("0 Dec 1998") + " " + Date.parse("Dec 32, 1998"));
// A missing year is 1900, before the calendar begins.
document.writeln(Date.parse("5 Dec"));
// The engine's own text parses back.
d = new Date(1998, 11, 5, 9, 5, 0);
document.writeln(Date.parse(d.toGMTString()) == d.getTime());
document.writeln(Date.parse() + " " + Date.parse(null));
