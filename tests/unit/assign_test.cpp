// Assignment into counted slots: the operators on numbers, string joins,
// sharing versus copying, in-place changes of a value held by one slot,
// the NaN rules and number literals.
#include <gtest/gtest.h>

#include "engine_fixture.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "builtins/function.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

class Assign : public EngineTest {
protected:

    // A String object holding text.
    JsObject *StringObject(const char *text) {
        JsObject *args = Keep(new JsObject());
        JsString *s = JsString::Make(text);
        args->AddProperty("", s);
        return Keep(JsObject::MakeConstructed(NativeFunction(DURIZ_CTOR_STRING), args));
    }
    static void Clear(JsValue **slot) { AssignRef(slot, nullptr); }

};

TEST(AssignNumbers, ApplyNumberOperator) {
    const double nan = std::nan("");
    const struct {
        double v, x;
        int op;
        double result;
    } cases[] = {
        {5, 3, TK_ADD_ASSIGN, 8}, {5, 3, TK_SUB_ASSIGN, 2}, {7, 2, TK_DIV_ASSIGN, 3.5},
        {2.5, 4, TK_MUL_ASSIGN, 10}, {7, 3, TK_MOD_ASSIGN, 1},
        {1, 0, TK_DIV_ASSIGN, HUGE_VAL}, {-1, 0, TK_DIV_ASSIGN, -HUGE_VAL},
        {0, 0, TK_DIV_ASSIGN, nan},           // an IEEE NaN, not the flag
        {5, 0.4, TK_MOD_ASSIGN, nan},         // a zero integer divisor does not fault
        {-7, 3, TK_MOD_ASSIGN, -1},           // sign of the dividend
        {7.9, -3.2, TK_MOD_ASSIGN, 1},        // 7 % -3
        {7.9, 2.5, TK_AND_ASSIGN, 2},         // 7 & 2
        {-1.5, 3, TK_AND_ASSIGN, 3},          // -1 & 3
        {5, 2, TK_OR_ASSIGN, 7},
        {4294967301.0, 0, TK_OR_ASSIGN, 5},   // low 32 bits of 2^32 + 5
        {6, 3, TK_XOR_ASSIGN, 5}, {-1, 1, TK_XOR_ASSIGN, -2}, {1, 9, TK_ASSIGN, 9},
        {1, 33, TK_SHL_ASSIGN, 2},            // shift counts are taken & 31
        {1, 31, TK_SHL_ASSIGN, -2147483648.0}, {3, 2.9, TK_SHL_ASSIGN, 12},
        {-8, 1, TK_SHR_ASSIGN, -4},           // sign-filling
        {-1, 40, TK_SHR_ASSIGN, -1}, {256, 36, TK_SHR_ASSIGN, 16},
        {2147483648.0, 0, TK_SHR_ASSIGN, -2147483648.0},
        {5, 3, TK_ASSIGN - 1, 5},             // not an assignment operator: no change
        {5, 3, TK_PLUS, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.v) + " op " + std::to_string(c.op) + " " + std::to_string(c.x));
        JsNumber n(c.v);
        ApplyNumberOperator(&n, c.x, c.op);
        if (std::isnan(c.result)) {
            EXPECT_TRUE(std::isnan(n.value)) << n.value;
        } else {
            EXPECT_EQ(n.value, c.result);
        }
        EXPECT_EQ(n.nan, 0);
        EXPECT_EQ(n.IsNaN(), 0);
    }
    // The NaN flag is left as it was.
    JsNumber n(0);
    n.nan = 1;
    ApplyNumberOperator(&n, 5, TK_ADD_ASSIGN);
    EXPECT_EQ(n.nan, 1);
    EXPECT_EQ(n.value, 5);
}

