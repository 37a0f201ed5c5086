var d = new Date(2000, 11, 24, 13, 5, 9);
document.write(d.toLocaleString());
