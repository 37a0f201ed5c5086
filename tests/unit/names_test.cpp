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

// Every built-in name, at its name index, with its DURIZ_NAME_* constant.
struct NameEntry {
    const char *text;
    int constant;
};
#define N(text, constant) {#text, DURIZ_NAME_##constant}
const NameEntry kExpectedNames[] = {
    N(E, E), N(PI, PI), N(go, GO), N(LN2, LN2), N(URL, URL), N(UTC, UTC), N(NaN, NAN), N(max, MAX), N(tan, TAN),
    N(abs, ABS), N(big, BIG), N(min, MIN), N(sin, SIN), N(cos, COS), N(log, LOG), N(pow, POW), N(top, TOP),
    N(src, SRC), N(sub, SUB), N(sun, SUN), N(sup, SUP), N(exp, EXP), N(java, JAVA), N(Date, DATE),
    N(name, NAME), N(Math, MATH), N(self, SELF), N(hash, HASH), N(back, BACK), N(bold, BOLD), N(ceil, CEIL),
    N(href, HREF), N(link, LINK), N(type, TYPE), N(acos, ACOS), N(form, FORM), N(join, JOIN), N(open, OPEN),
    N(next, NEXT), N(text, TEXT), N(eval, EVAL), N(asin, ASIN), N(atan, ATAN), N(blur, BLUR), N(host, HOST),
    N(port, PORT), N(sort, SORT), N(sqrt, SQRT), N(LN10, LN10), N(clear, CLEAR), N(reset, RESET),
    N(fixed, FIXED), N(Array, ARRAY), N(isNaN, ISNAN), N(index, INDEX), N(Image, IMAGE), N(taint, TAINT),
    N(links, LINKS), N(title, TITLE), N(split, SPLIT), N(small, SMALL), N(parse, PARSE), N(blink, BLINK),
    N(forms, FORMS), N(floor, FLOOR), N(value, VALUE), N(round, ROUND), N(alert, ALERT), N(width, WIDTH),
    N(close, CLOSE), N(focus, FOCUS), N(write, WRITE), N(LOG2E, LOG2E), N(SQRT2, SQRT2), N(lowsrc, LOWSRC),
    N(charAt, CHARAT), N(getDay, GETDAY), N(escape, ESCAPE), N(domain, DOMAIN), N(Object, OBJECT),
    N(window, WINDOW), N(select, SELECT), N(anchor, ANCHOR), N(target, TARGET), N(hspace, HSPACE),
    N(vspace, VSPACE), N(border, BORDER), N(embeds, EMBEDS), N(Number, NUMBER), N(images, IMAGES),
    N(random, RANDOM), N(parent, PARENT), N(method, METHOD), N(height, HEIGHT), N(prompt, PROMPT),
    N(cookie, COOKIE), N(action, ACTION), N(length, LENGTH), N(LOG10E, LOG10E), N(reload, RELOAD),
    N(assign, ASSIGN), N(status, STATUS), N(search, SEARCH), N(String, STRING), N(onload, ONLOAD),
    N(scroll, SCROLL), N(closed, CLOSED), N(frames, FRAMES), N(opener, OPENER), N(strike, STRIKE),
    N(onblur, ONBLUR), N(submit, SUBMIT), N(history, HISTORY), N(writeln, WRITELN), N(forward, FORWARD),
    N(valueOf, VALUEOF), N(getDate, GETDATE), N(setDate, SETDATE), N(getTime, GETTIME), N(setTime, SETTIME),
    N(setYear, SETYEAR), N(getYear, GETYEAR), N(SQRT1_2, SQRT1_2), N(appName, APPNAME), N(untaint, UNTAINT),
    N(plugins, PLUGINS), N(checked, CHECKED), N(onreset, ONRESET), N(applets, APPLETS), N(replace, REPLACE),
    N(reverse, REVERSE), N(onabort, ONABORT), N(onclick, ONCLICK), N(onerror, ONERROR), N(bgColor, BGCOLOR),
    N(fgColor, FGCOLOR), N(confirm, CONFIRM), N(indexOf, INDEXOF), N(anchors, ANCHORS), N(italics, ITALICS),
    N(options, OPTIONS), N(onfocus, ONFOCUS), N(current, CURRENT), N(onsubmit, ONSUBMIT), N(filename, FILENAME),
    N(document, DOCUMENT), N(selected, SELECTED), N(onunload, ONUNLOAD), N(encoding, ENCODING),
    N(onchange, ONCHANGE), N(pathname, PATHNAME), N(location, LOCATION), N(previous, PREVIOUS),
    N(fontsize, FONTSIZE), N(toString, TOSTRING), N(netscape, NETSCAPE), N(hostname, HOSTNAME),
    N(complete, COMPLETE), N(Function, FUNCTION), N(Packages, PACKAGES), N(parseInt, PARSEINT),
    N(suffixes, SUFFIXES), N(unescape, UNESCAPE), N(elements, ELEMENTS), N(protocol, PROTOCOL),
    N(referrer, REFERRER), N(getMonth, GETMONTH), N(setMonth, SETMONTH), N(getHours, GETHOURS),
    N(setHours, SETHOURS), N(navigator, NAVIGATOR), N(linkColor, LINKCOLOR), N(mimeTypes, MIMETYPES),
    N(MAX_VALUE, MAX_VALUE), N(MIN_VALUE, MIN_VALUE), N(fontcolor, FONTCOLOR), N(substring, SUBSTRING),
    N(userAgent, USERAGENT), N(vlinkColor, VLINKCOLOR), N(alinkColor, ALINKCOLOR), N(onmouseout, ONMOUSEOUT),
    N(parseFloat, PARSEFLOAT), N(setSeconds, SETSECONDS), N(getSeconds, GETSECONDS), N(setMinutes, SETMINUTES),
    N(getMinutes, GETMINUTES), N(appVersion, APPVERSION), N(setTimeout, SETTIMEOUT),
    N(lastIndexOf, LASTINDEXOF), N(javaEnabled, JAVAENABLED), N(onmouseover, ONMOUSEOVER),
    N(description, DESCRIPTION), N(appCodeName, APPCODENAME), N(toGMTString, TOGMTSTRING),
    N(toLowerCase, TOLOWERCASE), N(toUpperCase, TOUPPERCASE), N(defaultValue, DEFAULTVALUE),
    N(element_name, ELEMENT_NAME), N(taintEnabled, TAINTENABLED), N(clearTimeout, CLEARTIMEOUT),
    N(lastModified, LASTMODIFIED), N(enabledPlugin, ENABLEDPLUGIN), N(selectedIndex, SELECTEDINDEX),
    N(defaultStatus, DEFAULTSTATUS), N(defaultChecked, DEFAULTCHECKED), N(toLocaleString, TOLOCALESTRING),
    N(defaultSelected, DEFAULTSELECTED), N(getTimezoneOffset, GETTIMEZONEOFFSET),
    N(NEGATIVE_INFINITY, NEGATIVE_INFINITY), N(POSITIVE_INFINITY, POSITIVE_INFINITY),
};
#undef N

