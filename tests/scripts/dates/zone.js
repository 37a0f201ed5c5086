// In a zone west of UTC, parts are local standard time and the text is GMT.
d = new Date(98, 11, 25);
document.writeln(d.getTime() + " " + d + " " + d.getHours() + " " + d.getTimezoneOffset());
// Formatting and parsing back moves the time by the zone's offset.
document.writeln(Date.parse(d.toGMTString()) - d.getTime());
// Parts are read with daylight saving off: midnight on 4 July is 05:00 UTC,
// which the summer clock shows as one o'clock.
s = new Date(98, 6, 4);
document.writeln(s.getTime() + " " + s.getHours() + " " + s.getDate() + " " + s.getDay());
// Setters keep the daylight-saving flag of the converted fields.
s.setMinutes(30);
document.writeln(s.getHours() + ":" + s.getMinutes() + " " + s.getTime());
document.writeln(Date.UTC(98, 11, 25) + " " + Date.parse("25 Dec 1998 10:00:00 GMT"));
document.writeln(d.toLocaleString());
