// new Image() asks the host for a new image object. Its src and lowsrc
// can be set; its size and state are read-only. A function assigned to
// onload is kept by the host as the image's handler.
var img = new Image();
document.writeln("typeof img = " + typeof img);
document.writeln("src = [" + img.src + "]");
document.writeln("width = " + img.width + " (" + typeof img.width + "), height = " + img.height);
document.writeln("complete = " + img.complete + " (" + typeof img.complete + ")");
img.src = "pic.gif";
img.lowsrc = "low.gif";
document.writeln("src = " + img.src + ", lowsrc = " + img.lowsrc);
img.width = 50;
document.writeln("after img.width = 50: width = " + img.width);
var img2 = new Image;
document.writeln("second image: src = [" + img2.src + "], same object: " + (img == img2));
function loaded() { return 1; }
img.onload = loaded;
document.writeln("typeof img.onload = " + typeof img.onload);
img.src
