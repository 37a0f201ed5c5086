// Built-in names: the 210-entry name table, its hash and order, the
// length index, name look-up, and the numbering of native functions and
// constructors that hosts see.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "builtins/function.h"
#include "builtins/names.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/object.h"

namespace {

// The table itself is checked when the engine is compiled (each name at
// its constant's index, in look-up order); here every name is found again
// by its bytes, whatever follows them.
TEST(NameTable, EveryNameIsFoundByItsBytes) {
    ASSERT_EQ(DURIZ_NAME_COUNT, kBuiltinNameCount);
    for (int i = 0; i < kBuiltinNameCount; i++) {
        const char *text = NameText(i);
        ASSERT_NE(text, nullptr) << i;
        const size_t n = std::strlen(text);
        EXPECT_EQ(LookupName(text, n), i) << text;
        EXPECT_EQ(LookupName((std::string(text) + "Zq").c_str(), n), i) << text;
    }
    EXPECT_EQ(NameText(-1), nullptr);
    EXPECT_EQ(NameText(kBuiltinNameCount), nullptr);
    EXPECT_EQ(LookupName("document", 8), DURIZ_NAME_DOCUMENT);
}

TEST(NameHashing, KnownValues) {
    const struct {
        const char *text;
        size_t length;
        uint16_t hash;
    } cases[] = {
        {"E", 1, 69}, {"PI", 2, 20553}, {"go", 2, 26479}, {"LN2", 3, 20170}, {"java", 4, 9304},
        {"length", 6, 57312}, {"document", 8, 3107}, {"POSITIVE_INFINITY", 17, 15695}, {"", 0, 0},
        {"\xff", 1, 1},            // sign-extended: X = -1
        {"\x80", 1, 128},          // X = -128
        {"\x80\x01", 2, 32767},    // 0xFFFF8001 = -32767
        {"A\xff", 2, 1},           // the high byte is swallowed by the sign bits
        {"\0\0\0\x80", 4, 0xFFFE}, // X = -2^31
        {"abcdabcd", 8, 0},        // two equal whole words cancel out
        {"abcdabcdx", 9, 'x'},
    };
    for (const auto &c : cases) EXPECT_EQ(NameHash(c.text, c.length), c.hash) << c.text;
}

TEST(NameLookup, EdgeCases) {
    // Case, near misses, 18 bytes (even with a built-in name in front), a
    // zero length, and names of digits (no built-in name starts with one).
    const struct {
        const char *text;
        size_t length;
    } missing[] = {{"math", 4}, {"parseint", 8}, {"MATH", 4}, {"Length", 6}, {"e", 1}, {"pi", 2}, {"foo", 3},
                   {"lengthy", 7}, {"getTimezoneOffsetX", 18}, {"", 0}, {"POSITIVE_INFINITYx", 18},
                   {"length", 0}, {"0", 1}, {"1234", 4}};
    for (const auto &m : missing) EXPECT_EQ(LookupName(m.text, m.length), -1) << m.text << "/" << m.length;
    // nav hashes like max (0x6E6176 - 0x6D6178 = 65534) but is another text.
    ASSERT_EQ(NameHash("nav", 3), NameHash("max", 3));
    EXPECT_EQ(LookupName("nav", 3), -1);
}

// Every named native id with its name and DURIZ_NATIVE_* constant.
struct NativeEntry {
    int id;
    const char *name;
    int constant;
};
#define F(id, name, constant) {id, #name, DURIZ_NATIVE_##constant}
const NativeEntry kExpectedNatives[] = {
    F(1000, alert, WINDOW_ALERT), F(1001, blur, WINDOW_BLUR), F(1002, clearTimeout, WINDOW_CLEARTIMEOUT),
    F(1003, close, WINDOW_CLOSE), F(1004, confirm, WINDOW_CONFIRM), F(1005, focus, WINDOW_FOCUS),
    F(1006, open, WINDOW_OPEN), F(1007, prompt, WINDOW_PROMPT), F(1008, scroll, WINDOW_SCROLL),
    F(1009, setTimeout, WINDOW_SETTIMEOUT), F(1015, parseInt, WINDOW_PARSEINT),
    F(1016, parseFloat, WINDOW_PARSEFLOAT), F(1017, clear, DOCUMENT_CLEAR), F(1018, close, DOCUMENT_CLOSE),
    F(1019, open, DOCUMENT_OPEN), F(1020, write, DOCUMENT_WRITE), F(1021, writeln, DOCUMENT_WRITELN),
    F(1022, assign, HOST_ASSIGN), F(1023, eval, HOST_EVAL), F(1024, toString, HOST_TOSTRING),
    F(1025, valueOf, HOST_VALUEOF), F(1026, anchor, STRING_ANCHOR), F(1027, big, STRING_BIG),
    F(1028, blink, STRING_BLINK), F(1029, bold, STRING_BOLD), F(1030, charAt, STRING_CHARAT),
    F(1031, fixed, STRING_FIXED), F(1032, fontcolor, STRING_FONTCOLOR), F(1033, fontsize, STRING_FONTSIZE),
    F(1034, indexOf, STRING_INDEXOF), F(1035, italics, STRING_ITALICS),
    F(1036, lastIndexOf, STRING_LASTINDEXOF), F(1037, link, STRING_LINK), F(1038, small, STRING_SMALL),
    F(1039, split, STRING_SPLIT), F(1040, strike, STRING_STRIKE), F(1041, sub, STRING_SUB),
    F(1042, substring, STRING_SUBSTRING), F(1043, sup, STRING_SUP), F(1044, toLowerCase, STRING_TOLOWERCASE),
    F(1045, toUpperCase, STRING_TOUPPERCASE), F(1046, valueOf, STRING_VALUEOF), F(1047, abs, MATH_ABS),
    F(1048, acos, MATH_ACOS), F(1049, asin, MATH_ASIN), F(1050, atan, MATH_ATAN), F(1051, ceil, MATH_CEIL),
    F(1052, cos, MATH_COS), F(1053, exp, MATH_EXP), F(1054, floor, MATH_FLOOR), F(1055, log, MATH_LOG),
    F(1056, max, MATH_MAX), F(1057, min, MATH_MIN), F(1058, pow, MATH_POW), F(1059, random, MATH_RANDOM),
    F(1060, round, MATH_ROUND), F(1061, sin, MATH_SIN), F(1062, sqrt, MATH_SQRT), F(1063, tan, MATH_TAN),
    F(1064, getDate, DATE_GETDATE), F(1065, getDay, DATE_GETDAY), F(1066, getHours, DATE_GETHOURS),
    F(1067, getMinutes, DATE_GETMINUTES), F(1068, getMonth, DATE_GETMONTH),
    F(1069, getSeconds, DATE_GETSECONDS), F(1070, getTime, DATE_GETTIME),
    F(1071, getTimezoneOffset, DATE_GETTIMEZONEOFFSET), F(1072, getYear, DATE_GETYEAR),
    F(1073, parse, DATE_PARSE), F(1074, setDate, DATE_SETDATE), F(1075, setHours, DATE_SETHOURS),
    F(1076, setMinutes, DATE_SETMINUTES), F(1077, setMonth, DATE_SETMONTH),
    F(1078, setSeconds, DATE_SETSECONDS), F(1079, setTime, DATE_SETTIME), F(1080, setYear, DATE_SETYEAR),
    F(1081, toGMTString, DATE_TOGMTSTRING), F(1082, toLocaleString, DATE_TOLOCALESTRING),
    F(1083, UTC, DATE_UTC), F(1084, reset, FORM_RESET), F(1085, submit, FORM_SUBMIT), F(1089, blur, TEXT_BLUR),
    F(1090, focus, TEXT_FOCUS), F(1091, select, TEXT_SELECT), F(1096, join, ARRAY_JOIN),
    F(1097, reverse, ARRAY_REVERSE), F(1098, sort, ARRAY_SORT), F(1102, reload, LOCATION_RELOAD),
    F(1103, replace, LOCATION_REPLACE), F(1107, back, HISTORY_BACK), F(1108, forward, HISTORY_FORWARD),
    F(1109, go, HISTORY_GO), F(1110, javaEnabled, NAVIGATOR_JAVAENABLED),
    F(1111, taintEnabled, NAVIGATOR_TAINTENABLED), F(1112, escape, WINDOW_ESCAPE),
    F(1113, unescape, WINDOW_UNESCAPE), F(1114, taint, WINDOW_TAINT), F(1115, untaint, WINDOW_UNTAINT),
    F(1116, isNaN, WINDOW_ISNAN),
};
#undef F

class NameNativeIds : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override { JS_Destroy(); }
};

