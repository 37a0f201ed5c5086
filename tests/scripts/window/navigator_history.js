// navigator and history as this host describes them; their members are
// read-only, so assignments do not change what is read.
document.writeln("appName = " + navigator.appName);
document.writeln("appVersion = " + navigator.appVersion);
document.writeln("appCodeName = " + navigator.appCodeName);
document.writeln("userAgent = " + navigator.userAgent);
document.writeln("javaEnabled() = " + navigator.javaEnabled());
document.writeln("taintEnabled() = " + navigator.taintEnabled());
document.writeln("plugins.length = " + navigator.plugins.length + ", mimeTypes.length = " + navigator.mimeTypes.length);
navigator.appName = "Other";
document.writeln("after assignment: appName = " + navigator.appName);
document.writeln("history.length = " + history.length + " (" + typeof history.length + ")");
document.writeln("typeof history.back = " + typeof history.back + ", typeof history.go = " + typeof history.go);
history.length = 7;
document.writeln("after assignment: history.length = " + history.length);
document.writeln("window.navigator == navigator: " + (window.navigator == navigator));
navigator.javaEnabled()
