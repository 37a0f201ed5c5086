var total = 0, n = 10;
for (var k in document) total++;
for (k in window) { if (k == "x") continue; else break; }
for (i = 0; i < n; i++) { total += i; }
for (;;) { break; }
for (; i < 20;) i++;
while (n > 0) n--;
while (false);
with (Math) { total = floor(random() * PI) + max(1, 2); }
if (total) ; else total = 1;
