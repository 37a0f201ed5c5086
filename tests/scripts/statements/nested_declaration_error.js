// Only function declarations at the top level of the script are bound; a
// declaration inside a function body binds nothing, so calling it fails.
function outer() {
  function inner() { return 1; }
  return inner();
}
document.writeln("before");
outer();
document.writeln("not reached");
