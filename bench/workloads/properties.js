function Point(x, y) { this.x = x; this.y = y; }
var p = new Point(1, 2);
var i, total = 0;
for (i = 0; i < 500000; i++) {
  p.x = p.x + 1;
  p.y = p.x - p.y;
  total = (total + p.y) % 1000003;
}
document.write(total);
