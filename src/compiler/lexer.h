// The lexer: one token at a time from a byte range, with no state between
// calls. While more text is to come, a token that could continue past the
// end is not returned: the answer is 700 and the position stays at its start.
#ifndef DURIZ_COMPILER_LEXER_H
#define DURIZ_COMPILER_LEXER_H

#include <cstddef>

// Returns the token code and advances *position past the token (or past a
// skipped comment, code 600). tokenText/tokenLength are set only for
// identifiers, numbers and strings; the caller clears them before each call.
int Lex(const char **position, const char **tokenText, size_t *tokenLength, const char *end,
        int moreToCome, int lineEndsAreSpace);

#endif
