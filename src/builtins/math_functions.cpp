// The Math functions. Results are ordinary numbers: a domain error gives
// the IEEE value of the C library (which isNaN does not report), while a
// NaN argument is handed back as it is.
#include <cmath>
#include <ctime>

#include "builtins/library.h"
#include "builtins/random.h"
#include "duriz.h"

namespace {

double Round(double x) {
    const double f = std::floor(x), c = std::ceil(x);
    if (f == c) return x;
    return x - f < c - x ? f : c;  // a half goes up
}

double OneArgument(int32_t id, double x) {
    switch (id) {
    case DURIZ_NATIVE_MATH_ABS: return std::fabs(x);
    case DURIZ_NATIVE_MATH_ACOS: return std::acos(x);
    case DURIZ_NATIVE_MATH_ASIN: return std::asin(x);
    case DURIZ_NATIVE_MATH_ATAN: return std::atan(x);
    case DURIZ_NATIVE_MATH_CEIL: return std::ceil(x);
    case DURIZ_NATIVE_MATH_COS: return std::cos(x);
    case DURIZ_NATIVE_MATH_EXP: return std::exp(x);
    case DURIZ_NATIVE_MATH_FLOOR: return std::floor(x);
    case DURIZ_NATIVE_MATH_LOG: return std::log(x);
    case DURIZ_NATIVE_MATH_ROUND: return Round(x);
    case DURIZ_NATIVE_MATH_SIN: return std::sin(x);
    case DURIZ_NATIVE_MATH_SQRT: return std::sqrt(x);
    default: return std::tan(x);
    }
}

JsValue *Random() {
    if (!g_randomSeeded) {
        g_randomSeeded = 1;
        SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
    }
    int r = NextRandom();
    if (r < 0) r = -r;
    return MakeNumber(r < kRandomMax ? r * 3.051850947599719e-05 : r * 4.656612875245797e-10);
}

}  // namespace

JsValue *MathFunction(const NativeCall &call) {
    const int32_t id = call.id;
    if (id == DURIZ_NATIVE_MATH_RANDOM) return Random();
    JsValue *a = call.Arg(1);
    if (!Given(a)) return nullptr;
    if (id == DURIZ_NATIVE_MATH_MAX || id == DURIZ_NATIVE_MATH_MIN || id == DURIZ_NATIVE_MATH_POW) {
        JsValue *b = call.Arg(2);
        if (!Given(b)) return nullptr;
        if (a->IsNaN()) return a;
        if (b->IsNaN()) return b;
        const double x = a->ToNumber(), y = b->ToNumber();
        if (id == DURIZ_NATIVE_MATH_MAX) return MakeNumber(y < x ? x : y);
        if (id == DURIZ_NATIVE_MATH_MIN) return MakeNumber(x < y ? x : y);
        return MakeNumber(std::pow(x, y));
    }
    if (a->IsNaN()) return a;
    return MakeNumber(OneArgument(id, a->ToNumber()));
}