// The name hash, computed independently of the engine: the XOR of the
// little-endian 32-bit words, XOR the remaining bytes packed most
// significant first (each sign-extended), then |X| mod 65534 as a signed
// remainder.
uint16_t ReferenceHash(const char *text, size_t length) {
    if (length == 0) return 0;
    const unsigned char *b = reinterpret_cast<const unsigned char *>(text);
    uint32_t w = 0;
    size_t i = 0;
    for (; i + 4 <= length; i += 4) {
        uint32_t word = 0;
        for (int k = 3; k >= 0; k--) word = (word << 8) | b[i + static_cast<size_t>(k)];
        w ^= word;
    }
    uint32_t t = 0;
    for (; i < length; i++) t = (t << 8) | static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(b[i])));
    const int64_t x = static_cast<int32_t>(w ^ t);
    if (x == INT32_MIN) return static_cast<uint16_t>(-2 + 65536);  // |x| stays negative
    return static_cast<uint16_t>((x < 0 ? -x : x) % 65534);
}

constexpr int kNamedCount = static_cast<int>(sizeof kExpectedNames / sizeof kExpectedNames[0]);

TEST(NameTable, HoldsEveryNameAtItsIndexWithItsHash) {
    ASSERT_EQ(kNamedCount, 210);
    ASSERT_EQ(kBuiltinNameCount, 210);
    EXPECT_EQ(DURIZ_NAME_COUNT, 210);
    for (int i = 0; i < kNamedCount; i++) {
        const NameEntry &e = kExpectedNames[i];
        const size_t n = std::strlen(e.text);
        EXPECT_STREQ(NameText(i), e.text) << i;
        EXPECT_EQ(e.constant, i) << e.text;
        EXPECT_EQ(kBuiltinNames[i].hash, ReferenceHash(e.text, n)) << e.text;
        EXPECT_EQ(NameHash(e.text, n), ReferenceHash(e.text, n)) << e.text;
        // Found by its bytes alone: the text need not end after the name.
        EXPECT_EQ(LookupName(e.text, n), i) << e.text;
        EXPECT_EQ(LookupName((std::string(e.text) + "Zq").c_str(), n), i) << e.text;
        // Sorted by length, then strictly by hash within a length.
        if (i > 0) {
            const char *before = kExpectedNames[i - 1].text;
            const size_t m = std::strlen(before);
            ASSERT_LE(m, n) << before << " before " << e.text;
            if (m == n) {
                EXPECT_LT(ReferenceHash(before, m), ReferenceHash(e.text, n)) << before << " before " << e.text;
            }
        }
    }
    EXPECT_EQ(NameText(-1), nullptr);
    EXPECT_EQ(NameText(210), nullptr);
}

// Entry L-1 of the length index: how many names have at most L bytes.
TEST(NameTable, LengthIndexCountsNamesUpToEachLength) {
    for (size_t length = 1; length <= 17; length++) {
        int count = 0;
        for (const NameEntry &e : kExpectedNames) count += std::strlen(e.text) <= length;
        EXPECT_EQ(kNameLengthIndex[length - 1], count) << length;
    }
    EXPECT_EQ(kLongestName, 17u);
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
    for (const auto &c : cases) {
        EXPECT_EQ(NameHash(c.text, c.length), c.hash) << c.text;
        EXPECT_EQ(ReferenceHash(c.text, c.length), c.hash) << c.text;
    }
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
