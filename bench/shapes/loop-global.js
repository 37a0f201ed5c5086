// Sum of 0..999999 at top level: the counter and the sum are globals,
// a for loop with i++ and a body without braces.
var s = 0;
var i;
for (i = 0; i < 1000000; i++) s = s + i;
document.write(s);