TEST(AssignNumbers, LiteralValues) {
    const struct {
        const char *text;
        int kind;
        double value;
    } cases[] = {
        {"42", TK_INT, 42}, {"1e3", TK_INT, 1000}, {"1.5e2", TK_DECIMAL, 150}, {"0.25", TK_DECIMAL, 0.25},
        {".5", TK_DECIMAL, 0.5}, {"017", TK_OCTAL, 15},
        {"08", TK_OCTAL, 0},            // base 8 stops at the 8
        {"0x1F", TK_HEX, 31}, {"0XfF", TK_HEX, 255}, {"0x7FFFFFFF", TK_HEX, 2147483647},
        {"0x80000000", TK_HEX, 2147483647},  // clamped
        {"0xFFFFFFFF", TK_HEX, 2147483647}, {"0x123456789", TK_HEX, 2147483647},
        {"037777777777", TK_OCTAL, 2147483647}, {nullptr, TK_INT, 0}, {nullptr, TK_HEX, 0},
        {"42", TK_STRING, 0}, {"42", TK_IDENT, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LiteralValue(c.text, c.kind), c.value) << (c.text ? c.text : "<null>") << " " << c.kind;
        JsNumber *n = JsNumber::FromLiteral(c.text, c.kind);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->value, c.value);
        EXPECT_EQ(n->nan, 0);
        EXPECT_EQ(n->refs, 0);
        DisposeValue(n);
    }
}

// One row: the slot's current value, the assigned value, the operator, and
// what the slot holds afterwards.
struct Row {
    const char *what;
    std::function<JsValue *()> current;  // null pointer for an empty slot
    std::function<JsValue *()> value;
    int op;
    int result;
    const char *type;  // type name afterwards, null for an empty slot
    const char *text;
};

