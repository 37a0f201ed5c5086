// A scroller re-arms its timer every millisecond for fifty seconds of page
// time; each run also sets a timer and clears it, as pages of the time did.
// Fifty thousand runs fit in a small memory bound, and every later timer
// waits its turn behind the earlier ones.
var runs = 0;
function scroller() {
  runs++;
  clearTimeout(setTimeout("document.write('cleared timers never run')", 5));
  if (runs < 50000) setTimeout("scroller()", 1);
  else setTimeout("document.write(runs + ' runs')", 0);
}
setTimeout("document.write(' last')", 60000);
setTimeout("document.write('first ')", 0);
scroller();
