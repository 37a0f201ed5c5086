<!-- hide the script from old browsers
function greet(name) {
  return "Hello, " + name + "!";
}
document.write(greet("world"));
// -->
