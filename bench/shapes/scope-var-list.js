// Sum of i % 7 for i below 300,000 inside a function: the counter and the
// sum are declared by one var list (whose names land on the window when it
// runs inside a function).
function run(n) {
  var i, s = 0;
  for (i = 0; i < n; i++) s = s + i % 7;
  return s;
}
document.write(run(300000));
