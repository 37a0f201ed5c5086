// Sum of i % 7 for i below 300,000 inside a function: the sum is kept in
// a parameter, the counter is a var local.
function run(n, s) {
  var i;
  for (i = 0; i < n; i++) s = s + i % 7;
  return s;
}
document.write(run(300000, 0));
