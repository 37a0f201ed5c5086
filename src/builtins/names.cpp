// The table of built-in names: ordered by length, then by hash. The position
// of a name is its name index, which hosts see in every callback.
#include "builtins/names.h"

#include <array>
#include <cstring>

#include "duriz.h"

namespace {

// Every built-in name with the constant the public header gives its index,
// in the order of the indexes: by length, then by hash. This list is the
// one place the names are written; what is kept of them, and the checks
// below, follow from it when the engine is compiled.
struct NameEntry {
    const char *text;
    int constant;
};
#define N(text, constant) NameEntry{#text, DURIZ_NAME_##constant}
constexpr NameEntry kEntries[] = {
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

constexpr size_t LengthOf(const char *text) {
    size_t n = 0;
    while (text[n]) n++;
    return n;
}

constexpr std::array<BuiltinName, kBuiltinNameCount> MakeNames() {
    std::array<BuiltinName, kBuiltinNameCount> names{};
    for (int i = 0; i < kBuiltinNameCount; i++)
        names[static_cast<size_t>(i)] = {kEntries[i].text, NameHash(kEntries[i].text, LengthOf(kEntries[i].text))};
    return names;
}

constexpr std::array<uint16_t, kLongestName> MakeLengthIndex() {
    std::array<uint16_t, kLongestName> index{};
    for (const NameEntry &e : kEntries)
        for (size_t length = LengthOf(e.text); length <= kLongestName; length++) index[length - 1]++;
    return index;
}

// Each name stands at the index its constant says, and the names run by
// length, then strictly by hash, as the look-up expects.
constexpr bool InOrder() {
    if (sizeof kEntries / sizeof kEntries[0] != static_cast<size_t>(kBuiltinNameCount)) return false;
    for (int i = 0; i < kBuiltinNameCount; i++) {
        if (kEntries[i].constant != i || LengthOf(kEntries[i].text) > kLongestName) return false;
        if (i == 0) continue;
        const size_t a = LengthOf(kEntries[i - 1].text), b = LengthOf(kEntries[i].text);
        if (a > b || (a == b && NameHash(kEntries[i - 1].text, a) >= NameHash(kEntries[i].text, b))) return false;
    }
    return true;
}
static_assert(InOrder(), "the built-in names stand at their constants' indexes, by length, then by hash");

}  // namespace

const std::array<BuiltinName, kBuiltinNameCount> kBuiltinNames = MakeNames();
const std::array<uint16_t, kLongestName> kNameLengthIndex = MakeLengthIndex();

int LookupName(const char *text, size_t length) {
    // No built-in name starts with a digit: element names are never hashed.
    if (length == 0 || length > kLongestName || (text[0] >= '0' && text[0] <= '9')) return -1;
    const uint16_t hash = NameHash(text, length);
    const int first = length == 1 ? 0 : kNameLengthIndex[length - 2];
    const int last = kNameLengthIndex[length - 1];
    for (int i = first; i < last; i++) {
        if (kBuiltinNames[i].hash > hash) return -1;
        if (kBuiltinNames[i].hash == hash)
            return std::memcmp(kBuiltinNames[i].text, text, length) == 0 ? i : -1;
    }
    return -1;
}

const char *NameText(int index) {
    return index >= 0 && index < kBuiltinNameCount ? kBuiltinNames[index].text : nullptr;
}
