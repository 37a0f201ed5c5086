// The Function constructor compiles its last argument as a body and the
// others as parameter names. What it makes is an object holding the new
// anonymous function; the object can be called like the function.
var add = new Function("a", "b", "return a + b");
document.writeln("add(2, 3) = " + add(2, 3));
document.writeln("typeof add = " + typeof add);
document.writeln("text of add = " + add);
var seven = Function("return 7");
document.writeln("Function('return 7')() = " + seven());
var greet = new Function("who", "return 'hi ' + who");
document.writeln("greet('there') = " + greet("there"));
var tri = new Function("n", "var t = 0; var i; for (i = 1; i <= n; i++) t += i; return t");
document.writeln("tri(4) = " + tri(4));
var empty = new Function();
document.writeln("typeof empty() = " + typeof empty());
var k = 10;
var addK = new Function("x", "return x + k");
document.writeln("addK(5) = " + addK(5));
var bad = new Function(")");
document.writeln("typeof bad = " + typeof bad);
bad();
document.writeln("bad() gave nothing and the run went on");
// Parameter names are taken as written, backslash escapes resolved: "a\x"
// names the parameter ax.
var escaped = new Function("a\\x", "b", "return ax + b");
document.writeln("escaped parameter: " + escaped(40, 2));
add("x", 1)
