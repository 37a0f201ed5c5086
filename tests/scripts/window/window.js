// The window's own members: name and status can be set, length and the
// window links are read-only (an assignment lands beside them and is never
// read), and the names of missing plug-in packages read as null.
document.writeln("name = [" + window.name + "]");
window.name = "main";
document.writeln("window.name = " + window.name + ", name = " + name);
window.status = "ready";
document.writeln("status = " + status);
document.writeln("defaultStatus = [" + defaultStatus + "]");
document.writeln("length = " + window.length + " (" + typeof window.length + ")");
window.length = 9;
document.writeln("after window.length = 9: " + window.length);
document.writeln("self == window: " + (self == window) + ", window.window == window: " + (window.window == window));
document.writeln("top == window: " + (top == window) + ", parent == window: " + (parent == window));
window.top = 5;
document.writeln("after window.top = 5: top == window: " + (top == window));
document.writeln("java = " + java + ", sun = " + sun + ", netscape = " + netscape + ", Packages = " + Packages);
document.writeln(typeof java + " " + window.closed + " " + typeof window.alert);
window.custom = 1;
document.writeln(custom + " " + (this == window));
window.name
