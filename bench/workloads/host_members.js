var i, total = 0;
for (i = 0; i < 100000; i++) {
  document.title = "page " + (i % 100);
  total = total + document.title.length + document.bgColor.length;
}
document.write(total);
