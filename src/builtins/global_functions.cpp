// The global functions the engine computes: parseInt, parseFloat, isNaN,
// escape and unescape.
#include <cctype>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "builtins/library.h"
#include "duriz.h"
#include "engine/shared.h"

namespace {

bool IsBlank(unsigned char c) { return std::isspace(c) != 0; }

int DigitValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

// The text as an unsigned 32-bit number in radix: blanks, one sign, for
// radix 16 an optional 0x, then the longest run of digits. Past 4294967295
// the value stays there; a minus sign negates modulo 2^32.
uint32_t Unsigned32(const char *p, int radix) {
    while (*p && IsBlank(static_cast<unsigned char>(*p))) p++;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (radix == 16 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        DigitValue(static_cast<unsigned char>(p[2])) < 16)
        p += 2;
    uint64_t value = 0;
    bool overflow = false;
    for (int d; (d = DigitValue(static_cast<unsigned char>(*p))) < radix; p++) {
        value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull;
        }
    }
    if (overflow) return 0xFFFFFFFFu;
    const uint32_t v = static_cast<uint32_t>(value);
    return negative ? 0u - v : v;
}

// The decimal integer at the start of a radix text: blanks and a sign
// allowed, anything after the digits ignored.
int RadixOf(const char *text) {
    const long n = std::strtol(text, nullptr, 10);
    return n > 1000 ? 1000 : (n < -1000 ? -1000 : static_cast<int>(n));
}

JsValue *ParseInt(const NativeCall &call) {
    JsValue *a = call.Arg(1);
    if (!Given(a)) return nullptr;
    const char *t = a->ToText();
    if (!t) return MakeNumber(0);
    bool negative = false;
    if (*t == '-') {
        negative = true;
        t++;
    }
    JsString *text = JsString::Make(t);  // the radix's text may overwrite t
    if (!text) return nullptr;
    t = text->ToText();
    int radix = 0;
    bool given = false;
    JsValue *b = call.Arg(2);
    if (const char *r = b ? b->ToText() : nullptr) {
        given = true;
        radix = RadixOf(r);
    }
    if (given && (radix == 1 || radix > 36)) {
        DropIfUnowned(text);
        return JsNumber::MakeNaN();
    }
    if (radix <= 0) radix = t[0] == '0' && t[1] == 'x' ? 16 : (t[0] == '0' ? 8 : 10);
    const double value = Unsigned32(t, radix);
    DropIfUnowned(text);
    return MakeNumber(negative ? -value : value);
}

// Length of the decimal literal at p: sign, digits, fraction, exponent.
size_t DecimalLiteral(const char *p) {
    size_t i = 0, digits = 0;
    if (p[i] == '+' || p[i] == '-') i++;
    while (p[i] >= '0' && p[i] <= '9') i++, digits++;
    if (p[i] == '.') {
        size_t j = i + 1, fraction = 0;
        while (p[j] >= '0' && p[j] <= '9') j++, fraction++;
        if (digits || fraction) {
            i = j;
            digits += fraction;
        }
    }
    if (!digits) return 0;
    if (p[i] == 'e' || p[i] == 'E') {
        size_t j = i + 1;
        if (p[j] == '+' || p[j] == '-') j++;
        if (p[j] >= '0' && p[j] <= '9') {
            while (p[j] >= '0' && p[j] <= '9') j++;
            i = j;
        }
    }
    return i;
}

JsValue *ParseFloat(const NativeCall &call) {
    JsValue *a = call.Arg(1);
    if (!Given(a)) return nullptr;
    const char *t = a->ToText();
    if (!t) return MakeNumber(0);
    while (*t && IsBlank(static_cast<unsigned char>(*t))) t++;
    const size_t n = DecimalLiteral(t);
    if (!n) return MakeNumber(0);
    char small[128];
    char *copy = n < sizeof small ? small : JsCopyText(t, n);
    if (!copy) return nullptr;
    std::memcpy(copy, t, n);
    copy[n] = 0;
    // strtod reads the locale's decimal point: put it in place of '.'.
    const char point = *std::localeconv()->decimal_point;
    if (point != '.')
        for (char *c = copy; *c; c++)
            if (*c == '.') *c = point;
    const double value = std::strtod(copy, nullptr);
    if (copy != small) JsFree(copy);
    return MakeNumber(value);
}

bool Escaped(unsigned char c) {
    return c == 0x20 || c == 0x21 || c == 0x22 || c == 0x28 || c == 0x29 || c == 0x0D || c == 0x0A || c == 0xB4;
}

JsValue *Escape(const NativeCall &call) {
    JsValue *a = call.Arg(1);
    const char *t = Given(a) ? a->ToText() : nullptr;
    if (!t) return nullptr;
    const size_t n = std::strlen(t);
    char *out = static_cast<char *>(JsMalloc(n * 3 + 1));
    if (!out) return nullptr;
    static const char hex[] = "0123456789ABCDEF";
    size_t k = 0;
    for (size_t i = 0; i < n; i++) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (Escaped(c)) {
            out[k++] = '%';
            out[k++] = hex[c >> 4];
            out[k++] = hex[c & 15];
        } else {
            out[k++] = static_cast<char>(c);
        }
    }
    JsString *result = JsString::Make(out, k);
    JsFree(out);
    return result;
}

int HexValue(unsigned char c) {
    const int d = DigitValue(c);
    return d < 16 ? d : -1;
}

JsValue *Unescape(const NativeCall &call) {
    JsValue *a = call.Arg(1);
    const char *t = Given(a) ? a->ToText() : nullptr;
    if (!t) return nullptr;
    const size_t n = std::strlen(t);
    char *out = static_cast<char *>(JsMalloc(n + 1));
    if (!out) return nullptr;
    size_t k = 0;
    for (size_t i = 0; i < n; i++) {
        if (t[i] == '%') {
            const int hi = HexValue(static_cast<unsigned char>(t[i + 1]));
            const int lo = hi >= 0 ? HexValue(static_cast<unsigned char>(t[i + 2])) : -1;
            const int v = hi * 16 + lo;
            if (lo >= 0 && v >= 1) {
                out[k++] = static_cast<char>(v);
                i += 2;
                continue;
            }
        }
        out[k++] = t[i];
    }
    JsString *result = JsString::Make(out, k);
    JsFree(out);
    return result;
}

}  // namespace

JsValue *GlobalFunction(const NativeCall &call) {
    switch (call.id) {
    case DURIZ_NATIVE_WINDOW_PARSEINT: return ParseInt(call);
    case DURIZ_NATIVE_WINDOW_PARSEFLOAT: return ParseFloat(call);
    case DURIZ_NATIVE_WINDOW_ESCAPE: return Escape(call);
    case DURIZ_NATIVE_WINDOW_UNESCAPE: return Unescape(call);
    case DURIZ_NATIVE_WINDOW_ISNAN: {
        JsValue *a = call.Arg(1);
        return a && a->IsNaN() ? g_shared.trueValue : g_shared.falseValue;
    }
    default: return nullptr;
    }
}
