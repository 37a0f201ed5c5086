var now = new Date(96, 6, 4, 13, 5, 9);
var hours = now.getHours(), minutes = now.getMinutes();
var ampm = (hours >= 12) ? "PM" : "AM";
hours = (hours > 12) ? hours - 12 : hours;
var text = "" + hours + ((minutes < 10) ? ":0" : ":") + minutes + " " + ampm;
document.write("<b>" + text + "</b>");
timer = setTimeout("tick()", 1000);
