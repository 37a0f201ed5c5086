// Getters read the local fields; getTime needs no conversion.
d = new Date(1998, 11, 25, 13, 30, 15);
document.writeln(d.getYear() + " " + d.getMonth() + " " + d.getDate() + " " + d.getDay() + " " + d.getHours() + " " + d.getMinutes() + " " + d.getSeconds());
document.writeln(d.getTimezoneOffset() + " " + d.toGMTString() + " " + d.toLocaleString());
// Before the epoch: the time value works, the fields do not.
p = new Date(-86400000);
document.writeln(p.getTime() + " " + p.getYear() + " " + p.getDate() + " " + typeof p.toGMTString() + " " + p);
// Setters replace one field, bounded, and give null.
d = new Date(98, 10, 15);
document.writeln(d.setMonth(14) + " " + d.getMonth());
d.setMonth(-3);
document.writeln(d.getMonth());
d.setHours(99); d.setMinutes(75); d.setSeconds(61);
document.writeln(d.getHours() + ":" + d.getMinutes() + ":" + d.getSeconds());
d.setYear(2005);
document.writeln(d.getYear() + " " + d);
d.setYear(98);
document.writeln(d.getYear());
// 31 in a 30-day month moves to the first of the next one.
d = new Date(98, 10, 30);
d.setDate(31);
document.writeln(d.getMonth() + " " + d.getDate() + " " + d.getTime());
d.setDate(0);
document.writeln(d.getMonth() + " " + d.getDate());
// setYear(5) means 1905: a time value before the epoch.
d = new Date(98, 11, 25);
document.writeln(d.setYear(5) + " " + d.getTime() + " " + d.getYear());
// setTime takes the number itself.
d.setTime(912816000000);
document.writeln(d + " " + d.setTime(0) + " " + d);
// Date.UTC reads its parts as local time.
document.writeln(Date.UTC(98, 11, 25) + " " + Date.UTC(98, 11) + " " + Date.UTC(1998, 11, 25, 13, 30, 15));
// Methods on what is not a Date: nothing, or null for setters.
o = new Object();
o.f = d.getYear; o.g = d.setYear;
document.writeln(typeof o.f() + " " + o.g(5));
