/* a block comment */ a = 1; // to the end of the line
/*/ b = 2; /* the first comment closed at its own slash */
<!-- an old-style comment
c = a /* inline */ + b;
d = a / b; e = a /= 2;
