// Built-in names: the 210-entry name table, its hash and order, the
// length index, name look-up, and the numbering of native functions and
// constructors that hosts see.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "builtins/function.h"
#include "builtins/names.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/object.h"

namespace {

struct NameEntry {
    int index;
    const char *text;
    int constant;  // the DURIZ_NAME_* constant of the public header
};

// Every built-in name with its name index, grouped by length.
const NameEntry kExpectedNames[] = {
    {0, "E", DURIZ_NAME_E},
    {1, "PI", DURIZ_NAME_PI},
    {2, "go", DURIZ_NAME_GO},
    {3, "LN2", DURIZ_NAME_LN2},
    {4, "URL", DURIZ_NAME_URL},
    {5, "UTC", DURIZ_NAME_UTC},
    {6, "NaN", DURIZ_NAME_NAN},
    {7, "max", DURIZ_NAME_MAX},
    {8, "tan", DURIZ_NAME_TAN},
    {9, "abs", DURIZ_NAME_ABS},
    {10, "big", DURIZ_NAME_BIG},
    {11, "min", DURIZ_NAME_MIN},
    {12, "sin", DURIZ_NAME_SIN},
    {13, "cos", DURIZ_NAME_COS},
    {14, "log", DURIZ_NAME_LOG},
    {15, "pow", DURIZ_NAME_POW},
    {16, "top", DURIZ_NAME_TOP},
    {17, "src", DURIZ_NAME_SRC},
    {18, "sub", DURIZ_NAME_SUB},
    {19, "sun", DURIZ_NAME_SUN},
    {20, "sup", DURIZ_NAME_SUP},
    {21, "exp", DURIZ_NAME_EXP},
    {22, "java", DURIZ_NAME_JAVA},
    {23, "Date", DURIZ_NAME_DATE},
    {24, "name", DURIZ_NAME_NAME},
    {25, "Math", DURIZ_NAME_MATH},
    {26, "self", DURIZ_NAME_SELF},
    {27, "hash", DURIZ_NAME_HASH},
    {28, "back", DURIZ_NAME_BACK},
    {29, "bold", DURIZ_NAME_BOLD},
    {30, "ceil", DURIZ_NAME_CEIL},
    {31, "href", DURIZ_NAME_HREF},
    {32, "link", DURIZ_NAME_LINK},
    {33, "type", DURIZ_NAME_TYPE},
    {34, "acos", DURIZ_NAME_ACOS},
    {35, "form", DURIZ_NAME_FORM},
    {36, "join", DURIZ_NAME_JOIN},
    {37, "open", DURIZ_NAME_OPEN},
    {38, "next", DURIZ_NAME_NEXT},
    {39, "text", DURIZ_NAME_TEXT},
    {40, "eval", DURIZ_NAME_EVAL},
    {41, "asin", DURIZ_NAME_ASIN},
    {42, "atan", DURIZ_NAME_ATAN},
    {43, "blur", DURIZ_NAME_BLUR},
    {44, "host", DURIZ_NAME_HOST},
    {45, "port", DURIZ_NAME_PORT},
    {46, "sort", DURIZ_NAME_SORT},
    {47, "sqrt", DURIZ_NAME_SQRT},
    {48, "LN10", DURIZ_NAME_LN10},
    {49, "clear", DURIZ_NAME_CLEAR},
    {50, "reset", DURIZ_NAME_RESET},
    {51, "fixed", DURIZ_NAME_FIXED},
    {52, "Array", DURIZ_NAME_ARRAY},
    {53, "isNaN", DURIZ_NAME_ISNAN},
    {54, "index", DURIZ_NAME_INDEX},
    {55, "Image", DURIZ_NAME_IMAGE},
    {56, "taint", DURIZ_NAME_TAINT},
    {57, "links", DURIZ_NAME_LINKS},
    {58, "title", DURIZ_NAME_TITLE},
    {59, "split", DURIZ_NAME_SPLIT},
    {60, "small", DURIZ_NAME_SMALL},
    {61, "parse", DURIZ_NAME_PARSE},
    {62, "blink", DURIZ_NAME_BLINK},
    {63, "forms", DURIZ_NAME_FORMS},
    {64, "floor", DURIZ_NAME_FLOOR},
    {65, "value", DURIZ_NAME_VALUE},
    {66, "round", DURIZ_NAME_ROUND},
    {67, "alert", DURIZ_NAME_ALERT},
    {68, "width", DURIZ_NAME_WIDTH},
    {69, "close", DURIZ_NAME_CLOSE},
    {70, "focus", DURIZ_NAME_FOCUS},
    {71, "write", DURIZ_NAME_WRITE},
    {72, "LOG2E", DURIZ_NAME_LOG2E},
    {73, "SQRT2", DURIZ_NAME_SQRT2},
    {74, "lowsrc", DURIZ_NAME_LOWSRC},
    {75, "charAt", DURIZ_NAME_CHARAT},
    {76, "getDay", DURIZ_NAME_GETDAY},
    {77, "escape", DURIZ_NAME_ESCAPE},
    {78, "domain", DURIZ_NAME_DOMAIN},
    {79, "Object", DURIZ_NAME_OBJECT},
    {80, "window", DURIZ_NAME_WINDOW},
    {81, "select", DURIZ_NAME_SELECT},
    {82, "anchor", DURIZ_NAME_ANCHOR},
    {83, "target", DURIZ_NAME_TARGET},
    {84, "hspace", DURIZ_NAME_HSPACE},
    {85, "vspace", DURIZ_NAME_VSPACE},
    {86, "border", DURIZ_NAME_BORDER},
    {87, "embeds", DURIZ_NAME_EMBEDS},
    {88, "Number", DURIZ_NAME_NUMBER},
    {89, "images", DURIZ_NAME_IMAGES},
    {90, "random", DURIZ_NAME_RANDOM},
    {91, "parent", DURIZ_NAME_PARENT},
    {92, "method", DURIZ_NAME_METHOD},
    {93, "height", DURIZ_NAME_HEIGHT},
    {94, "prompt", DURIZ_NAME_PROMPT},
    {95, "cookie", DURIZ_NAME_COOKIE},
    {96, "action", DURIZ_NAME_ACTION},
    {97, "length", DURIZ_NAME_LENGTH},
    {98, "LOG10E", DURIZ_NAME_LOG10E},
    {99, "reload", DURIZ_NAME_RELOAD},
    {100, "assign", DURIZ_NAME_ASSIGN},
    {101, "status", DURIZ_NAME_STATUS},
    {102, "search", DURIZ_NAME_SEARCH},
    {103, "String", DURIZ_NAME_STRING},
    {104, "onload", DURIZ_NAME_ONLOAD},
    {105, "scroll", DURIZ_NAME_SCROLL},
    {106, "closed", DURIZ_NAME_CLOSED},
    {107, "frames", DURIZ_NAME_FRAMES},
    {108, "opener", DURIZ_NAME_OPENER},
    {109, "strike", DURIZ_NAME_STRIKE},
    {110, "onblur", DURIZ_NAME_ONBLUR},
    {111, "submit", DURIZ_NAME_SUBMIT},
    {112, "history", DURIZ_NAME_HISTORY},
    {113, "writeln", DURIZ_NAME_WRITELN},
    {114, "forward", DURIZ_NAME_FORWARD},
    {115, "valueOf", DURIZ_NAME_VALUEOF},
    {116, "getDate", DURIZ_NAME_GETDATE},
    {117, "setDate", DURIZ_NAME_SETDATE},
    {118, "getTime", DURIZ_NAME_GETTIME},
    {119, "setTime", DURIZ_NAME_SETTIME},
    {120, "setYear", DURIZ_NAME_SETYEAR},
    {121, "getYear", DURIZ_NAME_GETYEAR},
    {122, "SQRT1_2", DURIZ_NAME_SQRT1_2},
    {123, "appName", DURIZ_NAME_APPNAME},
    {124, "untaint", DURIZ_NAME_UNTAINT},
    {125, "plugins", DURIZ_NAME_PLUGINS},
    {126, "checked", DURIZ_NAME_CHECKED},
    {127, "onreset", DURIZ_NAME_ONRESET},
    {128, "applets", DURIZ_NAME_APPLETS},
    {129, "replace", DURIZ_NAME_REPLACE},
    {130, "reverse", DURIZ_NAME_REVERSE},
    {131, "onabort", DURIZ_NAME_ONABORT},
    {132, "onclick", DURIZ_NAME_ONCLICK},
    {133, "onerror", DURIZ_NAME_ONERROR},
    {134, "bgColor", DURIZ_NAME_BGCOLOR},
    {135, "fgColor", DURIZ_NAME_FGCOLOR},
    {136, "confirm", DURIZ_NAME_CONFIRM},
    {137, "indexOf", DURIZ_NAME_INDEXOF},
    {138, "anchors", DURIZ_NAME_ANCHORS},
    {139, "italics", DURIZ_NAME_ITALICS},
    {140, "options", DURIZ_NAME_OPTIONS},
    {141, "onfocus", DURIZ_NAME_ONFOCUS},
    {142, "current", DURIZ_NAME_CURRENT},
    {143, "onsubmit", DURIZ_NAME_ONSUBMIT},
    {144, "filename", DURIZ_NAME_FILENAME},
    {145, "document", DURIZ_NAME_DOCUMENT},
    {146, "selected", DURIZ_NAME_SELECTED},
    {147, "onunload", DURIZ_NAME_ONUNLOAD},
    {148, "encoding", DURIZ_NAME_ENCODING},
    {149, "onchange", DURIZ_NAME_ONCHANGE},
    {150, "pathname", DURIZ_NAME_PATHNAME},
    {151, "location", DURIZ_NAME_LOCATION},
    {152, "previous", DURIZ_NAME_PREVIOUS},
    {153, "fontsize", DURIZ_NAME_FONTSIZE},
    {154, "toString", DURIZ_NAME_TOSTRING},
    {155, "netscape", DURIZ_NAME_NETSCAPE},
    {156, "hostname", DURIZ_NAME_HOSTNAME},
    {157, "complete", DURIZ_NAME_COMPLETE},
    {158, "Function", DURIZ_NAME_FUNCTION},
    {159, "Packages", DURIZ_NAME_PACKAGES},
    {160, "parseInt", DURIZ_NAME_PARSEINT},
    {161, "suffixes", DURIZ_NAME_SUFFIXES},
    {162, "unescape", DURIZ_NAME_UNESCAPE},
    {163, "elements", DURIZ_NAME_ELEMENTS},
    {164, "protocol", DURIZ_NAME_PROTOCOL},
    {165, "referrer", DURIZ_NAME_REFERRER},
    {166, "getMonth", DURIZ_NAME_GETMONTH},
    {167, "setMonth", DURIZ_NAME_SETMONTH},
    {168, "getHours", DURIZ_NAME_GETHOURS},
    {169, "setHours", DURIZ_NAME_SETHOURS},
    {170, "navigator", DURIZ_NAME_NAVIGATOR},
    {171, "linkColor", DURIZ_NAME_LINKCOLOR},
    {172, "mimeTypes", DURIZ_NAME_MIMETYPES},
    {173, "MAX_VALUE", DURIZ_NAME_MAX_VALUE},
    {174, "MIN_VALUE", DURIZ_NAME_MIN_VALUE},
    {175, "fontcolor", DURIZ_NAME_FONTCOLOR},
    {176, "substring", DURIZ_NAME_SUBSTRING},
    {177, "userAgent", DURIZ_NAME_USERAGENT},
    {178, "vlinkColor", DURIZ_NAME_VLINKCOLOR},
    {179, "alinkColor", DURIZ_NAME_ALINKCOLOR},
    {180, "onmouseout", DURIZ_NAME_ONMOUSEOUT},
    {181, "parseFloat", DURIZ_NAME_PARSEFLOAT},
    {182, "setSeconds", DURIZ_NAME_SETSECONDS},
    {183, "getSeconds", DURIZ_NAME_GETSECONDS},
    {184, "setMinutes", DURIZ_NAME_SETMINUTES},
    {185, "getMinutes", DURIZ_NAME_GETMINUTES},
    {186, "appVersion", DURIZ_NAME_APPVERSION},
    {187, "setTimeout", DURIZ_NAME_SETTIMEOUT},
    {188, "lastIndexOf", DURIZ_NAME_LASTINDEXOF},
    {189, "javaEnabled", DURIZ_NAME_JAVAENABLED},
    {190, "onmouseover", DURIZ_NAME_ONMOUSEOVER},
    {191, "description", DURIZ_NAME_DESCRIPTION},
    {192, "appCodeName", DURIZ_NAME_APPCODENAME},
    {193, "toGMTString", DURIZ_NAME_TOGMTSTRING},
    {194, "toLowerCase", DURIZ_NAME_TOLOWERCASE},
    {195, "toUpperCase", DURIZ_NAME_TOUPPERCASE},
    {196, "defaultValue", DURIZ_NAME_DEFAULTVALUE},
    {197, "element_name", DURIZ_NAME_ELEMENT_NAME},
    {198, "taintEnabled", DURIZ_NAME_TAINTENABLED},
    {199, "clearTimeout", DURIZ_NAME_CLEARTIMEOUT},
    {200, "lastModified", DURIZ_NAME_LASTMODIFIED},
    {201, "enabledPlugin", DURIZ_NAME_ENABLEDPLUGIN},
    {202, "selectedIndex", DURIZ_NAME_SELECTEDINDEX},
    {203, "defaultStatus", DURIZ_NAME_DEFAULTSTATUS},
    {204, "defaultChecked", DURIZ_NAME_DEFAULTCHECKED},
    {205, "toLocaleString", DURIZ_NAME_TOLOCALESTRING},
    {206, "defaultSelected", DURIZ_NAME_DEFAULTSELECTED},
    {207, "getTimezoneOffset", DURIZ_NAME_GETTIMEZONEOFFSET},
    {208, "NEGATIVE_INFINITY", DURIZ_NAME_NEGATIVE_INFINITY},
    {209, "POSITIVE_INFINITY", DURIZ_NAME_POSITIVE_INFINITY},
};

// The index range of each length group: {length, first index, last index}.
const struct {
    int length, first, last;
} kLengthGroups[] = {
    {1, 0, 0},       {2, 1, 2},       {3, 3, 21},      {4, 22, 48},     {5, 49, 73},
    {6, 74, 111},    {7, 112, 142},   {8, 143, 169},   {9, 170, 177},   {10, 178, 187},
    {11, 188, 195},  {12, 196, 200},  {13, 201, 203},  {14, 204, 205},  {15, 206, 206},
    {17, 207, 209},
};

// Entry L-1: how many names have at most L bytes.
const uint16_t kExpectedLengthIndex[17] = {1, 3, 22, 49, 74, 112, 143, 170, 178, 188, 196, 201, 204, 206, 207, 207, 210};

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

TEST(NameTable, HoldsEveryNameAtItsIndex) {
    ASSERT_EQ(kNamedCount, 210);
    ASSERT_EQ(kBuiltinNameCount, 210);
    for (int i = 0; i < kNamedCount; i++) {
        const NameEntry &e = kExpectedNames[i];
        ASSERT_EQ(e.index, i) << e.text;  // the listing is complete and in index order
        EXPECT_STREQ(kBuiltinNames[i].text, e.text) << i;
        EXPECT_STREQ(NameText(i), e.text) << i;
        EXPECT_EQ(e.constant, i) << e.text;
    }
    EXPECT_EQ(DURIZ_NAME_COUNT, 210);
    EXPECT_EQ(NameText(-1), nullptr);
    EXPECT_EQ(NameText(210), nullptr);
}

TEST(NameTable, LengthGroupsCoverTheirRanges) {
    int next = 0;
    for (const auto &g : kLengthGroups) {
        EXPECT_EQ(g.first, next) << g.length;
        for (int i = g.first; i <= g.last; i++)
            EXPECT_EQ(std::strlen(kExpectedNames[i].text), static_cast<size_t>(g.length)) << kExpectedNames[i].text;
        next = g.last + 1;
    }
    EXPECT_EQ(next, 210);
}

TEST(NameTable, StoredHashesAreTheNameHash) {
    for (const NameEntry &e : kExpectedNames) {
        const size_t n = std::strlen(e.text);
        const uint16_t h = ReferenceHash(e.text, n);
        EXPECT_EQ(kBuiltinNames[e.index].hash, h) << e.text;
        EXPECT_EQ(NameHash(e.text, n), h) << e.text;
    }
}

TEST(NameTable, SortedByLengthThenStrictlyByHash) {
    for (int i = 1; i < kNamedCount; i++) {
        const char *a = kExpectedNames[i - 1].text, *b = kExpectedNames[i].text;
        const size_t la = std::strlen(a), lb = std::strlen(b);
        ASSERT_LE(la, lb) << a << " before " << b;
        if (la == lb) {
            EXPECT_LT(ReferenceHash(a, la), ReferenceHash(b, lb)) << a << " before " << b;
        }
    }
}

TEST(NameTable, LengthIndexCountsNamesUpToEachLength) {
    for (size_t length = 1; length <= 17; length++) {
        int count = 0;
        for (const NameEntry &e : kExpectedNames)
            if (std::strlen(e.text) <= length) count++;
        EXPECT_EQ(count, kExpectedLengthIndex[length - 1]) << length;
        EXPECT_EQ(kNameLengthIndex[length - 1], kExpectedLengthIndex[length - 1]) << length;
    }
    EXPECT_EQ(kLongestName, 17u);
}

TEST(NameHashing, KnownValues) {
    const struct {
        const char *text;
        size_t length;
        uint16_t hash;
    } cases[] = {
        {"E", 1, 69},
        {"PI", 2, 20553},
        {"go", 2, 26479},
        {"LN2", 3, 20170},
        {"java", 4, 9304},
        {"length", 6, 57312},
        {"document", 8, 3107},
        {"POSITIVE_INFINITY", 17, 15695},
        {"", 0, 0},
        {"\xff", 1, 1},           // sign-extended: X = -1
        {"\x80", 1, 128},         // X = -128
        {"\x80\x01", 2, 32767},   // 0xFFFF8001 = -32767
        {"A\xff", 2, 1},          // the high byte is swallowed by the sign bits
        {"\0\0\0\x80", 4, 0xFFFE}, // X = -2^31
    };
    for (const auto &c : cases) {
        EXPECT_EQ(NameHash(c.text, c.length), c.hash) << c.text;
        EXPECT_EQ(ReferenceHash(c.text, c.length), c.hash) << c.text;
    }
    // Two whole words cancel out when they are equal.
    EXPECT_EQ(NameHash("abcdabcd", 8), 0);
    EXPECT_EQ(NameHash("abcdabcdx", 9), 'x');
}

TEST(NameLookup, FindsEveryNameWithoutTerminator) {
    for (const NameEntry &e : kExpectedNames) {
        const size_t n = std::strlen(e.text);
        EXPECT_EQ(LookupName(e.text, n), e.index) << e.text;
        // The text need not end after the name.
        std::string padded = std::string(e.text) + "Zq";
        EXPECT_EQ(LookupName(padded.c_str(), n), e.index) << e.text;
    }
}

TEST(NameLookup, EdgeCases) {
    EXPECT_EQ(LookupName("length", 6), 97);
    EXPECT_EQ(LookupName("getTimezoneOffset", 17), 207);
    EXPECT_EQ(LookupName("E", 1), 0);
    const char *missing[] = {"math", "parseint", "MATH", "Length", "e", "pi", "foo", "lengthy", "getTimezoneOffsetX", ""};
    for (const char *m : missing) EXPECT_EQ(LookupName(m, std::strlen(m)), -1) << m;
    // 18 bytes never match, even with a built-in name in front.
    EXPECT_EQ(LookupName("POSITIVE_INFINITYx", 18), -1);
    EXPECT_EQ(LookupName("length", 0), -1);
    // nav hashes like max (0x6E6176 - 0x6D6178 = 65534) but is another text.
    ASSERT_EQ(NameHash("nav", 3), NameHash("max", 3));
    EXPECT_EQ(LookupName("nav", 3), -1);
    EXPECT_EQ(LookupName("max", 3), DURIZ_NAME_MAX);
    // Element names answer at once: the table has no name that starts with a digit.
    for (int i = 0; i < kBuiltinNameCount; i++)
        EXPECT_FALSE(kBuiltinNames[i].text[0] >= '0' && kBuiltinNames[i].text[0] <= '9') << i;
    EXPECT_EQ(LookupName("0", 1), -1);
    EXPECT_EQ(LookupName("1234", 4), -1);
}

struct NativeEntry {
    int id;
    const char *name;
    int constant;  // the DURIZ_NATIVE_* constant of the public header
};

// Every named native id.
const NativeEntry kExpectedNatives[] = {
    {1000, "alert", DURIZ_NATIVE_WINDOW_ALERT},
    {1001, "blur", DURIZ_NATIVE_WINDOW_BLUR},
    {1002, "clearTimeout", DURIZ_NATIVE_WINDOW_CLEARTIMEOUT},
    {1003, "close", DURIZ_NATIVE_WINDOW_CLOSE},
    {1004, "confirm", DURIZ_NATIVE_WINDOW_CONFIRM},
    {1005, "focus", DURIZ_NATIVE_WINDOW_FOCUS},
    {1006, "open", DURIZ_NATIVE_WINDOW_OPEN},
    {1007, "prompt", DURIZ_NATIVE_WINDOW_PROMPT},
    {1008, "scroll", DURIZ_NATIVE_WINDOW_SCROLL},
    {1009, "setTimeout", DURIZ_NATIVE_WINDOW_SETTIMEOUT},
    {1015, "parseInt", DURIZ_NATIVE_WINDOW_PARSEINT},
    {1016, "parseFloat", DURIZ_NATIVE_WINDOW_PARSEFLOAT},
    {1017, "clear", DURIZ_NATIVE_DOCUMENT_CLEAR},
    {1018, "close", DURIZ_NATIVE_DOCUMENT_CLOSE},
    {1019, "open", DURIZ_NATIVE_DOCUMENT_OPEN},
    {1020, "write", DURIZ_NATIVE_DOCUMENT_WRITE},
    {1021, "writeln", DURIZ_NATIVE_DOCUMENT_WRITELN},
    {1022, "assign", DURIZ_NATIVE_HOST_ASSIGN},
    {1023, "eval", DURIZ_NATIVE_HOST_EVAL},
    {1024, "toString", DURIZ_NATIVE_HOST_TOSTRING},
    {1025, "valueOf", DURIZ_NATIVE_HOST_VALUEOF},
    {1026, "anchor", DURIZ_NATIVE_STRING_ANCHOR},
    {1027, "big", DURIZ_NATIVE_STRING_BIG},
    {1028, "blink", DURIZ_NATIVE_STRING_BLINK},
    {1029, "bold", DURIZ_NATIVE_STRING_BOLD},
    {1030, "charAt", DURIZ_NATIVE_STRING_CHARAT},
    {1031, "fixed", DURIZ_NATIVE_STRING_FIXED},
    {1032, "fontcolor", DURIZ_NATIVE_STRING_FONTCOLOR},
    {1033, "fontsize", DURIZ_NATIVE_STRING_FONTSIZE},
    {1034, "indexOf", DURIZ_NATIVE_STRING_INDEXOF},
    {1035, "italics", DURIZ_NATIVE_STRING_ITALICS},
    {1036, "lastIndexOf", DURIZ_NATIVE_STRING_LASTINDEXOF},
    {1037, "link", DURIZ_NATIVE_STRING_LINK},
    {1038, "small", DURIZ_NATIVE_STRING_SMALL},
    {1039, "split", DURIZ_NATIVE_STRING_SPLIT},
    {1040, "strike", DURIZ_NATIVE_STRING_STRIKE},
    {1041, "sub", DURIZ_NATIVE_STRING_SUB},
    {1042, "substring", DURIZ_NATIVE_STRING_SUBSTRING},
    {1043, "sup", DURIZ_NATIVE_STRING_SUP},
    {1044, "toLowerCase", DURIZ_NATIVE_STRING_TOLOWERCASE},
    {1045, "toUpperCase", DURIZ_NATIVE_STRING_TOUPPERCASE},
    {1046, "valueOf", DURIZ_NATIVE_STRING_VALUEOF},
    {1047, "abs", DURIZ_NATIVE_MATH_ABS},
    {1048, "acos", DURIZ_NATIVE_MATH_ACOS},
    {1049, "asin", DURIZ_NATIVE_MATH_ASIN},
    {1050, "atan", DURIZ_NATIVE_MATH_ATAN},
    {1051, "ceil", DURIZ_NATIVE_MATH_CEIL},
    {1052, "cos", DURIZ_NATIVE_MATH_COS},
    {1053, "exp", DURIZ_NATIVE_MATH_EXP},
    {1054, "floor", DURIZ_NATIVE_MATH_FLOOR},
    {1055, "log", DURIZ_NATIVE_MATH_LOG},
    {1056, "max", DURIZ_NATIVE_MATH_MAX},
    {1057, "min", DURIZ_NATIVE_MATH_MIN},
    {1058, "pow", DURIZ_NATIVE_MATH_POW},
    {1059, "random", DURIZ_NATIVE_MATH_RANDOM},
    {1060, "round", DURIZ_NATIVE_MATH_ROUND},
    {1061, "sin", DURIZ_NATIVE_MATH_SIN},
    {1062, "sqrt", DURIZ_NATIVE_MATH_SQRT},
    {1063, "tan", DURIZ_NATIVE_MATH_TAN},
    {1064, "getDate", DURIZ_NATIVE_DATE_GETDATE},
    {1065, "getDay", DURIZ_NATIVE_DATE_GETDAY},
    {1066, "getHours", DURIZ_NATIVE_DATE_GETHOURS},
    {1067, "getMinutes", DURIZ_NATIVE_DATE_GETMINUTES},
    {1068, "getMonth", DURIZ_NATIVE_DATE_GETMONTH},
    {1069, "getSeconds", DURIZ_NATIVE_DATE_GETSECONDS},
    {1070, "getTime", DURIZ_NATIVE_DATE_GETTIME},
    {1071, "getTimezoneOffset", DURIZ_NATIVE_DATE_GETTIMEZONEOFFSET},
    {1072, "getYear", DURIZ_NATIVE_DATE_GETYEAR},
    {1073, "parse", DURIZ_NATIVE_DATE_PARSE},
    {1074, "setDate", DURIZ_NATIVE_DATE_SETDATE},
    {1075, "setHours", DURIZ_NATIVE_DATE_SETHOURS},
    {1076, "setMinutes", DURIZ_NATIVE_DATE_SETMINUTES},
    {1077, "setMonth", DURIZ_NATIVE_DATE_SETMONTH},
    {1078, "setSeconds", DURIZ_NATIVE_DATE_SETSECONDS},
    {1079, "setTime", DURIZ_NATIVE_DATE_SETTIME},
    {1080, "setYear", DURIZ_NATIVE_DATE_SETYEAR},
    {1081, "toGMTString", DURIZ_NATIVE_DATE_TOGMTSTRING},
    {1082, "toLocaleString", DURIZ_NATIVE_DATE_TOLOCALESTRING},
    {1083, "UTC", DURIZ_NATIVE_DATE_UTC},
    {1084, "reset", DURIZ_NATIVE_FORM_RESET},
    {1085, "submit", DURIZ_NATIVE_FORM_SUBMIT},
    {1089, "blur", DURIZ_NATIVE_TEXT_BLUR},
    {1090, "focus", DURIZ_NATIVE_TEXT_FOCUS},
    {1091, "select", DURIZ_NATIVE_TEXT_SELECT},
    {1096, "join", DURIZ_NATIVE_ARRAY_JOIN},
    {1097, "reverse", DURIZ_NATIVE_ARRAY_REVERSE},
    {1098, "sort", DURIZ_NATIVE_ARRAY_SORT},
    {1102, "reload", DURIZ_NATIVE_LOCATION_RELOAD},
    {1103, "replace", DURIZ_NATIVE_LOCATION_REPLACE},
    {1107, "back", DURIZ_NATIVE_HISTORY_BACK},
    {1108, "forward", DURIZ_NATIVE_HISTORY_FORWARD},
    {1109, "go", DURIZ_NATIVE_HISTORY_GO},
    {1110, "javaEnabled", DURIZ_NATIVE_NAVIGATOR_JAVAENABLED},
    {1111, "taintEnabled", DURIZ_NATIVE_NAVIGATOR_TAINTENABLED},
    {1112, "escape", DURIZ_NATIVE_WINDOW_ESCAPE},
    {1113, "unescape", DURIZ_NATIVE_WINDOW_UNESCAPE},
    {1114, "taint", DURIZ_NATIVE_WINDOW_TAINT},
    {1115, "untaint", DURIZ_NATIVE_WINDOW_UNTAINT},
    {1116, "isNaN", DURIZ_NATIVE_WINDOW_ISNAN},
};

// The owners' id ranges. Within most owners the names run alphabetically,
// case ignored; the window's later additions (parseInt, parseFloat and the
// five from escape on) keep their own order.
const struct {
    int first, last;
    bool alphabetical;
} kOwnerRanges[] = {
    {1000, 1009, true}, {1015, 1016, false}, {1017, 1021, true}, {1022, 1025, true}, {1026, 1046, true},
    {1047, 1063, true}, {1064, 1083, true},  {1084, 1085, true}, {1089, 1091, true}, {1096, 1098, true},
    {1102, 1103, true}, {1107, 1109, true},  {1110, 1111, true}, {1112, 1116, false},
};

std::string Lower(const char *s) {
    std::string out;
    for (; *s; s++) out += static_cast<char>(std::tolower(static_cast<unsigned char>(*s)));
    return out;
}

class NameNativeIds : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override { JS_Destroy(); }
};

