// Blocks group statements without making a scope of their own; a block's
// value is the value of its last statement.
{
  document.writeln("in a block");
}
{
  {
    document.writeln("in a nested block");
  }
}
var x = 1;
{
  x = 2;
  var y = 3;
}
document.writeln("x = " + x + ", y = " + y);
{ }
;;
document.writeln("after an empty block and empty statements");
{
  "first";
  "block value"
}
