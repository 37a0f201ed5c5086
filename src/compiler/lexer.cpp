#include "compiler/lexer.h"

#include <cstring>

#include "compiler/token.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// Bytes 128 to 255 are not letters: they start no token.
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '$' || c == '_';
}
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

struct Keyword {
    const char *text;
    size_t length;
    int code;
};
const Keyword kKeywords[] = {
    {"if", 2, TK_IF},           {"in", 2, TK_IN},           {"var", 3, TK_VAR},
    {"for", 3, TK_FOR},         {"new", 3, TK_NEW},         {"else", 4, TK_ELSE},
    {"with", 4, TK_WITH},       {"null", 4, TK_NULL},       {"true", 4, TK_TRUE},
    {"void", 4, TK_VOID},       {"this", 4, TK_THIS},       {"break", 5, TK_BREAK},
    {"while", 5, TK_WHILE},     {"false", 5, TK_FALSE},     {"return", 6, TK_RETURN},
    {"typeof", 6, TK_TYPEOF},   {"continue", 8, TK_CONTINUE}, {"function", 8, TK_FUNCTION},
};

int KeywordCode(const char *text, size_t length) {
    // Keywords are 2 to 8 lower-case letters long.
    if (length < 2 || length > 8 || text[0] < 'b' || text[0] > 'w') return 0;
    for (const Keyword &k : kKeywords)
        if (k.length == length && k.text[0] == text[0] && std::memcmp(k.text, text, length) == 0) return k.code;
    return 0;
}

// A scan that stopped at the end while more text is coming cannot decide
// the token yet.
struct Scan {
    const char *p;
    const char *end;
    bool more;
    char At(size_t i) const { return p + i < end ? p[i] : 0; }
    size_t Left() const { return static_cast<size_t>(end - p); }
};

int LexOperator(const Scan &s, size_t *length) {
    const char c = s.p[0];
    *length = 1;
    if (s.Left() == 1) {
        if (s.more) return TK_END;
    } else {
        const char d = s.p[1];
        if (d == c) {
            switch (c) {
            case '&': *length = 2; return TK_AND;
            case '+': *length = 2; return TK_PREINC;
            case '-': *length = 2; return TK_PREDEC;
            case '=': *length = 2; return TK_EQ;
            case '|': *length = 2; return TK_OR;
            case '<':
                if (s.Left() < 3) {
                    if (s.more) return TK_END;
                } else if (s.p[2] == '=') {
                    *length = 3;
                    return TK_SHL_ASSIGN;
                }
                *length = 2;
                return TK_SHL;
            case '>':
                if (s.Left() < 3) {
                    if (s.more) return TK_END;
                    *length = 2;
                    return TK_SHR;
                }
                if (s.p[2] == '=') {
                    *length = 3;
                    return TK_SHR_ASSIGN;
                }
                if (s.p[2] == '>') {
                    if (s.Left() < 4) {
                        if (s.more) return TK_END;
                    } else if (s.p[3] == '=') {
                        *length = 4;
                        return TK_USHR_ASSIGN;
                    }
                    *length = 3;
                    return TK_USHR;
                }
                *length = 2;
                return TK_SHR;
            default: break;
            }
        }
        if (d == '=') {
            *length = 2;
            switch (c) {
            case '<': return TK_LE;
            case '>': return TK_GE;
            case '^': return TK_XOR_ASSIGN;
            case '|': return TK_OR_ASSIGN;
            case '/': return TK_DIV_ASSIGN;
            case '!': return TK_NE;
            case '%': return TK_MOD_ASSIGN;
            case '&': return TK_AND_ASSIGN;
            case '*': return TK_MUL_ASSIGN;
            case '+': return TK_ADD_ASSIGN;
            case '-': return TK_SUB_ASSIGN;
            default: *length = 1; break;  // "==" was taken above
            }
        }
    }
    switch (c) {
    case '<': return TK_LT;
    case '=': return TK_ASSIGN;
    case '>': return TK_GT;
    case '^': return TK_XOR;
    case '|': return TK_BITOR;
    case '/': return TK_DIV;
    case '!': return TK_NOT;
    case '%': return TK_MOD;
    case '&': return TK_BITAND;
    case '*': return TK_MUL;
    case '+': return TK_PLUS;
    default: return TK_NEG;  // '-'
    }
}

// The decimal part of a number from q on: the first '.', an exponent with
// its sign (before any exponent only), digits.
int LexDecimalPart(const Scan &s, const char *q, const char **stop) {
    bool dot = false, exponent = false;
    while (q < s.end) {
        const char ch = *q;
        if (ch == '.' && !dot) {
            dot = true;
            q++;
        } else if (!exponent && (ch == 'e' || ch == 'E')) {
            exponent = true;
            q++;
            if (q < s.end && (*q == '+' || *q == '-')) q++;
        } else if (IsDigit(ch)) {
            q++;
        } else {
            break;
        }
    }
    *stop = q;
    if (q == s.end && s.more) return TK_END;
    return dot || exponent ? TK_DECIMAL : TK_INT;
}

