<!-- hide from old browsers
var loaded = false;
if (document.images) {
  on = new Image(); on.src = "on.gif";
  off = new Image(); off.src = "off.gif";
  loaded = true;
}
function swap(name, state) {
  if (!loaded) return;
  document.images[name].src = state ? on.src : off.src;
}
// end hiding -->
