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
    void TearDown() override { JS_Destroy(); }

    static JsNumber *NaN() { return JsNumber::MakeNaN(); }
    static JsString *Str(const char *text) { return JsString::Make(text); }
    // The "%.16g" rendering made independently of the engine.
    static std::string Formatted(double d) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.16g", d);
        return buffer;
    }
    static std::string Text(JsValue *v) {
        const char *t = v->ToText();
        return t ? t : "<null>";
    }
};

// ---- numbers ----

TEST_F(Values, NumberTextIsPercent16g) {
    const struct {
        double value;
        const char *text;
    } cases[] = {{1, "1"},     {0.1, "0.1"},  {1.0 / 3, "0.3333333333333333"}, {-0.0, "-0"}, {0, "0"},
                 {-2.5, "-2.5"}, {123456789012345678.0, nullptr}, {1e-5, nullptr},     {1e16, nullptr},
                 {1e15, "1000000000000000"}, {0.0001, "0.0001"}, {DBL_MAX, nullptr}, {-DBL_MIN, nullptr}};
    for (const auto &c : cases) {
        JsNumber *n = MakeNumber(c.value);
        const std::string expected = c.text ? c.text : Formatted(c.value);
        EXPECT_EQ(Text(n), expected) << c.value;
        DropIfUnowned(n);
    }
    // Exponent form starts at 1e16 and below 1e-4.
    JsNumber *big = MakeNumber(1e16), *small = MakeNumber(1e-5);
    EXPECT_NE(std::strchr(big->ToText(), 'e'), nullptr);
    EXPECT_NE(std::strchr(small->ToText(), 'e'), nullptr);
    DropIfUnowned(big);
    DropIfUnowned(small);
}

TEST_F(Values, WholeNumberTextsMatchPercent16g) {
    // Whole numbers take a shorter way to their digits; the text is the same.
    std::vector<double> values = {-1e15 + 1, 1e15 - 1, 999999999999999.0, -999999999999999.0, 2147483648.0,
                                  -2147483649.0, 4294967296.0, 9007199254740.0, -1, 10, 100, -100000};
    for (double v = 1; v < 1e15; v = v * 7 + 3) {
        values.push_back(v);
        values.push_back(-v);
    }
    for (double v : values) {
        JsNumber *n = MakeNumber(v);
        EXPECT_EQ(Text(n), Formatted(v)) << v;
        DropIfUnowned(n);
    }
    char text[24];
    EXPECT_EQ(IntegerText(INT64_MIN, text), 20u);
    EXPECT_STREQ(text, "-9223372036854775808");
    EXPECT_EQ(IntegerText(0, text), 1u);
    EXPECT_STREQ(text, "0");
}

TEST_F(Values, NumberTextsShareOneBuffer) {
    JsNumber *a = MakeNumber(1.5), *b = MakeNumber(-7);
    const char *ta = a->ToText();
    EXPECT_STREQ(ta, "1.5");
    const char *tb = b->ToText();
    EXPECT_EQ(ta, tb);
    EXPECT_EQ(ta, g_numberText);
    EXPECT_STREQ(ta, "-7");  // the first text has been overwritten
    EXPECT_EQ(kNumberTextSize, 64u);
    // The longest renderings fit.
    b->value = -DBL_MAX;
    EXPECT_EQ(std::string(b->ToText()), Formatted(-DBL_MAX));
    DropIfUnowned(a);
    DropIfUnowned(b);
}

TEST_F(Values, NaNNumber) {
    JsNumber *n = NaN();
    EXPECT_EQ(n->nan, 1);
    EXPECT_EQ(n->value, 0.0);
    EXPECT_EQ(n->IsNaN(), 1);
    EXPECT_STREQ(n->ToText(), "NaN");
    EXPECT_EQ(n->ToBoolean(), 0);
    EXPECT_EQ(n->IsNumber(), 1);
    EXPECT_EQ(g_shared.zero->IsNaN(), 0);
    // A NaN flag with a stray value still prints NaN.
    n->value = 42;
    EXPECT_STREQ(n->ToText(), "NaN");
    DropIfUnowned(n);
}

