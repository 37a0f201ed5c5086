#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "compiler/token.h"
#include "values/convert.h"
#include "values/object.h"
#include "values/value.h"

double DecimalPrefixValue(const char *text) {
    if (!text) return 0.0;
    const char *p = text;
    if (*p == '+' || *p == '-') p++;
    const char *digits = p;
    while (*p >= '0' && *p <= '9') p++;
    bool any = p > digits;
    if (*p == '.') {
        p++;
        const char *fraction = p;
        while (*p >= '0' && *p <= '9') p++;
        any = any || p > fraction;
    }
    if (!any) return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char *q = p + 1;
        if (*q == '+' || *q == '-') q++;
        if (*q >= '0' && *q <= '9') {
            while (*q >= '0' && *q <= '9') q++;
            p = q;
        }
    }
    char buffer[64];
    size_t length = static_cast<size_t>(p - text);
    if (length < sizeof buffer) {
        std::memcpy(buffer, text, length);
        buffer[length] = 0;
        return std::strtod(buffer, nullptr);
    }
    char *copy = JsCopyText(text, length);
    if (!copy) return 0.0;
    double value = std::strtod(copy, nullptr);
    JsFree(copy);
    return value;
}

namespace {

// Applies an assignment operator to a number that one slot alone holds.
inline void ApplyNumberOperator(JsNumber *number, double x, int op) {
    const double v = number->value;
    switch (op) {
    case TK_ADD_ASSIGN: number->value = v + x; break;
    case TK_SUB_ASSIGN: number->value = v - x; break;
    case TK_DIV_ASSIGN: number->value = v / x; break;
    case TK_MUL_ASSIGN: number->value = v * x; break;
    case TK_MOD_ASSIGN: {
        // Never reached from scripts (%= is a run-time error there); a zero
        // divisor gives an IEEE NaN instead of faulting.
        const int32_t a = IntegerView(v), b = IntegerView(x);
        if (b == 0) {
            number->value = std::numeric_limits<double>::quiet_NaN();
        } else {
            number->value = b == -1 ? 0.0 : static_cast<double>(a % b);
        }
        break;
    }
    case TK_AND_ASSIGN: number->value = static_cast<double>(IntegerView(v) & IntegerView(x)); break;
    case TK_OR_ASSIGN: number->value = static_cast<double>(IntegerView(v) | IntegerView(x)); break;
    case TK_XOR_ASSIGN: number->value = static_cast<double>(IntegerView(v) ^ IntegerView(x)); break;
    case TK_ASSIGN: number->value = x; break;
    case TK_SHL_ASSIGN: {
        const uint32_t shifted = static_cast<uint32_t>(IntegerView(v)) << (IntegerView(x) & 31);
        number->value = static_cast<double>(static_cast<int32_t>(shifted));
        break;
    }
    case TK_SHR_ASSIGN: number->value = static_cast<double>(IntegerView(v) >> (IntegerView(x) & 31)); break;
    default: break;
    }
}

// The slot takes a value it does not hold yet. A new value that could not
// be made (null) empties the slot; the assignment still succeeds.
int Take(JsValue **slot, JsValue *value) {
    AssignRef(slot, value);
    return 1;
}

// The slot takes c's text (its own text when c is a string) followed by text.
int TakeJoined(JsValue **slot, JsValue *c, const char *text) {
    if (c->IsString()) return Take(slot, JsString::Join(static_cast<JsString *>(c), text));
    return Take(slot, JsString::Join(c->ToText(), text));
}

// Computes a number from d and the operand into the slot.
inline int Compute(JsValue **slot, JsValue *c, double d, double operand, int op) {
    JsNumber *n;
    if (c && c->kind == VALUE_NUMBER && c->refs == 1) {
        n = static_cast<JsNumber *>(c);
    } else {
        n = MakeNumber(d);
        Take(slot, n);
        if (!n) return 1;
    }
    ApplyNumberOperator(n, operand, op);
    return 1;
}

}  // namespace

int AssignToSlot(JsValue **slot, JsValue *v, int op) {
    JsValue *c = *slot;
    if (v && v->kind == VALUE_NUMBER) {
        // A number into a slot that holds one, or assigned to any slot, as
        // the general path below takes it. A number assigned where no number
        // of the slot's own can take its value is shared rather than copied:
        // a number changes in place only while one slot alone holds it, so
        // no holder can tell.
        JsNumber *number = static_cast<JsNumber *>(v);
        if (c && c->kind == VALUE_NUMBER) {
            JsNumber *current = static_cast<JsNumber *>(c);
            if (current->nan) return 1;
            if (number->nan) return Take(slot, JsNumber::MakeNaN());
            if (op == TK_ASSIGN) {
                // The slot's own number takes the value; a shared one is let go.
                if (c->refs != 1) return Take(slot, v);
                current->value = number->value;
                return 1;
            }
            return Compute(slot, c, current->value, number->value, op);
        }
        if (op == TK_ASSIGN) return Take(slot, number->nan ? JsNumber::MakeNaN() : v);
    }
    if (op != TK_ASSIGN && (!c || c->IsNull())) return 0;
    if (c && c->IsNaN()) return 1;  // a slot that holds a NaN keeps it
    if (!v) return 0;
    // The slot's current number, read only where it is used: reading a long
    // text as a number costs its length.
    auto d = [c] { return c ? c->ToNumber() : 0.0; };
    if (v->IsNumber()) {
        if (op == TK_ADD_ASSIGN && c->IsString()) return TakeJoined(slot, c, v->ToText());
        if (v->IsNaN()) return Take(slot, JsNumber::MakeNaN());
        if (op != TK_ASSIGN && !c->IsNumeric()) return 0;
        return Compute(slot, c, op == TK_ASSIGN ? 0.0 : d(), v->ToNumber(), op);
    }
    if (v->IsBoolean()) {
        if (op == TK_ADD_ASSIGN && c->IsString()) return TakeJoined(slot, c, v->ToBoolean() ? "true" : "false");
        if (op == TK_ASSIGN) {
            if (c && c->IsBoolean() && c->refs == 1) {
                static_cast<JsBoolean *>(c)->truth = v->ToBoolean();
                return 1;
            }
            return Take(slot, new JsBoolean(v->ToBoolean()));
        }
        if (!c->IsNumeric()) return 0;
        return Compute(slot, c, d(), v->ToNumber(), op);
    }
    if (v->IsString()) {
        if (op == TK_ASSIGN) return Take(slot, v);
        if (op == TK_ADD_ASSIGN) {
            if (c->IsString()) return Take(slot, JsString::Join(static_cast<JsString *>(c), static_cast<JsString *>(v)));
            return Take(slot, JsString::Join(c->ToText(), static_cast<JsString *>(v)));
        }
        if (!c->IsNumeric() || !v->IsNumeric()) return 0;
        return Compute(slot, c, d(), v->ToNumber(), op);
    }
    if (op == TK_ASSIGN) return Take(slot, v);
    if (op != TK_ADD_ASSIGN) return 0;
    if (c->IsString()) return TakeJoined(slot, c, v->ToText());
    if (c->IsObject() && static_cast<JsObject *>(c)->IsStringObject())
        return Take(slot, JsString::Join(c->ToText(), v->ToText()));
    return 0;
}