TEST_F(NameNativeIds, NamedIdsAreBuiltinNamesInOwnerOrder) {
    std::set<int> named;
    for (const NativeEntry &n : kExpectedNatives) {
        EXPECT_TRUE(named.insert(n.id).second) << n.id;
        EXPECT_GE(LookupName(n.name, std::strlen(n.name)), 0) << n.name;
    }
    EXPECT_EQ(named.size(), 99u);
    // Unnamed ids: 1010-1014, 1086-1088, 1092-1095, 1099-1101, 1104-1106.
    std::set<int> unnamed;
    for (int id = 1000; id <= 1116; id++)
        if (!named.count(id)) unnamed.insert(id);
    const std::set<int> expectedUnnamed = {1010, 1011, 1012, 1013, 1014, 1086, 1087, 1088, 1092,
                                           1093, 1094, 1095, 1099, 1100, 1101, 1104, 1105, 1106};
    EXPECT_EQ(unnamed, expectedUnnamed);
    int covered = 0;
    for (const auto &r : kOwnerRanges) {
        for (int id = r.first; id <= r.last; id++) {
            ASSERT_TRUE(named.count(id)) << id;
            covered++;
        }
        for (const NativeEntry &a : kExpectedNatives)
            for (const NativeEntry &b : kExpectedNatives)
                if (r.alphabetical && a.id >= r.first && b.id == a.id + 1 && b.id <= r.last) {
                    EXPECT_LT(Lower(a.name), Lower(b.name)) << a.id;
                }
    }
    EXPECT_EQ(covered, 99);
}

