// Function declarations at the top level are bound on the window before
// the script starts, so they can be called before the text that defines
// them; of two declarations with one name the later one wins. A
// declaration itself gives no value.
document.writeln("early call: " + later(2));
document.writeln("typeof later = " + typeof later);
document.writeln("twice() = " + twice());
document.writeln("window.later == later: " + (window.later == later));
function later(n) { return n * 10; }
function twice() { return "first"; }
function twice() { return "second"; }
function last() { return 1; }
