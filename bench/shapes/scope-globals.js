// Sum of i % 7 for i below 300,000 inside a function: the counter and the
// sum are globals the function assigns without a var.
var i, s;
function run(n) {
  s = 0;
  for (i = 0; i < n; i++) s = s + i % 7;
  return s;
}
document.write(run(300000));