TEST_F(Assign, Table) {
    auto num = [](double d) { return [d]() -> JsValue * { return MakeNumber(d); }; };
    auto str = [](const char *t) { return [t]() -> JsValue * { return JsString::Make(t); }; };
    auto boolean = [](int t) { return [t]() -> JsValue * { return new JsBoolean(t); }; };
    auto empty = []() -> JsValue * { return nullptr; };
    auto nul = []() -> JsValue * { return g_shared.nullValue; };
    auto und = []() -> JsValue * { return g_shared.undefinedValue; };
    auto obj = []() -> JsValue * { return new JsObject(); };
    auto nan = []() -> JsValue * { return JsNumber::MakeNaN(); };
    auto strObj = [this]() -> JsValue * { return StringObject("ab"); };
    const Row rows[] = {
        {"= into empty", empty, num(5), TK_ASSIGN, 1, "number", "5"},
        {"+= into empty", empty, num(5), TK_ADD_ASSIGN, 0, nullptr, nullptr},
        {"-= onto null", nul, num(1), TK_SUB_ASSIGN, 0, "null", "null"},
        {"+= string onto null", nul, str("x"), TK_ADD_ASSIGN, 0, "null", "null"},
        {"= onto null", nul, num(1), TK_ASSIGN, 1, "number", "1"},
        {"string += number joins", str("12"), num(3), TK_ADD_ASSIGN, 1, "string", "123"},
        {"string -= number computes", str("12"), num(3), TK_SUB_ASSIGN, 1, "number", "9"},
        {"non-numeric string -= number", str("abc"), num(1), TK_SUB_ASSIGN, 0, "string", "abc"},
        {"string += 1.5", str("a"), num(1.5), TK_ADD_ASSIGN, 1, "string", "a1.5"},
        {"string += true", str("a"), boolean(1), TK_ADD_ASSIGN, 1, "string", "atrue"},
        {"string += false", str("a"), boolean(0), TK_ADD_ASSIGN, 1, "string", "afalse"},
        {"string += NaN joins", str("a"), nan, TK_ADD_ASSIGN, 1, "string", "aNaN"},
        {"number += NaN", num(5), nan, TK_ADD_ASSIGN, 1, "number", "NaN"},
        {"= NaN", num(5), nan, TK_ASSIGN, 1, "number", "NaN"},
        {"NaN keeps = 5", nan, num(5), TK_ASSIGN, 1, "number", "NaN"},
        {"NaN keeps += string", nan, str("x"), TK_ADD_ASSIGN, 1, "number", "NaN"},
        {"NaN keeps -= object", nan, obj, TK_SUB_ASSIGN, 1, "number", "NaN"},
        {"true += 1", boolean(1), num(1), TK_ADD_ASSIGN, 1, "number", "2"},
        {"false |= 4", boolean(0), num(4), TK_OR_ASSIGN, 1, "number", "4"},
        {"number = true", num(5), boolean(1), TK_ASSIGN, 1, "boolean", "true"},
        {"= boolean into empty", empty, boolean(0), TK_ASSIGN, 1, "boolean", "false"},
        {"number -= true", num(4), boolean(1), TK_SUB_ASSIGN, 1, "number", "3"},
        {"string *= true", str("6"), boolean(1), TK_MUL_ASSIGN, 1, "number", "6"},
        {"non-numeric -= true", str("q"), boolean(1), TK_SUB_ASSIGN, 0, "string", "q"},
        {"undefined -= 1", und, num(1), TK_SUB_ASSIGN, 0, "undefined", "undefined"},
        {"object -= 1", obj, num(1), TK_SUB_ASSIGN, 0, "object", "object"},
        {"string -= string", str("7"), str("2"), TK_SUB_ASSIGN, 1, "number", "5"},
        {"string -= non-numeric string", str("7"), str("x"), TK_SUB_ASSIGN, 0, "string", "7"},
        {"number *= string", num(7), str("3"), TK_MUL_ASSIGN, 1, "number", "21"},
        {"number += string joins", num(7), str("3"), TK_ADD_ASSIGN, 1, "string", "73"},
        {"true += string", boolean(1), str("x"), TK_ADD_ASSIGN, 1, "string", "truex"},
        {"undefined += string", und, str("x"), TK_ADD_ASSIGN, 1, "string", "undefinedx"},
        {"String object += string", strObj, str("x"), TK_ADD_ASSIGN, 1, "string", "abx"},
        {"String object -= 1", strObj, num(1), TK_SUB_ASSIGN, 0, "object", "ab"},
        {"number += object", num(1), obj, TK_ADD_ASSIGN, 0, "number", "1"},
        {"string += object", str("s"), obj, TK_ADD_ASSIGN, 1, "string", "sobject"},
        {"string += null", str("s"), nul, TK_ADD_ASSIGN, 1, "string", "snull"},
        {"string += undefined", str("s"), und, TK_ADD_ASSIGN, 1, "string", "sundefined"},
        {"String object += object", strObj, obj, TK_ADD_ASSIGN, 1, "string", "abobject"},
        {"String object += null", strObj, nul, TK_ADD_ASSIGN, 1, "string", "abnull"},
        {"object += object", obj, obj, TK_ADD_ASSIGN, 0, "object", "object"},
        {"number = null", num(1), nul, TK_ASSIGN, 1, "null", "null"},
        {"number = undefined", num(1), und, TK_ASSIGN, 1, "undefined", "undefined"},
        {"number -= null", num(1), nul, TK_SUB_ASSIGN, 0, "number", "1"},
        {"number *= object", num(1), obj, TK_MUL_ASSIGN, 0, "number", "1"},
        {"string = object", str("s"), obj, TK_ASSIGN, 1, "object", "object"},
        {"number /= 4", num(6), num(4), TK_DIV_ASSIGN, 1, "number", "1.5"},
    };
    for (const Row &r : rows) {
        JsValue *slot = nullptr;
        AssignRef(&slot, r.current());
        JsValue *before = slot;
        JsValue *v = r.value();
        if (v) v->refs++;  // the caller's hold on the assigned value
        const int answer = AssignToSlot(&slot, v, r.op);
        EXPECT_EQ(answer, r.result) << r.what;
        if (!r.type) {
            EXPECT_EQ(slot, nullptr) << r.what;
        } else {
            ASSERT_NE(slot, nullptr) << r.what;
            EXPECT_STREQ(slot->TypeName()->ToText(), r.type) << r.what;
            EXPECT_STREQ(slot->ToText(), r.text) << r.what;
        }
        if (!r.result) {
            EXPECT_EQ(slot, before) << r.what << ": a failure changes nothing";
        }
        Clear(&slot);
        ReleaseRef(v);
    }
}