TEST_F(Values, NumberConversions) {
    const struct {
        double value;
        int boolean;
        int32_t integer;
    } cases[] = {
        {0, 0, 0}, {-0.0, 0, 0}, {2.9, 1, 2}, {-2.9, 1, -2}, {0.5, 1, 0}, {2147483647.0, 1, 2147483647},
        {2147483648.0, 1, INT32_MIN},    // low 32 bits
        {4294967297.0, 1, 1}, {3e9, 1, -1294967296}, {-4294967295.5, 1, 1},
    };
    for (const auto &c : cases) {
        JsNumber *n = MakeNumber(c.value);
        EXPECT_EQ(n->ToBoolean(), c.boolean) << c.value;
        EXPECT_EQ(n->ToInteger(), c.integer) << c.value;
        EXPECT_EQ(n->ToNumber(), c.value);
        DropIfUnowned(n);
    }
    // An IEEE NaN produced by arithmetic is not 0.0, so it is true.
    JsNumber *ieee = MakeNumber(std::nan(""));
    EXPECT_EQ(ieee->ToBoolean(), 1);
    EXPECT_EQ(ieee->IsNaN(), 0);
    DropIfUnowned(ieee);
}

TEST_F(Values, TypeTestsTypeNamesAndConversions) {
    JsNumber *n = MakeNumber(3);
    JsString *s = Str("x");
    JsBoolean *b = new JsBoolean(1), *f = new JsBoolean(0), *two = new JsBoolean(2);
    struct Row {
        JsValue *v;
        int str, num, boolean, null, undef, numeric;
        JsString *type;
        const char *typeText, *text;
        double number;
        int truth, integer;  // the truth word as stored; booleans have no integer view
    } rows[] = {
        {n, 0, 1, 0, 0, 0, 1, g_shared.typeNumber, "number", "3", 3, 1, 3},
        {s, 1, 0, 0, 0, 0, 0, g_shared.typeString, "string", "x", 0, 1, 0},
        {b, 0, 0, 1, 0, 0, 1, g_shared.typeBoolean, "boolean", "true", 1, 1, 0},
        {f, 0, 0, 1, 0, 0, 1, g_shared.typeBoolean, "boolean", "false", 0, 0, 0},
        {two, 0, 0, 1, 0, 0, 1, g_shared.typeBoolean, "boolean", "true", 1, 2, 0},
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
    for (JsValue *v : std::vector<JsValue *>{n, s, b, f, two}) DropIfUnowned(v);
}

TEST_F(Values, SharedValues) {
    EXPECT_EQ(g_shared.trueValue->truth, 1);
    EXPECT_EQ(g_shared.falseValue->truth, 0);
    EXPECT_EQ(g_shared.minusOne->value, -1.0);
    EXPECT_EQ(g_shared.one->value, 1.0);
    EXPECT_EQ(g_shared.zero->value, 0.0);
    EXPECT_STREQ(g_shared.emptyString->ToText(), "");
    JsValue *held[] = {g_shared.trueValue,  g_shared.falseValue, g_shared.minusOne,  g_shared.one,
                       g_shared.zero,       g_shared.nullValue,  g_shared.undefinedValue,
                       g_shared.emptyString, g_shared.typeString, g_shared.typeObject, g_shared.typeFunction};
    for (JsValue *v : held) EXPECT_GE(v->refs, 1);
    EXPECT_STREQ(g_shared.typeObject->ToText(), "object");
    EXPECT_STREQ(g_shared.typeFunction->ToText(), "function");
    EXPECT_EQ(NumberPoolCount(), 0);
}

// ---- strings ----

TEST_F(Values, StringConstructorsMakeOnePiece) {
    JsString *ab = Str("ab"), *cd = Str("cd");
    JsString *made[] = {
        Str("abc"),
        Str(nullptr),
        JsString::Make("abcdef", 4),
        JsString::Join(ab, "cd"),
        JsString::Join("ab", cd),
        JsString::Join("a", nullptr, "b", nullptr, "c"),
        JsString::Join("1", "2"),
    };
    // The two-string join is made from the first two.
    JsString *left = Str("xy"), *right = Str("z");
    JsString *joined = JsString::Join(left, right);
    const char *texts[] = {"abc", "", "abcd", "abcd", "abcd", "abc", "12"};
    for (size_t i = 0; i < sizeof texts / sizeof texts[0]; i++) {
        EXPECT_STREQ(made[i]->ToText(), texts[i]) << i;
        EXPECT_EQ(made[i]->pieces.Count(), 1) << i;
        EXPECT_EQ(made[i]->Length(), static_cast<int32_t>(std::strlen(texts[i]))) << i;
        EXPECT_EQ(made[i]->refs, 0);
    }
    // The joins read their parts; they neither change, consume nor keep them.
    EXPECT_STREQ(joined->ToText(), "xyz");
    EXPECT_STREQ(left->ToText(), "xy");
    EXPECT_STREQ(right->ToText(), "z");
    for (JsString *part : {ab, cd, left, right}) EXPECT_EQ(part->refs, 0);
    JsString *a = Str("a"), *ba = JsString::Join("b", a);
    EXPECT_STREQ(ba->ToText(), "ba");
    EXPECT_EQ(a->refs, 0);
    DropIfUnowned(ba);
    DropIfUnowned(a);
    // A copy, not the caller's text.
    char source[] = "keep";
    JsString *copy = Str(source);
    source[0] = 'X';
    EXPECT_STREQ(copy->ToText(), "keep");
    for (JsString *s : made) DropIfUnowned(s);
    for (JsString *s : {left, right, joined, copy, ab, cd}) DropIfUnowned(s);
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
    DropIfUnowned(s);
}

TEST_F(Values, StringConversions) {
    const struct {
        const char *text;
        int boolean, numeric;
        double number;
    } cases[] = {
        {"12abc", 1, 1, 12},   {"abc", 1, 0, 0},     {"-5", 1, 1, -5},     {".5", 1, 1, 0.5},
        {"0x10", 1, 1, 0},     {"0x1A", 1, 1, 0},    {"12px", 1, 1, 12},   {".x", 1, 1, 0},
        {"", 0, 0, 0},         {"-", 1, 0, 0},       {".", 1, 0, 0},       {" 1", 1, 0, 0},
        {"0", 1, 1, 0},        {"+3", 1, 1, 3},      {"1e3", 1, 1, 1000},  {"-.5", 1, 1, -0.5},
        {"--1", 1, 0, 0},      {"+.", 1, 0, 0},      {"2.5e-1x", 1, 1, 0.25}, {"inf", 1, 0, 0},
    };
    for (const auto &c : cases) {
        JsString *s = Str(c.text);
        EXPECT_EQ(s->ToBoolean(), c.boolean) << '"' << c.text << '"';
        EXPECT_EQ(s->IsNumeric(), c.numeric) << '"' << c.text << '"';
        EXPECT_EQ(s->ToNumber(), c.number) << '"' << c.text << '"';
        EXPECT_EQ(s->ToInteger(), 0) << c.text;
        EXPECT_EQ(s->IsNaN(), 0);
        DropIfUnowned(s);
    }
}

TEST_F(Values, IndexOfAndCharAt) {
    JsString *s = Str("abcb");
    const struct {
        const char *pattern;
        int start, result;
    } cases[] = {
        {"b", 10, 1}, {"b", 2, 3}, {"b", 0, 1}, {"b", -3, 1}, {"b", 4, 1}, {"b", 3, 3}, {"a", 1, -1},
        {"cb", 0, 2}, {"zz", 0, -1}, {"abcbx", 0, -1}, {"", 2, 2}, {"", 0, 0}, {"abcb", 0, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(s->IndexOf(c.pattern, c.start), c.result) << c.pattern << " " << c.start;
    EXPECT_EQ(s->IndexOf(nullptr, 0), -1);
    const struct {
        int at;
        char c;
    } chars[] = {{0, 'a'}, {2, 'c'}, {3, 'b'}, {4, 0}, {-1, 0}, {1000, 0}};
    for (const auto &c : chars) EXPECT_EQ(s->CharAt(c.at), c.c) << c.at;
    DropIfUnowned(s);
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
        JsString *sub = s->Substring(c.from, c.to);
        ASSERT_NE(sub, nullptr);
        EXPECT_NE(sub, s);
        EXPECT_STREQ(sub->ToText(), c.text) << c.from << "," << c.to;
        EXPECT_EQ(sub->Length(), static_cast<int32_t>(std::strlen(c.text)));
        EXPECT_EQ(sub->refs, 0);
        DropIfUnowned(sub);
    }
    EXPECT_STREQ(s->ToText(), "abcdef");
    DropIfUnowned(s);
}

TEST_F(Values, ChangeCaseWorksInPlaceOnAsciiLetters) {
    JsString *s = Str("aB1z-\xe9Q");
    s->ChangeCase(1);
    EXPECT_STREQ(s->ToText(), "ab1z-\xe9q");
    s->ChangeCase(0);
    EXPECT_STREQ(s->ToText(), "AB1Z-\xe9Q");
    EXPECT_EQ(s->Length(), 7);
    DropIfUnowned(s);
}

// ---- comparison ----

TEST_F(Values, CompareNumbersBooleansNullAndUndefined) {
    // Each row: a compared with b, and the answer: exactly "0" or "1", or
    // only its sign ("<0", ">0").
    JsNumber *five = MakeNumber(5), *six = MakeNumber(6), *otherFive = MakeNumber(5), *n3 = MakeNumber(3);
    JsNumber *nan = NaN(), *ieee = MakeNumber(std::nan("")), *one = MakeNumber(1), *zero = MakeNumber(0);
    JsString *s12 = Str("12abc"), *sAbc = Str("abc"), *zeroText = Str("0"), *empty = Str("");
    JsBoolean *t = new JsBoolean(1), *f = new JsBoolean(0), *two = new JsBoolean(2);
    JsValue *nul = g_shared.nullValue, *und = g_shared.undefinedValue;
    const struct {
        JsValue *a, *b;
        const char *answer;
    } cases[] = {
        {five, otherFive, "0"}, {five, six, "<0"}, {six, five, ">0"}, {five, nullptr, "1"}, {five, nan, "1"},
        {nan, five, "1"}, {nan, nan, "1"},  // NaN is unequal even to itself
        {nan, zero, "1"}, {zero, nan, "1"},
        {five, ieee, "1"}, {ieee, five, "1"},  // unordered counts as greater
        {five, s12, "<0"}, {five, sAbc, ">0"},  // the other value's ToNumber: 12, 0
        {one, t, "0"}, {zero, nul, "0"}, {zero, und, "0"},  // null and undefined count 0.0
        {t, g_shared.trueValue, "0"}, {t, f, "1"}, {f, t, "1"},  // booleans are never negative
        {t, zeroText, "0"}, {f, empty, "0"}, {t, n3, "0"}, {f, nul, "0"}, {t, nullptr, "1"},
        {two, t, "1"},  // the raw word 2 against 1
        {nul, nul, "0"}, {und, und, "0"}, {nul, und, "1"}, {und, nul, "1"}, {nul, g_shared.zero, "1"},
        {nul, nullptr, "1"},  // null and undefined compare by identity
    };
    for (const auto &c : cases) {
        const int r = c.a->Compare(c.b);
        const std::string answer = c.answer;
        SCOPED_TRACE(Text(c.a) + " vs " + (c.b ? Text(c.b) : "<none>") + ": " + std::to_string(r));
        if (answer == "<0") {
            EXPECT_LT(r, 0);
        } else if (answer == ">0") {
            EXPECT_GT(r, 0);
        } else {
            EXPECT_EQ(r, std::stoi(answer));
        }
    }
    for (JsValue *v : std::vector<JsValue *>{five, six, otherFive, n3, nan, ieee, one, zero, s12, sAbc, zeroText,
                                             empty, t, f, two})
        DropIfUnowned(v);
}

TEST_F(Values, CompareStrings) {
    struct Case {
        JsValue *a, *b;
        int sign;
    };
    JsString *s10 = Str("10"), *s9 = Str("9"), *empty = Str(""), *abc = Str("abc"), *abd = Str("abd");
    JsString *minus5 = Str("-5"), *x = Str("x"), *otherAbc = Str("abc");
    JsNumber *n9 = MakeNumber(9), *n0 = MakeNumber(0), *n10 = MakeNumber(10), *nMinus5 = MakeNumber(-5);
    JsNumber *n100 = MakeNumber(100), *nan = NaN();
    JsString *s2 = Str("2"), *otherS10 = Str("10");
    const Case cases[] = {
        {s10, n9, 1},         // numeric
        {s10, s9, -1},        // byte order
        {s2, n10, -1},        // numeric: 2 < 10
        {s2, otherS10, 1},   // byte order
        {empty, n0, 0},
        {empty, nan, -1},     // the negation of the number's 1
        {s10, n10, 0},
        {minus5, nMinus5, 0}, // not all digits: as texts "-5" and "-5"
        {abc, n100, 1},       // "abc" against "100"
        {abc, abd, -1}, {abd, abc, 1}, {abc, otherAbc, 0}, {empty, x, -1}, {x, empty, 1},
        {empty, g_shared.emptyString, 0},
        {x, g_shared.nullValue, 1},    // against the text "null"
        {abc, g_shared.trueValue, -1}, // against the text "true"
    };
    std::vector<JsValue *> made = {s10, s9, empty, abc, abd, minus5, x, otherAbc, n9, n0, n10, nMinus5, n100, nan, s2, otherS10};
    for (const Case &c : cases) {
        const int r = c.a->Compare(c.b);
        const int sign = r < 0 ? -1 : r > 0 ? 1 : 0;
        EXPECT_EQ(sign, c.sign) << c.a->ToText() << " vs " << Text(c.b);
    }
    EXPECT_EQ(abc->Compare(nullptr), 1);
    for (JsValue *v : made) DropIfUnowned(v);
}

// ---- pool and references ----

TEST_F(Values, PoolReusesLastReleasedFirst) {
    ASSERT_EQ(NumberPoolCount(), 0);
    std::vector<JsNumber *> numbers;
    for (int i = 0; i < 257; i++) numbers.push_back(new JsNumber(i));
    for (int i = 0; i < 256; i++) {
        DisposeValue(numbers[static_cast<size_t>(i)]);
        EXPECT_EQ(NumberPoolCount(), i + 1);
    }
    DisposeValue(numbers[256]);  // the pool is full: destroyed
    EXPECT_EQ(NumberPoolCount(), 256);
    JsNumber *first = MakeNumber(7.5);
    EXPECT_EQ(first, numbers[255]);
    EXPECT_EQ(NumberPoolCount(), 255);
    JsNumber *second = MakeNumber(8);
    EXPECT_EQ(second, numbers[254]);
    DisposeValue(second);
    EXPECT_EQ(MakeNumber(9), numbers[254]);  // back on top
    DisposeValue(numbers[254]);
    DisposeValue(first);
    EXPECT_EQ(NumberPoolCount(), 256);
}

TEST_F(Values, PooledNumberIsReinitialised) {
    JsNumber *n = JsNumber::MakeNaN();
    n->refs = 5;
    n->flags = 0x77;
    n->value = 3;
    DisposeValue(n);
    JsNumber *again = MakeNumber(-2.25);
    ASSERT_EQ(again, n);
    EXPECT_EQ(again->refs, 0);
    EXPECT_EQ(again->Flags(), 0);
    EXPECT_EQ(again->nan, 0);
    EXPECT_EQ(again->IsNaN(), 0);
    EXPECT_EQ(again->value, -2.25);
    EXPECT_STREQ(again->ToText(), "-2.25");
    DropIfUnowned(again);
}

TEST_F(Values, DisposeValueDestroysWhatIsNotANumber) {
    const int before = NumberPoolCount();
    DisposeValue(Str("gone"));
    DisposeValue(new JsBoolean(1));
    DisposeValue(nullptr);
    EXPECT_EQ(NumberPoolCount(), before);
}

TEST_F(Values, AssignRefCountsHolders) {
    JsValue *slot = nullptr;
    JsString *a = Str("a"), *b = Str("b");
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
    // A number dropped to 0 goes to the pool.
    JsNumber *n = MakeNumber(4);
    const int pooled = NumberPoolCount();
    AssignRef(&slot, n);
    // b was destroyed on the way (its last holder let go).
    EXPECT_EQ(n->refs, 1);
    AssignRef(&slot, nullptr);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(NumberPoolCount(), pooled + 1);
    EXPECT_EQ(MakeNumber(0), n);
    DropIfUnowned(n);
}

}  // namespace
