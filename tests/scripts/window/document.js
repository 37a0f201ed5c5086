// The document's members as this host keeps them. write writes each
// argument's text, writeln adds a line end; scalar members can be
// changed, while the collections cannot be replaced.
document.write("write: ", 1, " ", true, " ", null, "\n");
document.writeln("writeln adds a line end");
document.writeln();
document.writeln("a", "b", 3);
document.writeln("title = [" + document.title + "]");
document.writeln(document.URL + " " + document.bgColor);
document.bgColor = "#ffffff";
document.writeln(document.bgColor + " " + document.fgColor);
document.writeln("linkColor = " + document.linkColor + ", vlinkColor = " + document.vlinkColor + ", alinkColor = " + document.alinkColor);
document.writeln("lastModified = " + document.lastModified);
document.writeln("location = " + document.location + " (" + typeof document.location + ")");
document.writeln("referrer = [" + document.referrer + "]");
document.title = "New title";
document.writeln("title after assignment = " + document.title);
document.cookie = "a=1";
document.writeln("cookie = " + document.cookie);
document.writeln("forms.length = " + document.forms.length + ", images.length = " + document.images.length + ", links.length = " + document.links.length + ", anchors.length = " + document.anchors.length);
document.forms = 5;
document.writeln("after document.forms = 5: typeof forms = " + typeof document.forms + ", length = " + document.forms.length);
document.custom = "mine";
document.writeln(document.custom + " " + typeof document.write);
var w = document.writeln;
w("a detached writeln writes nothing");
document.writeln("after the detached call");
document.writeln("document == window.document: " + (document == window.document));
document.title