TEST_F(Assign, InPlaceOnlyForTheSoleHolder) {
    JsValue *slot = nullptr;
    JsNumber *n = MakeNumber(10);
    AssignRef(&slot, n);
    JsNumber *two = MakeNumber(2);
    two->refs++;
    // Sole holder: changed in place, for = too.
    ASSERT_EQ(AssignToSlot(&slot, two, TK_MUL_ASSIGN), 1);
    EXPECT_EQ(slot, n);
    EXPECT_EQ(n->value, 20);
    ASSERT_EQ(AssignToSlot(&slot, two, TK_ASSIGN), 1);
    EXPECT_EQ(slot, n);
    EXPECT_EQ(n->value, 2);
    EXPECT_EQ(n->refs, 1);
    // A second holder: the slot gets a new number, the old one is untouched.
    n->refs++;
    ASSERT_EQ(AssignToSlot(&slot, two, TK_ADD_ASSIGN), 1);
    EXPECT_NE(slot, n);
    EXPECT_EQ(slot->ToNumber(), 4);
    EXPECT_EQ(slot->refs, 1);
    EXPECT_EQ(n->value, 2);
    EXPECT_EQ(n->refs, 1);
    ReleaseRef(n);
    ReleaseRef(two);
    Clear(&slot);

    // Booleans likewise.
    JsBoolean *b = new JsBoolean(1);
    AssignRef(&slot, b);
    ASSERT_EQ(AssignToSlot(&slot, g_shared.falseValue, TK_ASSIGN), 1);
    EXPECT_EQ(slot, b);
    EXPECT_EQ(b->truth, 0);
    EXPECT_EQ(g_shared.falseValue->truth, 0);
    b->refs++;
    ASSERT_EQ(AssignToSlot(&slot, g_shared.trueValue, TK_ASSIGN), 1);
    EXPECT_NE(slot, b);
    EXPECT_NE(slot, g_shared.trueValue);  // a boolean of its own
    EXPECT_EQ(slot->ToBoolean(), 1);
    EXPECT_EQ(b->truth, 0);
    EXPECT_EQ(b->refs, 1);
    ReleaseRef(b);
    Clear(&slot);

    // A boolean held only by the slot is replaced, not changed, by a number.
    AssignRef(&slot, new JsBoolean(1));
    JsValue *old = slot;
    old->refs++;
    ASSERT_EQ(AssignToSlot(&slot, two = MakeNumber(3), TK_ADD_ASSIGN), 1);
    EXPECT_NE(slot, old);
    EXPECT_EQ(slot->ToNumber(), 4);
    EXPECT_EQ(static_cast<JsBoolean *>(old)->truth, 1);
    DropIfUnowned(two);
    ReleaseRef(old);
    Clear(&slot);
}

TEST_F(Assign, StringsAndObjectsAreShared) {
    JsValue *slot = nullptr;
    JsString *s = JsString::Make("shared");
    ASSERT_EQ(AssignToSlot(&slot, s, TK_ASSIGN), 1);
    EXPECT_EQ(slot, s);
    EXPECT_EQ(s->refs, 1);
    JsValue *other = nullptr;
    ASSERT_EQ(AssignToSlot(&other, s, TK_ASSIGN), 1);
    EXPECT_EQ(s->refs, 2);
    // A join makes a new string and leaves the old one as it was.
    JsString *tail = JsString::Make("!");
    ASSERT_EQ(AssignToSlot(&slot, tail, TK_ADD_ASSIGN), 1);
    EXPECT_NE(slot, s);
    EXPECT_STREQ(slot->ToText(), "shared!");
    EXPECT_STREQ(s->ToText(), "shared");
    EXPECT_EQ(s->refs, 1);
    EXPECT_EQ(slot->refs, 1);
    EXPECT_EQ(tail->refs, 0);
    DropIfUnowned(tail);
    // Objects too.
    JsObject *o = new JsObject();
    ASSERT_EQ(AssignToSlot(&slot, o, TK_ASSIGN), 1);
    EXPECT_EQ(slot, o);
    EXPECT_EQ(o->refs, 1);
    Clear(&slot);
    Clear(&other);
}

