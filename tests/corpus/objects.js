function Point(x, y) { this.x = x; this.y = y; this.len = length; }
function length() { return Math.sqrt(this.x * this.x + this.y * this.y); }
p = new Point(3, 4);
q = new Point;
arr = new Array(5);
arr[0] = "zero"; arr[arr.length - 1] = p.len();
s = "a,b,c".split(",")[1].toUpperCase();
d = document.forms[0].elements["name"].value.substring(0, 3);
f = new Function("a", "return a * 2");
e = eval("1 + 2");
m = 'it\'s "quoted"\ttab\\slash\n';
