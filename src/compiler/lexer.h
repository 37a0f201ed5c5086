// The lexer: one token at a time from a byte range, with no state between
// calls. While more text is to come, a token that could continue past the
// end is not returned: the answer is 700 and the position stays at its start.
// Names and one-character punctuators, most of a script's tokens, are taken
// in line in the caller; every other token is lexed in lexer.cpp.
#ifndef DURIZ_COMPILER_LEXER_H
#define DURIZ_COMPILER_LEXER_H

#include <cstddef>
#include <cstdint>

#include "compiler/token.h"

namespace lexing {

// What each byte can be, looked up once per byte: the scanning loops run
// over every byte of a script.
enum CharClass : uint8_t {
    kSpace = 1,
    kLineEnd = 2,
    kDigit = 4,
    kNameChar = 8,
    kHexDigit = 16,
    kBlank = 32,        // space other than a line end
    kNameStart = 64,    // a letter, '$' or '_'
    kPunctuator = 128,  // a token of one character whose code is the character
};

struct CharTable {
    uint8_t classes[256] = {};
    constexpr CharTable() {
        for (int c = 0; c < 256; c++) {
            uint8_t k = 0;
            if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') k |= kSpace;
            if (c == '\n' || c == '\r') k |= kLineEnd;
            else if (k & kSpace) k |= kBlank;
            if (c >= '0' && c <= '9') k |= kDigit | kNameChar | kHexDigit;
            // Bytes 128 to 255 are not letters: they start no token.
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '$' || c == '_') k |= kNameChar | kNameStart;
            if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) k |= kHexDigit;
            for (const char *p = "(),:;?[]{}~"; *p; p++)
                if (c == *p) k |= kPunctuator;
            classes[c] = k;
        }
    }
};
inline constexpr CharTable kChars;

inline bool IsNameChar(char c) { return (kChars.classes[static_cast<unsigned char>(c)] & kNameChar) != 0; }

// For each first byte, the lengths of the keywords that start with it
// (bit n for n letters): most names are no keyword by these two alone.
struct KeywordLengths {
    uint16_t of[256] = {};
    constexpr KeywordLengths() {
        const char *const words[] = {"if",   "in",    "var",   "for",   "new",    "else",   "with",     "null",    "true",
                                     "this", "void",  "break", "while", "false",  "return", "typeof", "continue", "function"};
        for (const char *w : words) {
            size_t n = 0;
            while (w[n]) n++;
            of[static_cast<unsigned char>(w[0])] |= static_cast<uint16_t>(1u << n);
        }
    }
};
inline constexpr KeywordLengths kKeywordLengths;

inline bool MayBeKeyword(unsigned char first, size_t length) {
    return length <= 8 && ((kKeywordLengths.of[first] >> length) & 1) != 0;
}

// The keyword code of a name, or 0.
int KeywordCode(const char *t, size_t length);

// Every token but names and punctuators, from p, where *position already
// stands.
int LexOther(const char **position, const char **tokenText, size_t *tokenLength, const char *p, const char *end,
             int moreToCome);

}  // namespace lexing

// Returns the token code and advances *position past the token (or past a
// skipped comment, code 600). tokenText/tokenLength are set only for
// identifiers, numbers and strings; the caller clears them before each call.
inline int Lex(const char **position, const char **tokenText, size_t *tokenLength, const char *end,
               int moreToCome, int lineEndsAreSpace) {
    using namespace lexing;
    const char *p = *position;
    if (p >= end) return TK_END;
    // Line ends count as space only when asked.
    const uint8_t skip = lineEndsAreSpace ? kSpace : kBlank;
    unsigned char c = static_cast<unsigned char>(*p);
    uint8_t k = kChars.classes[c];
    while (k & skip) {
        if (++p == end) {
            *position = p;
            return TK_END;
        }
        c = static_cast<unsigned char>(*p);
        k = kChars.classes[c];
    }
    *position = p;
    if (k & kNameStart) {
        const char *q = p + 1;
        while (q < end && IsNameChar(*q)) q++;
        if (q == end && moreToCome) return TK_END;
        *position = q;
        const size_t length = static_cast<size_t>(q - p);
        if (MayBeKeyword(c, length)) {
            if (int keyword = KeywordCode(p, length)) return keyword;
        }
        *tokenText = p;
        *tokenLength = length;
        return TK_IDENT;
    }
    if (k & kPunctuator) {
        *position = p + 1;
        return c;
    }
    return LexOther(position, tokenText, tokenLength, p, end, moreToCome);
}

#endif