TEST_F(NameNativeIds, NamedIdsAreBuiltinNamesWithTheirPublicConstants) {
    std::set<int> named;
    for (const NativeEntry &n : kExpectedNatives) {
        EXPECT_TRUE(named.insert(n.id).second) << n.id;
        EXPECT_GE(LookupName(n.name, std::strlen(n.name)), 0) << n.name;
        EXPECT_EQ(n.constant, n.id) << n.name;
    }
    EXPECT_EQ(named.size(), 99u);
    EXPECT_EQ(DURIZ_NATIVE_FIRST, 1000);
    EXPECT_EQ(DURIZ_NATIVE_LAST, 1116);
}

// The methods of the shared String (1026-1046), Math (1047-1063) and Date
// (1064-1083) objects are their native functions, the same value on every read.
TEST_F(NameNativeIds, ClassMethodsAreTheirNativeFunctions) {
    int found = 0;
    for (const NativeEntry &n : kExpectedNatives) {
        if (n.id < 1026 || n.id > 1083) continue;
        const int k = n.id <= 1046 ? 3 : n.id <= 1063 ? 7 : 8;
        JsObject *c = g_shared.prototypes[k];
        ASSERT_NE(c, nullptr) << k;
        EXPECT_EQ(c->GetProperty(n.name), NativeFunction(n.id)) << n.name;
        EXPECT_EQ(c->GetProperty(n.name), c->GetProperty(n.name)) << n.name;
        found++;
    }
    EXPECT_EQ(found, 58);
}

