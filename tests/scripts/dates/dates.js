// Dates in UTC, one row a case: is(value, text, label) checks the text of a
// value and writes the label of a row that differs; the run ends with the count.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
// Parts are local time (out-of-range ones carry over), a number is the time
// value, a text is parsed, anything else is the epoch.
var d = new Date(98, 11, 25), e = new Date(1998, 11, 25, 13, 30, 15), f = new Date(98, 0, 32);
is(d.getTime() + " " + d + " | " + e.getTime() + " " + e + " | " + f.getTime() + " " + f.getMonth() + f.getDate() + f.getDay(), "914544000000 Fri, 25 Dec 1998 00:00:00 GMT | 914592615000 Fri, 25 Dec 1998 13:30:15 GMT | 886291200000 110", "from parts");
var a = new Date("25 December 1998"), b = new Date("garbage"), c = new Date(null);
is(new Date(0) + "|" + new Date(912816000000) + "|" + a.getTime() + " " + b.getTime() + " " + c.getTime(), "Thu, 1 Jan 1970 00:00:00 GMT|Sat, 5 Dec 1998 00:00:00 GMT|914544000000 0 0", "from a number or text");
// Before the epoch a date has no text and prints its number (-1 truncates to
// second 0); the calendar ends at 2^31 - 1 seconds; the year 1900 is past it.
d = new Date(2038, 0, 19, 3, 14, 7);
a = new Date(2038, 0, 19, 3, 14, 8);
b = new Date(1900, 0, 1);
is(new Date(-1000) + "|" + new Date(-1) + "|" + d.getTime() + " " + d + "|" + a.getTime() + " " + b.getTime() + "|" + new Date(2147483648000) + " " + new Date(1e20), "-1000|Thu, 1 Jan 1970 00:00:00 GMT|2147483647000 Tue, 19 Jan 2038 03:14:07 GMT|-1000 -1000|2147483648000 1e+20", "calendar ends");
// With 0, 2, 4, 5 or 7 arguments a Date takes the current time.
var ok = true, now = new Date();
a = new Date(2026, 11); b = new Date(1, 2, 3, 4); c = new Date(1, 2, 3, 4, 5); e = new Date(1, 2, 3, 4, 5, 6, 7);
if (now.getTime() < 1700000000000 || a.getTime() < now.getTime() - 5000 || b.getTime() < now.getTime() - 5000) ok = false;
if (c.getTime() < now.getTime() - 5000 || e.getTime() < now.getTime() - 5000) ok = false;
is(ok + " " + typeof now.getTime() + " " + (now.getYear() >= 126), "true number true", "now");

// Getters read the local fields; before the epoch only the time value works.
d = new Date(1998, 11, 25, 13, 30, 15);
var p = new Date(-86400000);
is(d.getYear() + " " + d.getMonth() + " " + d.getDate() + " " + d.getDay() + " " + d.getHours() + " " + d.getMinutes() + " " + d.getSeconds() + " " + d.getTimezoneOffset() + " " + d.toGMTString() + " " + d.toLocaleString(), "98 11 25 5 13 30 15 0 Fri, 25 Dec 1998 13:30:15 GMT 12/25/98 13:30:15", "getters");
is(p.getTime() + " " + p.getYear() + " " + p.getDate() + " " + typeof p.toGMTString() + " " + p, "-86400000 null null undefined -86400000", "before the epoch");
// Setters replace one field, bounded, and give null; 31 in a 30-day month is
// the first of the next; setYear(5) means 1905.
d = new Date(98, 10, 15);
var line = d.setMonth(14) + " " + d.getMonth();
d.setMonth(-3);
line = line + " " + d.getMonth();
d.setHours(99); d.setMinutes(75); d.setSeconds(61);
line = line + " " + d.getHours() + ":" + d.getMinutes() + ":" + d.getSeconds();
d.setYear(2005);
line = line + " " + d.getYear() + " " + d;
d.setYear(98);
is(line + " " + d.getYear(), "null 11 0 23:59:59 105 Sat, 15 Jan 2005 23:59:59 GMT 98", "setters");
d = new Date(98, 10, 30);
d.setDate(31);
line = d.getMonth() + " " + d.getDate() + " " + d.getTime();
d.setDate(0);
line = line + " " + d.getMonth() + " " + d.getDate();
d = new Date(98, 11, 25);
line = line + " " + d.setYear(5) + " " + d.getTime() + " " + d.getYear();
d.setTime(912816000000);
is(line + " " + d + " " + d.setTime(0) + " " + d, "11 1 912470400000 10 30 null -2020291200000 null Sat, 5 Dec 1998 00:00:00 GMT null Thu, 1 Jan 1970 00:00:00 GMT", "days, years, setTime");
// Date.UTC reads its parts as local time; methods on what is no Date give
// nothing, setters null.
var o = new Object();
o.f = d.getYear;
o.g = d.setYear;
is(Date.UTC(98, 11, 25) + " " + Date.UTC(98, 11) + " " + Date.UTC(1998, 11, 25, 13, 30, 15) + " " + typeof o.f() + " " + o.g(5), "914544000000 0 914592615000 undefined null", "UTC, no date");

// Texts: day or month first, an optional day name, time and zone; names of
// at least three letters and no longer than the month's; days 1 to 31; a
// missing year is 1900, before the calendar.
is(Date.parse("Sun, 5 Dec 1998 11:55:00 GMT") + " " + Date.parse("Sat, 5 Dec 1998 09:05:00 GMT") + " " + Date.parse("Sun 5 Dec 1998") + " " + Date.parse("Sun, 5 Dec 1998") + " " + Date.parse("sun,5 dec 1998"), "912858900000 912848700000 912816000000 912816000000 912816000000", "parse");
is(Date.parse("Sunday, 5 Dec 1998") + " " + Date.parse("Sun") + " " + Date.parse("25 December 1998") + " " + Date.parse("Dec 25, 1998 13:30") + " " + Date.parse("25 Dec 98 10:00:00 -0500"), "0 0 914544000000 914592600000 914562000000", "parse forms");
is(Date.parse("Sept 5 1998") + " " + Date.parse("mar 1 1998 10:20:30") + " " + Date.parse("25 Dec 98 10:00:00 +0500") + " " + Date.parse("25 Dec 1998 13:30:00 GMT"), "904953600000 888747630000 914580000000 914592600000", "parse zones");
is(Date.parse("5 Decembers 1998") + " " + Date.parse("5 De 1998") + " " + Date.parse("5 1998") + " " + Date.parse("32 Dec 1998") + " " + Date.parse("0 Dec 1998") + " " + Date.parse("Dec 32, 1998") + " " + Date.parse("5 Dec"), "0 0 0 0 0 0 -1000", "parse failures");
d = new Date(1998, 11, 5, 9, 5, 0);
is((Date.parse(d.toGMTString()) == d.getTime()) + " " + Date.parse() + " " + Date.parse(null), "true null 0", "parse back");
"ok " + rows
