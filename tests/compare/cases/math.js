document.writeln(Math.abs(-7.25) + " " + Math.ceil(4.1) + " " + Math.floor(-4.1) + " " + Math.round(4.5) + " " + Math.round(-4.5) + " " + Math.round(2.4));
document.writeln(Math.max(3, 9) + " " + Math.min(3, 9) + " " + Math.pow(2, 16) + " " + Math.sqrt(144) + " " + Math.PI);
document.writeln(Math.sin(0) + " " + Math.cos(0) + " " + Math.exp(0) + " " + Math.log(1) + " " + Math.atan(0));
document.writeln(Math.floor(Math.sqrt(2) * 1000) + " " + Math.floor(Math.log(1000) * 1000) + " " + Math.floor(Math.exp(3) * 1000));
var r = Math.random();
document.writeln((r >= 0 && r < 1) + " " + Math.SQRT1_2 + " " + Math.LN10);
