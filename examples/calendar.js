<!-- hide the script from old browsers
// A page script of the time: prints the calendar of December 1998 as a
// preformatted block, with the greeting of the day and a few facts.
var months = new Array("January", "February", "March", "April", "May", "June",
  "July", "August", "September", "October", "November", "December");

function pad(n) {
  var s = "" + n;
  if (s.length < 2) s = " " + s;
  return s;
}

function daysIn(year, month) {
  var d = new Date(year, month + 1, 0);  // day 0 is the last of the month before
  return d.getDate();
}

function calendar(year, month) {
  var first = new Date(year, month, 1);
  var out = months[month] + " " + (first.getYear() + 1900) + "\n";
  out = out + "Su Mo Tu We Th Fr Sa\n";
  var line = "";
  var i;
  for (i = 0; i < first.getDay(); i++) line = line + "   ";
  var last = daysIn(year, month);
  for (i = 1; i <= last; i++) {
    line = line + pad(i);
    if ((first.getDay() + i) % 7 == 0) {
      out = out + line + "\n";
      line = "";
    } else {
      line = line + " ";
    }
  }
  if (line != "") out = out + line.substring(0, line.length - 1) + "\n";
  return out;
}

document.writeln("<PRE>");
document.write(calendar(1998, 11));
document.writeln("</PRE>");

var christmas = new Date("Dec 25, 1998");
document.writeln("Christmas 1998 falls on day " + christmas.getDay() + " of the week.");
document.writeln("In GMT: " + christmas.toGMTString());
var words = "the quick brown fox".split(" ");
words.sort();
document.writeln("Sorted: " + words.join(" "));
document.writeln("Shouted: " + "hello".toUpperCase().bold());
document.writeln("Square root of 2: " + Math.round(Math.sqrt(2) * 1000) / 1000);
document.writeln("Escaped: " + escape("a b(c)"));
// -->
