// navigator and history as this host describes them; their members are
// read-only, so assignments do not change what is read.
document.writeln(navigator.appName + " " + navigator.appVersion + " " + navigator.appCodeName);
document.writeln(navigator.userAgent + " " + navigator.javaEnabled() + " " + navigator.taintEnabled());
document.writeln("plugins.length = " + navigator.plugins.length + ", mimeTypes.length = " + navigator.mimeTypes.length);
navigator.appName = "Other";
document.writeln("after assignment: appName = " + navigator.appName);
document.writeln("history.length = " + history.length + " (" + typeof history.length + ")");
document.writeln("typeof history.back = " + typeof history.back + ", typeof history.go = " + typeof history.go);
history.length = 7;
document.writeln(history.length + " " + (window.navigator == navigator));
navigator.javaEnabled()
