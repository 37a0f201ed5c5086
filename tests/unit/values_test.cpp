// Values: the primitive classes' conversions, type tests and comparison,
// string storage and text operations, the number pool and reference
// handling.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "duriz.h"
#include "engine/shared.h"
#include "values/value.h"

namespace {

class Values : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override {
        for (JsValue *v : made_) DropIfUnowned(v);
        JS_Destroy();
    }

    // A value made for the test; dropped at its end unless something holds it.
    template <typename T>
    T *Made(T *v) {
        made_.push_back(v);
        return v;
    }
    JsNumber *Num(double d) { return Made(MakeNumber(d)); }
    JsNumber *NaN() { return Made(JsNumber::MakeNaN()); }
    JsString *Str(const char *text) { return Made(JsString::Make(text)); }
    JsBoolean *Bool(int truth) { return Made(new JsBoolean(truth)); }
    // The "%.16g" rendering made independently of the engine.
    static std::string Formatted(double d) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.16g", d);
        return buffer;
    }
    static std::string Text(JsValue *v) {
        const char *t = v ? v->ToText() : "<none>";
        return t ? t : "<null>";
    }

private:
    std::vector<JsValue *> made_;
};

// ---- numbers ----

TEST_F(Values, NumberTextIsPercent16g) {
    EXPECT_EQ(Text(Num(-0.0)), "-0");
    // Exponent form from 1e16 and below 1e-4; whole numbers take a shorter
    // way to their digits, with the same text.
    std::vector<double> values = {1, 0.1, 1.0 / 3, 0, -2.5, 123456789012345678.0, 1e-5, 1e16, 1e15, 0.0001,
                                  DBL_MAX, -DBL_MAX, -DBL_MIN, -1e15 + 1, 1e15 - 1, 999999999999999.0,
                                  -999999999999999.0, 2147483648.0, -2147483649.0, 4294967296.0, 9007199254740.0,
                                  -1, 10, 100, -100000};
    for (double v = 1; v < 1e15; v = v * 7 + 3) {
        values.push_back(v);
        values.push_back(-v);
    }
    for (double v : values) EXPECT_EQ(Text(Num(v)), Formatted(v)) << v;
    char text[24];
    EXPECT_EQ(IntegerText(INT64_MIN, text), 20u);
    EXPECT_STREQ(text, "-9223372036854775808");
    EXPECT_EQ(IntegerText(0, text), 1u);
    EXPECT_STREQ(text, "0");
}

TEST_F(Values, NumberTextsShareOneBuffer) {
    const char *first = Num(1.5)->ToText();
    EXPECT_STREQ(first, "1.5");
    EXPECT_EQ(Num(-7)->ToText(), first);
    EXPECT_EQ(first, g_numberText);
    EXPECT_STREQ(first, "-7");  // the first text has been overwritten
}

TEST_F(Values, NaN) {
    JsNumber *n = NaN();
    EXPECT_EQ(n->value, 0.0);
    EXPECT_EQ(n->IsNaN(), 1);
    EXPECT_EQ(n->IsNumber(), 1);
    EXPECT_EQ(n->ToBoolean(), 0);
    EXPECT_STREQ(n->ToText(), "NaN");
    n->value = 42;  // a NaN flag with a stray value still prints NaN
    EXPECT_STREQ(n->ToText(), "NaN");
    // An IEEE NaN produced by arithmetic is no flagged NaN, and not 0.0, so true.
    JsNumber *ieee = Num(std::nan(""));
    EXPECT_EQ(ieee->ToBoolean(), 1);
    EXPECT_EQ(ieee->IsNaN(), 0);
}

