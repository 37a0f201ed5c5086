// The window and its objects as this host keeps them. Rows: is(value, text,
// label) checks the text of a value and writes the label of a row that
// differs; the run writes the count and ends on a false value. What write
// and writeln print is itself the case: each argument's text, writeln adding
// a line end, nothing from a detached writeln.
var rows = 0;
function is(got, want, what) { rows++; if ("" + got != want) document.writeln(what + ": [" + got + "] is not [" + want + "]"); }
document.write("write: ", 1, " ", true, " ", null, "\n");
document.writeln("writeln adds a line end");
document.writeln();
document.writeln("a", "b", 3);
var w = document.writeln;
w("a detached writeln writes nothing");
// The document: scalar members can be changed, collections not replaced.
is("[" + document.title + "] " + document.URL + " " + document.bgColor + " " + document.fgColor + " " + document.linkColor + " " + document.vlinkColor + " " + document.alinkColor + " " + document.lastModified + " " + document.location + typeof document.location + " [" + document.referrer + "]", "[] about:blank #c0c0c0 #000000 #0000ff #800080 #ff0000 04/09/97 12:00:00 about:blankstring []", "document");
document.bgColor = "#ffffff";
document.title = "New title";
document.cookie = "a=1";
var lengths = document.forms.length + document.images.length + document.links.length + document.anchors.length;
document.forms = 5;
document.custom = "mine";
is(document.bgColor + " " + document.title + " " + document.cookie + " " + lengths + " " + typeof document.forms + document.forms.length + " " + document.custom + " " + typeof document.write + " " + (document == window.document), "#ffffff New title a=1 0 object0 mine function true", "document stores");
// The window: name and status can be set; length and the window links are
// read-only (a store lands beside them, never read); missing plug-in
// packages read null.
var before = "[" + window.name + "]";
window.name = "main";
window.status = "ready";
window.length = 9;
window.top = 5;
window.custom = 1;
is(before + " " + window.name + name + " " + status + " [" + defaultStatus + "] " + window.length + typeof window.length + " " + (self == window) + (window.window == window) + (top == window) + (parent == window) + " " + java + sun + netscape + Packages + typeof java + " " + window.closed + " " + typeof window.alert + " " + custom + (this == window), "[] mainmain ready [] 0number truetruetruetrue nullnullnullnullnull false function 1true", "window");
// location: parts as kept here; a text stored to the window's location moves
// it; assign answers its address.
is(location.href + " " + location.protocol + " " + location.pathname + " [" + location.host + location.hostname + location.port + location.search + location.hash + "] " + typeof location, "about:blank about: blank [] object", "location");
location.hash = "#top";
var line = location.hash;
location = "http://example.test/page.html";
line = line + " " + location.href + " " + typeof location;
window.location = "http://example.test/other.html";
line = line + " " + window.location.href;
location.href = "http://example.test/third.html";
is(line + " " + location.href + " " + location.pathname + " " + location.assign("http://other.test/") + " " + typeof location.reload, "#top http://example.test/page.html object http://example.test/other.html http://example.test/third.html /third.html http://other.test/ function", "location stores");
// navigator and history are read-only.
navigator.appName = "Other";
history.length = 7;
is(navigator.appName + " " + navigator.appVersion + " " + navigator.appCodeName + " " + navigator.userAgent + " " + navigator.javaEnabled() + navigator.taintEnabled() + " " + navigator.plugins.length + navigator.mimeTypes.length + " " + history.length + typeof history.length + " " + typeof history.back + typeof history.go + " " + (window.navigator == navigator), "Duriz 3.0 (command line) Duriz Duriz/3.0 (command line) falsefalse 00 1number functionfunction true", "navigator, history");
// A host method called on something that is not its object answers nothing.
fake = new Object(); fake.back = history.back; fake.submit = history.go;
is(typeof fake.back() + typeof fake.submit(1), "undefinedundefined", "host method away from its object");
// new Image() asks the host for an image: src and lowsrc can be set, size
// and state are read-only, onload keeps its function.
var img = new Image(), img2 = new Image;
line = typeof img + " [" + img.src + "] " + img.width + typeof img.width + " " + img.height + " " + img.complete + typeof img.complete;
img.src = "pic.gif";
img.lowsrc = "low.gif";
img.width = 50;
function loaded() { return 1; }
img.onload = loaded;
is(line + " " + img.src + " " + img.lowsrc + " " + img.width + " [" + img2.src + "] " + (img == img2) + " " + typeof img.onload, "object [] 0number 0 1number pic.gif low.gif 0 [] false function", "image");
document.writeln("ok " + rows);
navigator.javaEnabled()
