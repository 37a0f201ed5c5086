// Date construction in UTC: parts are local time, a number is the time
// value itself, a text is parsed, anything else is the epoch.
d = new Date(98, 11, 25);
document.writeln(d.getTime() + " " + d);
d = new Date(1998, 11, 25, 13, 30, 15);
document.writeln(d.getTime() + " " + d);
// Out-of-range parts carry over: 32 January is 1 February.
d = new Date(98, 0, 32);
document.writeln(d.getTime() + " " + d.getMonth() + " " + d.getDate() + " " + d.getDay());
document.writeln(new Date(0) + "|" + new Date(912816000000));
// (new applies to a whole call: keep the Date in a variable to call a method.)
a = new Date("25 December 1998"); b = new Date("garbage"); c = new Date(null);
document.writeln(a.getTime() + " " + b.getTime() + " " + c.getTime());
// One second before the epoch has no text and prints as its number; -1
// truncates to second 0.
document.writeln(new Date(-1000) + "|" + new Date(-1));
// The calendar ends at 2^31 - 1 seconds; the year 1900 means 3800, past it.
d = new Date(2038, 0, 19, 3, 14, 7);
document.writeln(d.getTime() + " " + d);
a = new Date(2038, 0, 19, 3, 14, 8); b = new Date(1900, 0, 1);
document.writeln(a.getTime() + " " + b.getTime());
document.writeln(new Date(2147483648000) + " " + new Date(1e20));
// With 0, 2, 4, 5 or 7 arguments a Date takes the current time.
ok = true;
a = new Date(); b = new Date(2026, 11); c = new Date(1, 2, 3, 4); e = new Date(1, 2, 3, 4, 5);
f = new Date(1, 2, 3, 4, 5, 6, 7);
if (a.getTime() < 1700000000000 || b.getTime() < a.getTime() - 5000 || c.getTime() < a.getTime() - 5000) ok = false;
if (e.getTime() < a.getTime() - 5000 || f.getTime() < a.getTime() - 5000) ok = false;
document.writeln(ok + " " + typeof a.getTime() + " " + (a.getYear() >= 126));