int LexNumber(const Scan &s, const char **stop) {
    if (s.Left() == 1) {
        *stop = s.p + 1;
        return s.more ? TK_END : TK_INT;
    }
    if (s.p[0] == '0') {
        const char *q = s.p + 1;
        if (*q == 'x') {
            q++;
            while (q < s.end && IsHexDigit(*q)) q++;
            *stop = q;
            return q == s.end && s.more ? TK_END : TK_HEX;
        }
        bool decimalDigit = false;
        while (q < s.end && IsDigit(*q)) {
            if (*q == '8' || *q == '9') decimalDigit = true;
            q++;
        }
        if (q < s.end && (*q == '.' || *q == 'e' || *q == 'E')) return LexDecimalPart(s, q, stop);
        *stop = q;
        if (q == s.end && s.more) return TK_END;
        return decimalDigit ? TK_INT : TK_OCTAL;
    }
    return LexDecimalPart(s, s.p, stop);
}

int LexString(const Scan &s, const char **position, const char **tokenText, size_t *tokenLength) {
    const char quote = s.p[0];
    if (s.Left() == 1) {
        if (s.more) return TK_END;
        *position = s.p + 1;
        return quote;
    }
    bool escapes = false;
    const char *q = s.p + 1;
    while (q < s.end && *q != quote) {
        if (*q == '\\') {
            escapes = true;
            if (s.end - q < 2) {
                q = s.end;
                break;
            }
            q += 2;
        } else {
            q++;
        }
    }
    if (q == s.end && s.more) return TK_END;
    *tokenText = s.p + 1;
    *tokenLength = static_cast<size_t>(q - (s.p + 1));
    *position = q < s.end ? q + 1 : s.end;
    return escapes ? TK_ESCAPED_STRING : TK_STRING;
}

// A comment from p: a line comment ends before the next line end, a block
// comment after the first "*/" searched from the opening '/' itself.
int LexComment(const Scan &s, bool block, const char **position) {
    const char *q = s.p;
    if (block) {
        while (q + 1 < s.end && !(q[0] == '*' && q[1] == '/')) q++;
        if (q + 1 < s.end) {
            *position = q + 2;
            return TK_COMMENT;
        }
    } else {
        while (q < s.end && *q != '\n' && *q != '\r') q++;
        if (q < s.end) {
            *position = q;
            return TK_COMMENT;
        }
    }
    if (s.more) return TK_END;
    *position = s.end;
    return TK_COMMENT;
}

}  // namespace

int Lex(const char **position, const char **tokenText, size_t *tokenLength, const char *end,
        int moreToCome, int lineEndsAreSpace) {
    const char *p = *position;
    if (p >= end) return TK_END;
    while (p < end && IsSpace(*p)) {
        if (!lineEndsAreSpace && (*p == '\n' || *p == '\r')) break;
        p++;
    }
    *position = p;
    if (p == end) return TK_END;

    Scan s{p, end, moreToCome != 0};
    const char c = *p;
    switch (c) {
    case '\n': case '\r':
        *position = p + 1;
        return TK_LINE_END;
    case '(': case ')': case ',': case ':': case ';': case '?':
    case '[': case ']': case '{': case '}': case '~':
        *position = p + 1;
        return static_cast<unsigned char>(c);
    case '"': case '\'':
        return LexString(s, position, tokenText, tokenLength);
    case '/':
        if (s.At(1) == '/' && s.Left() >= 2) return LexComment(s, false, position);
        if (s.At(1) == '*' && s.Left() >= 2) return LexComment(s, true, position);
        break;
    case '<': {
        static const char kOpen[] = "!--";
        size_t have = s.Left() - 1 < 3 ? s.Left() - 1 : 3;
        bool matches = std::memcmp(p + 1, kOpen, have) == 0;
        if (matches && have == 3) return LexComment(s, false, position);
        if (matches && s.more) return TK_END;
        break;
    }
    case '.':
        if (s.Left() == 1) {
            if (s.more) return TK_END;
            *position = p + 1;
            return TK_DOT;
        }
        if (!IsDigit(p[1])) {
            *position = p + 1;
            return TK_DOT;
        }
        [[fallthrough]];  // a number such as ".5"
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9': {
        const char *stop = p;
        int code = LexNumber(s, &stop);
        if (code == TK_END) return code;
        *tokenText = p;
        *tokenLength = static_cast<size_t>(stop - p);
        *position = stop;
        return code;
    }
    case '!': case '%': case '&': case '*': case '+':
    case '-': case '=': case '>': case '^': case '|':
        break;
    default: {
        const char *q = p;
        while (q < end && IsNameChar(*q)) q++;
        if (q == end && s.more) return TK_END;
        if (q == p) return TK_BAD_CHAR;
        size_t length = static_cast<size_t>(q - p);
        *position = q;
        if (int keyword = KeywordCode(p, length)) return keyword;
        *tokenText = p;
        *tokenLength = length;
        return TK_IDENT;
    }
    }
    size_t length = 1;
    int code = LexOperator(s, &length);
    if (code != TK_END) *position = p + length;
    return code;
}