TEST_F(NameNativeIds, EveryIdHasItsOwnFunctionValue) {
    std::set<JsFunction *> seen;
    for (int id = 1000; id <= 2033; id++) {
        if (id == 1117) id = 2000;
        JsFunction *f = NativeFunction(id);
        ASSERT_NE(f, nullptr) << id;
        EXPECT_EQ(f->id, id);
        if (id < 2000) {
            EXPECT_EQ(f->IsFunction(), 1);
        }
        EXPECT_EQ(NativeFunction(id), f);
        EXPECT_TRUE(seen.insert(f).second) << id;
    }
    for (int id : {0, 999, 1117, 1500, 1999, 2034, -1}) EXPECT_EQ(NativeFunction(id), nullptr) << id;
}

TEST_F(NameNativeIds, ConstructorPrototypesAreTheSharedClassObjects) {
    for (int k = 0; k < 34; k++) {
        JsObject *p = g_shared.prototypes[k];
        const bool shared = k == 2 || k == 3 || k == 4 || k == 7 || k == 8;
        EXPECT_EQ(NativeFunction(2000 + k)->Prototype(), p) << k;
        if (!shared) {
            EXPECT_EQ(p, nullptr) << k;
            continue;
        }
        ASSERT_NE(p, nullptr) << k;
        ASSERT_EQ(p->HasClass(), 1) << k;
        EXPECT_EQ(static_cast<JsClassObject *>(p)->ClassNumber(), k);
    }
}

TEST(NamePublicNumbering, ConstructorAndClassConstants) {
    const struct {
        int constant, expected;
    } cases[] = {
        {DURIZ_CTOR_OBJECT, 2002},   {DURIZ_CTOR_STRING, 2003},   {DURIZ_CTOR_NUMBER, 2004},
        {DURIZ_CTOR_ARRAY, 2006},    {DURIZ_CTOR_MATH, 2007},     {DURIZ_CTOR_DATE, 2008},
        {DURIZ_CTOR_FUNCTION, 2009}, {DURIZ_CTOR_IMAGE, 2027},    {DURIZ_CLASS_WINDOW, 0},
        {DURIZ_CLASS_DOCUMENT, 1},   {DURIZ_CLASS_OBJECT, 2},     {DURIZ_CLASS_STRING, 3},
        {DURIZ_CLASS_NUMBER, 4},     {DURIZ_CLASS_ARRAY, 6},      {DURIZ_CLASS_MATH, 7},
        {DURIZ_CLASS_DATE, 8},       {DURIZ_CLASS_FUNCTION, 9},   {DURIZ_CLASS_FORM, 10},
        {DURIZ_CLASS_OPTION, 22},    {DURIZ_CLASS_HISTORY, 26},   {DURIZ_CLASS_IMAGE, 27},
        {DURIZ_CLASS_LINK, 28},      {DURIZ_CLASS_LOCATION, 29},  {DURIZ_CLASS_MIMETYPE, 30},
        {DURIZ_CLASS_NAVIGATOR, 31}, {DURIZ_CLASS_PLUGIN, 32},    {DURIZ_CLASS_ELEMENT_GROUP, 33},
    };
    for (const auto &c : cases) EXPECT_EQ(c.constant, c.expected);
}

}  // namespace
