var line = "alpha,beta,gamma,delta,epsilon,zeta,eta,theta";
var i, j, total = 0;
for (i = 0; i < 20000; i++) {
  var parts = line.split(",");
  for (j = 0; j < parts.length; j++) total = total + parts[j].substring(1, 3).length + parts[j].length;
}
document.write(total);
