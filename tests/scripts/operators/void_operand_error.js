// void gives nothing, not undefined, so an assignment is left without a
// value to store and the run stops there.
document.writeln("before");
x = void 0;
document.writeln("not reached");
