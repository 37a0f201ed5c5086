// The parser: tokens from the lexer become the compiled tree, without
// recursion and without a stack. All state lives in the script, so the text
// may arrive in chunks.
#ifndef DURIZ_COMPILER_PARSER_H
#define DURIZ_COMPILER_PARSER_H

#include <cstddef>

#include "compiler/operator_table.h"
#include "compiler/script.h"

enum PlaceAnswer { PLACE_ATTACH, PLACE_CLIMB, PLACE_INVALID };

// Compiles the text from *position to end. Returns 1111 when the text is
// used up and no more is to come, 700 when more is expected (*position at
// the start of the unfinished token), 1000 after a reported syntax error.
int Compile(JsScript *script, const char **position, const char *end, int moreToCome);

// A node for the script: from the host heap when the script has one.
JsToken *NewNode(JsScript *script, int code, const char *text, ptrdiff_t length);

int Precedence(int code);
bool Yields(const JsToken *node, int code);
bool IsComplete(const JsToken *node);
PlaceAnswer PlaceRule(const JsToken *node, int valueFlag, int code);
bool Place(JsScript *script, int valueFlag, int code);
bool FindPostfixTarget(JsScript *script);

// Largest number of bytes in a syntax error's excerpt.
constexpr size_t kExcerptLimit = 1024;
// The text of the syntax-error report (code 1000) when the compiler runs out
// of memory, in place of an excerpt.
constexpr const char kOutOfMemoryReport[] = "out of memory";

#endif