TEST_F(Values, TypeTestsTypeNamesAndConversions) {
    struct Row {
        JsValue *v;
        int str, num, boolean, null, undef, numeric;
        JsString *type;
        const char *typeText, *text;
        double number;
        int truth, integer;  // the truth word as stored; booleans have no integer view
    } rows[] = {
        {Num(3), 0, 1, 0, 0, 0, 1, g_shared.typeNumber, "number", "3", 3, 1, 3},
        {Str("x"), 1, 0, 0, 0, 0, 0, g_shared.typeString, "string", "x", 0, 1, 0},
        {Bool(1), 0, 0, 1, 0, 0, 1, g_shared.typeBoolean, "boolean", "true", 1, 1, 0},
        {Bool(0), 0, 0, 1, 0, 0, 1, g_shared.typeBoolean, "boolean", "false", 0, 0, 0},
        {Bool(2), 0, 0, 1, 0, 0, 1, g_shared.typeBoolean, "boolean", "true", 1, 2, 0},
        {g_shared.nullValue, 0, 0, 0, 1, 0, 1, g_shared.typeNull, "null", "null", 0, 0, 0},
        {g_shared.undefinedValue, 0, 0, 0, 0, 1, 0, g_shared.typeUndefined, "undefined", "undefined", 0, 0, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(r.v->IsString(), r.str);
        EXPECT_EQ(r.v->IsNumber(), r.num);
        EXPECT_EQ(r.v->IsBoolean(), r.boolean);
        EXPECT_EQ(r.v->IsNull(), r.null);
        EXPECT_EQ(r.v->IsUndefined(), r.undef);
        EXPECT_EQ(r.v->IsNumeric(), r.numeric);
        EXPECT_EQ(r.v->IsObject(), 0);
        EXPECT_FALSE(r.v->IsObjectKind());
        EXPECT_EQ(r.v->HasClass(), 0);
        EXPECT_EQ(r.v->IsFunction(), 0);
        EXPECT_EQ(r.v->AsFunction(), nullptr);
        EXPECT_EQ(r.v->Flags(), 0);
        EXPECT_EQ(r.v->IsNaN(), 0);
        EXPECT_EQ(r.v->TypeName(), r.type);
        EXPECT_STREQ(r.v->TypeName()->ToText(), r.typeText);
        EXPECT_STREQ(r.v->ToText(), r.text);
        EXPECT_EQ(r.v->ToNumber(), r.number);
        EXPECT_EQ(r.v->ToBoolean(), r.truth);
        EXPECT_EQ(r.v->ToInteger(), r.integer);
    }
}

TEST_F(Values, SharedValues) {
    EXPECT_EQ(g_shared.trueValue->truth, 1);
    EXPECT_EQ(g_shared.falseValue->truth, 0);
    EXPECT_EQ(g_shared.minusOne->value, -1.0);
    EXPECT_EQ(g_shared.one->value, 1.0);
    EXPECT_EQ(g_shared.zero->value, 0.0);
    EXPECT_STREQ(g_shared.emptyString->ToText(), "");
    EXPECT_STREQ(g_shared.typeObject->ToText(), "object");
    EXPECT_STREQ(g_shared.typeFunction->ToText(), "function");
    for (JsValue *v : std::vector<JsValue *>{g_shared.trueValue, g_shared.falseValue, g_shared.minusOne, g_shared.one,
                                             g_shared.zero, g_shared.nullValue, g_shared.undefinedValue,
                                             g_shared.emptyString, g_shared.typeString, g_shared.typeObject,
                                             g_shared.typeFunction})
        EXPECT_GE(v->refs, 1);
    EXPECT_EQ(NumberPoolCount(), 0);
}

// ---- strings ----

TEST_F(Values, StringConstructorsMakeOnePiece) {
    JsString *ab = Str("ab"), *cd = Str("cd"), *left = Str("xy"), *right = Str("z"), *a = Str("a");
    char source[] = "keep";
    const struct {
        JsString *s;
        const char *text;
    } made[] = {
        {Str("abc"), "abc"},
        {Str(nullptr), ""},
        {Made(JsString::Make("abcdef", 4)), "abcd"},
        {Made(JsString::Join(ab, "cd")), "abcd"},
        {Made(JsString::Join("ab", cd)), "abcd"},
        {Made(JsString::Join("a", nullptr, "b", nullptr, "c")), "abc"},
        {Made(JsString::Join("1", "2")), "12"},
        {Made(JsString::Join(left, right)), "xyz"},
        {Made(JsString::Join("b", a)), "ba"},
        {Str(source), "keep"},
    };
    source[0] = 'X';  // the string holds a copy, not the caller's text
    for (const auto &m : made) {
        SCOPED_TRACE(m.text);
        EXPECT_STREQ(m.s->ToText(), m.text);
        EXPECT_EQ(m.s->pieces.Count(), 1);
        EXPECT_EQ(m.s->Length(), static_cast<int32_t>(std::strlen(m.text)));
        EXPECT_EQ(m.s->refs, 0);
    }
    // The joins read their parts; they neither change, consume nor keep them.
    EXPECT_STREQ(left->ToText(), "xy");
    EXPECT_STREQ(right->ToText(), "z");
    for (JsString *part : {ab, cd, left, right, a}) EXPECT_EQ(part->refs, 0);
}

TEST_F(Values, AppendGrowsTheLastPiece) {
    JsString *s = Str("ab");
    EXPECT_TRUE(s->Append("cd"));
    EXPECT_STREQ(s->ToText(), "abcd");
    EXPECT_EQ(s->Length(), 4);
    EXPECT_EQ(s->pieces.Count(), 1);
    s->Append(nullptr);
    EXPECT_STREQ(s->ToText(), "abcd");
    s->Append("");
    EXPECT_EQ(s->Length(), 4);
    s->Append("efg");
    EXPECT_STREQ(s->ToText(), "abcdefg");
    EXPECT_EQ(static_cast<JsTextPiece *>(s->pieces.First())->length, 7);
}

TEST_F(Values, StringConversions) {
    const struct {
        const char *text;
        int boolean, numeric;
        double number;
    } cases[] = {
        {"12abc", 1, 1, 12}, {"abc", 1, 0, 0},  {"-5", 1, 1, -5},     {".5", 1, 1, 0.5},       {"0x10", 1, 1, 0},
        {"0x1A", 1, 1, 0},   {"12px", 1, 1, 12}, {".x", 1, 1, 0},     {"", 0, 0, 0},           {"-", 1, 0, 0},
        {".", 1, 0, 0},      {" 1", 1, 0, 0},    {"0", 1, 1, 0},      {"+3", 1, 1, 3},         {"1e3", 1, 1, 1000},
        {"-.5", 1, 1, -0.5}, {"--1", 1, 0, 0},   {"+.", 1, 0, 0},     {"2.5e-1x", 1, 1, 0.25}, {"inf", 1, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        JsString *s = Str(c.text);
        EXPECT_EQ(s->ToBoolean(), c.boolean);
        EXPECT_EQ(s->IsNumeric(), c.numeric);
        EXPECT_EQ(s->ToNumber(), c.number);
        EXPECT_EQ(s->ToInteger(), 0);
        EXPECT_EQ(s->IsNaN(), 0);
    }
}

TEST_F(Values, IndexOfAndCharAt) {
    JsString *s = Str("abcb");
    const struct {
        const char *pattern;
        int start, result;
    } cases[] = {
        {"b", 10, 1}, {"b", 2, 3}, {"b", 0, 1}, {"b", -3, 1}, {"b", 4, 1}, {"b", 3, 3}, {"a", 1, -1},
        {"cb", 0, 2}, {"zz", 0, -1}, {"abcbx", 0, -1}, {"", 2, 2}, {"", 0, 0}, {"abcb", 0, 0}, {nullptr, 0, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(s->IndexOf(c.pattern, c.start), c.result) << (c.pattern ? c.pattern : "<null>") << " " << c.start;
    const struct {
        int at;
        char c;
    } chars[] = {{0, 'a'}, {2, 'c'}, {3, 'b'}, {4, 0}, {-1, 0}, {1000, 0}};
    for (const auto &c : chars) EXPECT_EQ(s->CharAt(c.at), c.c) << c.at;
}

TEST_F(Values, Substring) {
    JsString *s = Str("abcdef");
    const struct {
        int from, to;
        const char *text;
    } cases[] = {
        {3, 1, "bc"}, {-2, 2, "ab"}, {6, 9, ""}, {2, 2, ""}, {0, 6, "abcdef"}, {5, 100, "f"},
        {0, 0, ""},   {-5, -1, ""},  {4, -3, ""}, {1, 2, "b"}, {100, 0, ""},  // to is clamped before the exchange
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "," + std::to_string(c.to));
        JsString *sub = s->Substring(c.from, c.to);
        ASSERT_NE(sub, nullptr);
        Made(sub);
        EXPECT_NE(sub, s);
        EXPECT_STREQ(sub->ToText(), c.text);
        EXPECT_EQ(sub->Length(), static_cast<int32_t>(std::strlen(c.text)));
        EXPECT_EQ(sub->refs, 0);
    }
    EXPECT_STREQ(s->ToText(), "abcdef");
}

TEST_F(Values, ChangeCaseWorksInPlaceOnAsciiLetters) {
    JsString *s = Str("aB1z-\xe9Q");
    s->ChangeCase(1);
    EXPECT_STREQ(s->ToText(), "ab1z-\xe9q");
    s->ChangeCase(0);
    EXPECT_STREQ(s->ToText(), "AB1Z-\xe9Q");
    EXPECT_EQ(s->Length(), 7);
}

// ---- comparison ----

TEST_F(Values, Compare) {
    // Each row: a compared with b, and the answer: exactly "0" or "1", or
    // only its sign ("<0", ">0").
    JsNumber *five = Num(5), *six = Num(6), *nan = NaN(), *ieee = Num(std::nan("")), *one = Num(1), *zero = Num(0);
    JsBoolean *t = Bool(1), *f = Bool(0);
    JsString *s10 = Str("10"), *empty = Str(""), *abc = Str("abc"), *abd = Str("abd"), *x = Str("x");
    JsValue *nul = g_shared.nullValue, *und = g_shared.undefinedValue;
    const struct {
        JsValue *a, *b;
        const char *answer;
    } cases[] = {
        {five, Num(5), "0"}, {five, six, "<0"}, {six, five, ">0"}, {five, nullptr, "1"}, {five, nan, "1"},
        {nan, five, "1"}, {nan, nan, "1"},  // NaN is unequal even to itself
        {nan, zero, "1"}, {zero, nan, "1"},
        {five, ieee, "1"}, {ieee, five, "1"},  // unordered counts as greater
        {five, Str("12abc"), "<0"}, {five, Str("abc"), ">0"},  // the other value's ToNumber: 12, 0
        {one, t, "0"}, {zero, nul, "0"}, {zero, und, "0"},     // null and undefined count 0.0
        {t, g_shared.trueValue, "0"}, {t, f, "1"}, {f, t, "1"},  // booleans are never negative
        {t, Str("0"), "0"}, {f, Str(""), "0"}, {t, Num(3), "0"}, {f, nul, "0"}, {t, nullptr, "1"},
        {Bool(2), t, "1"},  // the raw word 2 against 1
        {nul, nul, "0"}, {und, und, "0"}, {nul, und, "1"}, {und, nul, "1"}, {nul, g_shared.zero, "1"},
        {nul, nullptr, "1"},  // null and undefined compare by identity
        // A string of digits only (the empty one too) against a number
        // compares as numbers; anything else as texts.
        {s10, Num(9), ">0"}, {s10, Str("9"), "<0"}, {Str("2"), Num(10), "<0"}, {Str("2"), Str("10"), ">0"},
        {empty, Num(0), "0"}, {s10, Num(10), "0"},
        {empty, NaN(), "<0"},     // the negation of the number's 1
        {Str("-5"), Num(-5), "0"},  // as texts "-5" and "-5"
        {abc, Num(100), ">0"},    // "abc" against "100"
        {abc, abd, "<0"}, {abd, abc, ">0"}, {abc, Str("abc"), "0"}, {empty, x, "<0"}, {x, empty, ">0"},
        {empty, g_shared.emptyString, "0"}, {abc, nullptr, "1"},
        {x, nul, ">0"},                   // against the text "null"
        {abc, g_shared.trueValue, "<0"},  // against the text "true"
    };
    for (const auto &c : cases) {
        const int r = c.a->Compare(c.b);
        const std::string answer = c.answer;
        SCOPED_TRACE(Text(c.a) + " vs " + Text(c.b) + ": " + std::to_string(r));
        if (answer == "<0") {
            EXPECT_LT(r, 0);
        } else if (answer == ">0") {
            EXPECT_GT(r, 0);
        } else {
            EXPECT_EQ(r, std::stoi(answer));
        }
    }
}

// ---- pool and references ----

TEST_F(Values, PoolReusesLastReleasedFirstAndReinitialises) {
    ASSERT_EQ(NumberPoolCount(), 0);
    // What is not a number is destroyed, not pooled.
    DisposeValue(JsString::Make("gone"));
    DisposeValue(new JsBoolean(1));
    DisposeValue(nullptr);
    ASSERT_EQ(NumberPoolCount(), 0);
    std::vector<JsNumber *> numbers;
    for (int i = 0; i < 257; i++) numbers.push_back(new JsNumber(i));
    // The last one pooled comes back with a count, flags and NaN flag of none.
    numbers[255]->nan = 1;
    numbers[255]->refs = 5;
    numbers[255]->flags = 0x77;
    for (int i = 0; i < 256; i++) {
        DisposeValue(numbers[static_cast<size_t>(i)]);
        EXPECT_EQ(NumberPoolCount(), i + 1);
    }
    DisposeValue(numbers[256]);  // the pool is full: destroyed
    EXPECT_EQ(NumberPoolCount(), 256);
    JsNumber *first = MakeNumber(-2.25);
    ASSERT_EQ(first, numbers[255]);
    EXPECT_EQ(NumberPoolCount(), 255);
    EXPECT_EQ(first->refs, 0);
    EXPECT_EQ(first->Flags(), 0);
    EXPECT_EQ(first->nan, 0);
    EXPECT_EQ(first->IsNaN(), 0);
    EXPECT_EQ(first->value, -2.25);
    EXPECT_STREQ(first->ToText(), "-2.25");
    JsNumber *second = MakeNumber(8);
    EXPECT_EQ(second, numbers[254]);
    DisposeValue(second);
    EXPECT_EQ(MakeNumber(9), numbers[254]);  // back on top
    DisposeValue(numbers[254]);
    DisposeValue(first);
    EXPECT_EQ(NumberPoolCount(), 256);
}

TEST_F(Values, AssignRefCountsHolders) {
    JsValue *slot = nullptr;
    JsString *a = JsString::Make("a"), *b = JsString::Make("b");
    AssignRef(&slot, a);
    EXPECT_EQ(slot, a);
    EXPECT_EQ(a->refs, 1);
    AssignRef(&slot, a);  // the same value: nothing changes
    EXPECT_EQ(a->refs, 1);
    a->refs++;  // a second holder
    AssignRef(&slot, b);
    EXPECT_EQ(a->refs, 1);
    EXPECT_EQ(b->refs, 1);
    ReleaseRef(a);  // the second holder lets go: destroyed
    JsValue *other = nullptr;
    AssignRef(&other, b);
    EXPECT_EQ(b->refs, 2);
    AssignRef(&other, nullptr);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(b->refs, 1);
    // A number dropped to 0 goes to the pool; b is destroyed on the way.
    JsNumber *n = MakeNumber(4);
    const int pooled = NumberPoolCount();
    AssignRef(&slot, n);
    EXPECT_EQ(n->refs, 1);
    AssignRef(&slot, nullptr);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(NumberPoolCount(), pooled + 1);
    EXPECT_EQ(MakeNumber(0), n);
    DropIfUnowned(n);
}

}  // namespace
