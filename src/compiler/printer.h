// The source printer: a compact reading aid for error reports that writes a
// subtree back as script text into a fixed-size buffer.
#ifndef DURIZ_COMPILER_PRINTER_H
#define DURIZ_COMPILER_PRINTER_H

#include <cstddef>

class JsToken;

// Writes node as source into buffer (size bytes) and returns the number of
// characters written; a terminating zero always follows them. Below 21
// bytes of room nothing but the zero is written.
size_t PrintSource(const JsToken *node, char *buffer, size_t size);

#endif