TEST_F(NameNativeIds, EveryIdHasItsOwnFunctionValue) {
    std::set<JsFunction *> seen;
    for (int id = 1000; id <= 1116; id++) {
        JsFunction *f = NativeFunction(id);
        ASSERT_NE(f, nullptr) << id;
        EXPECT_EQ(f->id, id);
        EXPECT_EQ(f->IsFunction(), 1);
        EXPECT_EQ(NativeFunction(id), f);
        EXPECT_TRUE(seen.insert(f).second) << id;
    }
    for (int id = 2000; id <= 2033; id++) {
        JsFunction *f = NativeFunction(id);
        ASSERT_NE(f, nullptr) << id;
        EXPECT_EQ(f->id, id);
        EXPECT_TRUE(seen.insert(f).second) << id;
    }
    for (int id : {0, 999, 1117, 1500, 1999, 2034, -1}) EXPECT_EQ(NativeFunction(id), nullptr) << id;
}

TEST_F(NameNativeIds, ConstructorPrototypesAreTheSharedClassObjects) {
    for (int k = 0; k < 34; k++) {
        JsObject *p = g_shared.prototypes[k];
        const bool shared = k == 2 || k == 3 || k == 4 || k == 7 || k == 8;
        if (!shared) {
            EXPECT_EQ(p, nullptr) << k;
            EXPECT_EQ(NativeFunction(2000 + k)->Prototype(), nullptr) << k;
            continue;
        }
        ASSERT_NE(p, nullptr) << k;
        ASSERT_EQ(p->HasClass(), 1) << k;
        EXPECT_EQ(static_cast<JsClassObject *>(p)->ClassNumber(), k);
        EXPECT_EQ(NativeFunction(2000 + k)->Prototype(), p) << k;
    }
}

TEST(NamePublicNumbering, NativeConstantsMatchTheIds) {
    for (const NativeEntry &n : kExpectedNatives) EXPECT_EQ(n.constant, n.id) << n.name;
    EXPECT_EQ(DURIZ_NATIVE_FIRST, 1000);
    EXPECT_EQ(DURIZ_NATIVE_LAST, 1116);
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
    // The constructors reached by name.
    const struct {
        const char *name;
        int id;
    } named[] = {{"Object", 2002}, {"String", 2003}, {"Number", 2004}, {"Array", 2006},
                 {"Math", 2007},   {"Date", 2008},   {"Function", 2009}, {"Image", 2027}};
    for (const auto &n : named) EXPECT_GE(LookupName(n.name, std::strlen(n.name)), 0) << n.name;
}

}  // namespace
