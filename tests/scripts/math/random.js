// random gives numbers in [0, 1) on a grid of 1/32767.
ok = true;
for (i = 0; i < 200; i++) {
  r = Math.random();
  if (r < 0 || r >= 1) ok = false;
  k = r * 32767;
  if (Math.abs(k - Math.round(k)) > 0.000001 && r > 0.0001) ok = false;
}
document.writeln(ok + " " + typeof Math.random());
