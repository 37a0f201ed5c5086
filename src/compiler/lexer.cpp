#include "compiler/lexer.h"

#include <cstdint>
#include <cstring>

#include "compiler/token.h"

// The tokens that Lex in lexer.h does not take in line.
namespace lexing {

int KeywordCode(const char *t, size_t length) {
    // Keywords are 2 to 8 lower-case letters long; the length and the first
    // letter leave at most three candidates.
    auto is = [t, length](const char *k, size_t n) { return n == length && std::memcmp(t, k, n) == 0; };
    switch (length) {
    case 2:
        if (t[0] != 'i') return 0;
        return t[1] == 'f' ? TK_IF : t[1] == 'n' ? TK_IN : 0;
    case 3:
        if (is("var", 3)) return TK_VAR;
        if (is("for", 3)) return TK_FOR;
        return is("new", 3) ? TK_NEW : 0;
    case 4:
        switch (t[0]) {
        case 'e': return is("else", 4) ? TK_ELSE : 0;
        case 'w': return is("with", 4) ? TK_WITH : 0;
        case 'n': return is("null", 4) ? TK_NULL : 0;
        case 't': return is("true", 4) ? TK_TRUE : is("this", 4) ? TK_THIS : 0;
        case 'v': return is("void", 4) ? TK_VOID : 0;
        default: return 0;
        }
    case 5:
        switch (t[0]) {
        case 'b': return is("break", 5) ? TK_BREAK : 0;
        case 'w': return is("while", 5) ? TK_WHILE : 0;
        case 'f': return is("false", 5) ? TK_FALSE : 0;
        default: return 0;
        }
    case 6:
        if (t[0] == 'r') return is("return", 6) ? TK_RETURN : 0;
        return t[0] == 't' && is("typeof", 6) ? TK_TYPEOF : 0;
    case 8:
        if (t[0] == 'c') return is("continue", 8) ? TK_CONTINUE : 0;
        return t[0] == 'f' && is("function", 8) ? TK_FUNCTION : 0;
    default:
        return 0;
    }
}

namespace {

inline bool Is(char c, uint8_t k) { return (kChars.classes[static_cast<unsigned char>(c)] & k) != 0; }
inline bool IsDigit(char c) { return Is(c, kDigit); }
inline bool IsHexDigit(char c) { return Is(c, kHexDigit); }

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

// The integer part of a number that starts with a digit from 1 to 9; a
// '.', 'e' or 'E' after it goes on as the decimal part.
int LexDecimalNumber(const Scan &s, const char **stop) {
    const char *q = s.p + 1;
    while (q < s.end && IsDigit(*q)) q++;
    if (q < s.end && (*q == '.' || *q == 'e' || *q == 'E')) return LexDecimalPart(s, q, stop);
    *stop = q;
    return q == s.end && s.more ? TK_END : TK_INT;
}

// The code of an operator character that is a whole token when a space
// follows it, or 0.
struct LoneOperators {
    int16_t of[256] = {};
    constexpr LoneOperators() {
        const struct {
            char c;
            int16_t code;
        } alone[] = {{'!', TK_NOT}, {'%', TK_MOD}, {'&', TK_BITAND}, {'*', TK_MUL}, {'+', TK_PLUS},
                     {'-', TK_NEG}, {'/', TK_DIV},   {'<', TK_LT},     {'=', TK_ASSIGN}, {'>', TK_GT},
                     {'^', TK_XOR}, {'|', TK_BITOR}, {'.', TK_DOT}};
        for (const auto &a : alone) of[static_cast<unsigned char>(a.c)] = a.code;
    }
};
constexpr LoneOperators kLoneOperators;

// Operators, comments, numbers, strings, line ends and bad characters:
// apart from LexOther so that its quick answer costs no more than it does.
__attribute__((noinline)) int LexRest(const char **position, const char **tokenText, size_t *tokenLength,
                                      const char *p, const char *end, int moreToCome) {
    const char c = *p;
    Scan s{p, end, moreToCome != 0};
    switch (c) {
    case '\n': case '\r':
        *position = p + 1;
        return TK_LINE_END;
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
        int code = c >= '1' ? LexDecimalNumber(s, &stop) : LexNumber(s, &stop);
        if (code == TK_END) return code;
        *tokenText = p;
        *tokenLength = static_cast<size_t>(stop - p);
        *position = stop;
        return code;
    }
    case '!': case '%': case '&': case '*': case '+':
    case '-': case '=': case '>': case '^': case '|':
        break;
    default:
        return TK_BAD_CHAR;  // the position stays on it
    }
    size_t length = 1;
    int code = LexOperator(s, &length);
    if (code != TK_END) *position = p + length;
    return code;
}

}  // namespace

int LexOther(const char **position, const char **tokenText, size_t *tokenLength, const char *p, const char *end,
             int moreToCome) {
    // No operator, comment or number goes on past a space.
    if (p + 1 < end && Is(p[1], kSpace)) {
        if (const int code = kLoneOperators.of[static_cast<unsigned char>(*p)]) {
            *position = p + 1;
            return code;
        }
    }
    return LexRest(position, tokenText, tokenLength, p, end, moreToCome);
}

}  // namespace lexing
