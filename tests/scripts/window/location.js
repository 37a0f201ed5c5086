// The location object's parts as this host keeps them. Assigning a text
// to the window's location moves the window there; assign hands back the
// address it was given.
document.writeln(location.href + " " + location.protocol + " " + location.pathname);
document.writeln("host = [" + location.host + "], hostname = [" + location.hostname + "], port = [" + location.port + "]");
document.writeln("search = [" + location.search + "], hash = [" + location.hash + "]");
document.writeln("typeof location = " + typeof location);
location.hash = "#top";
document.writeln("hash after assignment = " + location.hash);
location = "http://example.test/page.html";
document.writeln("after location = ...: href = " + location.href + ", typeof location = " + typeof location);
window.location = "http://example.test/other.html";
document.writeln("after window.location = ...: href = " + window.location.href);
location.href = "http://example.test/third.html";
document.writeln("after location.href = ...: href = " + location.href);
var r = location.assign("http://other.test/");
document.writeln(r + " " + typeof location.reload);
location.pathname
