// setTimeout hands its text to the host, which runs it once the script
// is over, earliest first; it answers the timer's number. clearTimeout
// drops a timer. A timer sees the globals the script left.
var log = "";
function later() { document.writeln("timer set by a timer"); }
var id1 = setTimeout("document.writeln('second timer, log = ' + log)", 20);
var id2 = setTimeout("document.writeln('first timer'); log = 'set by first'; setTimeout('later()', 0)", 10);
var id3 = setTimeout("document.writeln('cleared timer')", 5);
clearTimeout(id3);
document.writeln("ids: " + id1 + " " + id2 + " " + id3 + " (" + typeof id1 + ")");
document.writeln("main script done");
"main"