TEST_F(Assign, AStringHeldByTheSlotAloneGrowsInPlace) {
    JsValue *slot = nullptr;
    JsString *s = JsString::Make("ab");
    AssignRef(&slot, s);
    JsString *piece = JsString::Make("cd");
    piece->refs++;
    std::string expected = "ab";
    for (int i = 0; i < 2000; i++) {
        ASSERT_EQ(AssignToSlot(&slot, piece, TK_ADD_ASSIGN), 1);
        expected += "cd";
    }
    EXPECT_EQ(slot, s);  // the same string all along
    EXPECT_EQ(s->refs, 1);
    EXPECT_EQ(std::string(s->ToText()), expected);
    EXPECT_EQ(s->Length(), static_cast<int32_t>(expected.size()));
    EXPECT_STREQ(piece->ToText(), "cd");
    // Its own text appended to itself, through the grown block.
    ASSERT_TRUE(s->Append(s->ToText()));
    EXPECT_EQ(std::string(s->ToText()), expected + expected);
    // Once another holds it, += makes a new string and leaves it alone.
    JsValue *other = nullptr;
    AssignRef(&other, s);
    ASSERT_EQ(AssignToSlot(&slot, piece, TK_ADD_ASSIGN), 1);
    EXPECT_NE(slot, s);
    EXPECT_EQ(std::string(s->ToText()), expected + expected);
    EXPECT_EQ(std::string(slot->ToText()), expected + expected + "cd");
    ReleaseRef(piece);
    Clear(&slot);
    Clear(&other);
}

TEST_F(Assign, ReplacedValuesLoseTheirReference) {
    JsValue *slot = nullptr;
    JsNumber *seven = MakeNumber(7);
    AssignToSlot(&slot, seven, TK_ASSIGN);
    DropIfUnowned(seven);
    JsValue *held = slot;
    const int pooled = NumberPoolCount();
    JsString *s = JsString::Make("text");
    ASSERT_EQ(AssignToSlot(&slot, s, TK_ASSIGN), 1);
    EXPECT_EQ(NumberPoolCount(), pooled + 1);  // the number went back to the pool
    EXPECT_EQ(MakeNumber(0), held);
    DropIfUnowned(held);
    // A number stored over a shared string leaves the string to its other holder.
    s->refs++;
    JsNumber *one = MakeNumber(1);
    ASSERT_EQ(AssignToSlot(&slot, one, TK_ASSIGN), 1);
    EXPECT_EQ(s->refs, 1);
    EXPECT_EQ(slot->ToNumber(), 1);
    DropIfUnowned(one);
    ReleaseRef(s);
    // A slot that holds a NaN keeps the very same number.
    JsNumber *nan = JsNumber::MakeNaN();
    ASSERT_EQ(AssignToSlot(&slot, nan, TK_ASSIGN), 1);
    JsValue *kept = slot;
    EXPECT_NE(kept, nan);  // a NaN of its own
    EXPECT_EQ(kept->IsNaN(), 1);
    JsNumber *five = MakeNumber(5);
    ASSERT_EQ(AssignToSlot(&slot, five, TK_ASSIGN), 1);
    EXPECT_EQ(slot, kept);
    EXPECT_EQ(kept->refs, 1);
    DropIfUnowned(five);
    DisposeValue(nan);
    Clear(&slot);
}

TEST_F(Assign, NullValueIsAFailure) {
    JsValue *slot = nullptr;
    AssignRef(&slot, g_shared.nullValue);
    const int refs = g_shared.nullValue->refs;
    JsString *s = JsString::Make("x");
    for (int op : {TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_DIV_ASSIGN, TK_MUL_ASSIGN, TK_AND_ASSIGN, TK_OR_ASSIGN,
                   TK_XOR_ASSIGN, TK_SHL_ASSIGN, TK_SHR_ASSIGN}) {
        EXPECT_EQ(AssignToSlot(&slot, s, op), 0) << op;
        EXPECT_EQ(slot, g_shared.nullValue);
    }
    EXPECT_EQ(g_shared.nullValue->refs, refs);
    EXPECT_EQ(s->refs, 0);
    DropIfUnowned(s);
    Clear(&slot);
}

}  // namespace
