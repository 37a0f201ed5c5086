// --tree: prints the compiled tree of a script, one node a line.
#ifndef DURIZ_HOST_TREE_H
#define DURIZ_HOST_TREE_H

#include <cstddef>
#include <string>
#include <string_view>

// Answers the exit status: 0, 1 for a syntax error.
int PrintTree(const std::string &name, std::string_view text, size_t chunk);

#endif
