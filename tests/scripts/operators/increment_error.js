// ++ on a variable that was never assigned has nothing to add to: the
// store fails and the run ends with the expression reported.
document.writeln("before");
counter++;
document.writeln("not reached");
