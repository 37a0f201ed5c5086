// A statement that starts with void, typeof, !, ~ or new right after a
// function declaration's closing brace is attached to the declaration
// itself: it does not run where it stands, and because a function's body
// is the declaration's last part, it becomes the function's body.
var log = "";
function f() {
  log += "block;";
  return "from block";
}
void (log += "void;");
document.writeln("log after the script line = [" + log + "]");
var r = f();
document.writeln("f() = " + r + ", log = [" + log + "]");
document.writeln("f still prints as: " + f);
log
