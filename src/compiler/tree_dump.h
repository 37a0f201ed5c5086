// A text form of a compiled tree for people and tests: one node per line,
// indented two spaces per depth, the code followed by the escaped text.
#ifndef DURIZ_COMPILER_TREE_DUMP_H
#define DURIZ_COMPILER_TREE_DUMP_H

#include <string>

class JsToken;

std::string DumpTree(const JsToken *root);

// Appends text with line feed, tab, backslash and other control bytes
// written as \n, \t, \\ and \xHH.
void AppendEscaped(std::string &out, const char *text);

#endif
