#include "values/value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "compiler/token.h"
#include "engine/shared.h"
#include "values/convert.h"
#include "values/cycles.h"

char g_numberText[kNumberTextSize];

int32_t IntegerView(double d) {
    if (!std::isfinite(d)) return 0;
    double t = std::trunc(d);
    uint32_t low;
    if (std::fabs(t) < 9.0e18) {
        low = static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(t)));
    } else {
        double m = std::fmod(t, 4294967296.0);  // exact for doubles
        if (m < 0) m += 4294967296.0;
        low = static_cast<uint32_t>(m);
    }
    return static_cast<int32_t>(low);
}

// ---- destruction without recursion ----
//
// Destroying a value can drop the last reference to others (an object's
// slots, its constructor and internal value), which would cascade through
// nested destructor calls as deep as the chain of holders. Values whose
// destruction is due are instead put on a worklist and destroyed one after
// the other by the outermost call.
namespace {

JsValue **g_dead = nullptr;
size_t g_deadCount = 0, g_deadCapacity = 0;
bool g_draining = false;

void DestroyLater(JsValue *value) {
    if (g_deadCount == g_deadCapacity) {
        size_t capacity = g_deadCapacity ? 2 * g_deadCapacity : 64;
        void *grown = JsRealloc(g_dead, capacity * sizeof(JsValue *));
        if (!grown) {
            // No room to defer: destroy at once (nested, but still correct).
            value->Destroy(1);
            return;
        }
        g_dead = static_cast<JsValue **>(grown);
        g_deadCapacity = capacity;
    }
    g_dead[g_deadCount++] = value;
    if (g_draining) return;
    g_draining = true;
    while (g_deadCount) g_dead[--g_deadCount]->Destroy(1);
    g_draining = false;
    if (g_deadCapacity > 4096) {
        JsFree(g_dead);
        g_dead = nullptr;
        g_deadCapacity = 0;
    }
}

}  // namespace

JsNumber *g_pool[kNumberPoolSize];
int g_poolCount = 0;

void FreeValueWorklist() {
    if (g_draining) return;
    JsFree(g_dead);
    g_dead = nullptr;
    g_deadCapacity = 0;
}

void JsValue::Destroy(int freeMemory) {
    if (freeMemory) {
        delete this;
    } else {
        this->~JsValue();
    }
}

int NumberPoolCount() { return g_poolCount; }

void NumberPoolClear() {
    while (g_poolCount) g_pool[--g_poolCount]->Destroy(1);
}

JsNumber *MakeFreshNumber(double value) { return new JsNumber(value); }

void DisposeValue(JsValue *value) {
    if (!value) return;
    if (value->kind == VALUE_NUMBER && g_poolCount < kNumberPoolSize) {
        g_pool[g_poolCount++] = static_cast<JsNumber *>(value);
        return;
    }
    DestroyLater(value);
}

void ReleaseHeld(JsValue *value) {
    if (!value) return;
    if (--value->refs == 0) DestroyLater(value);
    else CountDropped(value);
}

// ---- numbers ----

JsNumber *JsNumber::MakeNaN() {
    JsNumber *n = new JsNumber(0.0);
    if (n) n->nan = 1;
    return n;
}

double LiteralValue(const char *text, int tokenKind) {
    if (!text) return 0.0;
    if (tokenKind == TK_INT || tokenKind == TK_DECIMAL) return DecimalPrefixValue(text);
    if (tokenKind == TK_OCTAL || tokenKind == TK_HEX) {
        // Read as a long with automatic base, clamped to the 32-bit signed
        // range, and taken as an unsigned 32-bit number.
        long long v = std::strtoll(text, nullptr, 0);
        if (v > 2147483647LL) v = 2147483647LL;
        return static_cast<double>(static_cast<uint32_t>(v));
    }
    return 0.0;
}

JsNumber *JsNumber::FromLiteral(const char *text, int tokenKind) {
    return new JsNumber(LiteralValue(text, tokenKind));
}

size_t IntegerText(int64_t v, char *out) {
    char digits[24];
    size_t n = 0;
    // Digits from the lowest; the magnitude is taken unsigned so that the
    // most negative value has one too.
    uint64_t m = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    do {
        digits[n++] = static_cast<char>('0' + m % 10);
        m /= 10;
    } while (m);
    size_t length = 0;
    if (v < 0) out[length++] = '-';
    while (n) out[length++] = digits[--n];
    out[length] = 0;
    return length;
}

const char *JsNumber::ToText() {
    if (nan) return "NaN";
    // Whole numbers print as their digits ("%.16g" gives the same for them
    // below 10^15); -0 and everything else go through the library.
    if (value > -1e15 && value < 1e15 && value == static_cast<double>(static_cast<int64_t>(value)) &&
        !(value == 0.0 && std::signbit(value))) {
        IntegerText(static_cast<int64_t>(value), g_numberText);
        return g_numberText;
    }
    std::snprintf(g_numberText, sizeof g_numberText, "%.16g", value);
    return g_numberText;
}

JsString *JsNumber::TypeName() { return g_shared.typeNumber; }

int JsNumber::Compare(JsValue *other) {
    if (!other || nan || other->IsNaN()) return 1;
    return NumberOrder(value, other->ToNumber());
}

// ---- booleans, null, undefined ----

JsString *JsBoolean::TypeName() { return g_shared.typeBoolean; }

int JsBoolean::Compare(JsValue *other) {
    if (!other) return 1;
    return truth == other->ToBoolean() ? 0 : 1;
}

JsString *JsNull::TypeName() { return g_shared.typeNull; }
JsString *JsUndefined::TypeName() { return g_shared.typeUndefined; }

// ---- numeric texts ----

bool TextIsNumeric(const char *text) {
    // The number scanner accepts a text that starts with a digit, or with a
    // point followed by at least one more byte; what follows does not matter.
    if (!text) return false;
    if (*text == '-' || *text == '+') text++;
    const char c = text[0];
    return (c >= '0' && c <= '9') || (c == '.' && text[1] != 0);
}
