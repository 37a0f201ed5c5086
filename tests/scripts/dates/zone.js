// In a zone west of UTC (EST5EDT) parts are local standard time, read with
// daylight saving off, and the text is GMT; setters keep the daylight-saving
// flag of the converted fields. The run ends true when all rows ran.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
var d = new Date(98, 11, 25), s = new Date(98, 6, 4);
is(d.getTime() + " " + d + " " + d.getHours() + " " + d.getTimezoneOffset() + " " + (Date.parse(d.toGMTString()) - d.getTime()) + " " + d.toLocaleString(), "914562000000 Fri, 25 Dec 1998 05:00:00 GMT 0 300 18000000 12/25/98 00:00:00", "winter");
var line = s.getTime() + " " + s.getHours() + " " + s.getDate() + " " + s.getDay();
s.setMinutes(30);
is(line + " " + s.getHours() + ":" + s.getMinutes() + " " + s.getTime(), "899528400000 1 4 6 1:30 899530200000", "summer");
is(Date.UTC(98, 11, 25) + " " + Date.parse("25 Dec 1998 10:00:00 GMT"), "914562000000 914598000000", "UTC");
rows == 3
