#include "values/date.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "builtins/random.h"
#include "values/calendar.h"
#include "values/object.h"

char g_dateText[kDateTextSize];

namespace {

const char *const kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

// A number's integer part, truncated toward zero and held in 32 bits.
int32_t Truncated(double d) {
    if (!(d == d)) return 0;
    if (d >= 2147483647.0) return INT32_MAX;
    if (d <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(d);
}

// The decimal integer at text as atoi reads it (white space, a sign and
// digits), clamped to the int range.
int DecimalAt(const char *text) {
    const long n = std::strtol(text, nullptr, 10);
    if (n > INT_MAX) return INT_MAX;
    if (n < INT_MIN) return INT_MIN;
    return static_cast<int>(n);
}

bool IsBlank(unsigned char c) { return std::isspace(c) != 0; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

const char *SkipBlanks(const char *p) {
    while (*p && IsBlank(static_cast<unsigned char>(*p))) p++;
    return p;
}
const char *SkipDigits(const char *p) {
    while (IsDigit(static_cast<unsigned char>(*p))) p++;
    return p;
}

bool SameLetters(const char *a, const char *b, size_t n) {
    for (size_t i = 0; i < n; i++) {
        if (!a[i] || !b[i]) return false;
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool Fits(size_t used, int piece, size_t size) { return piece >= 0 && used + static_cast<size_t>(piece) + 1 <= size; }

}  // namespace

int ArgumentCount(JsObject *arguments) {
    if (!arguments) return 0;
    int n = 0;
    for (JsProperty *slot = arguments->FirstProperty(); slot; slot = slot->Next()) n++;
    return n;
}

double DateFromArguments(JsObject *arguments) {
    const int n = arguments ? ArgumentCount(arguments) : -1;
    if (n == 1) {
        JsValue *a = arguments->ValueAt(0);
        if (a && a->IsNumber()) return a->ToNumber();
        if (a && a->IsString()) return ParseDate(a->ToText()) * 1000.0;
        return 0.0;
    }
    if (n == 3 || n == 6) return DateFromParts(arguments);
    // The current time; its milliseconds come from the random generator.
    double t = CurrentSeconds() * 1000.0;
    SeedRandom(static_cast<uint32_t>(static_cast<int64_t>(t * 0.01)));
    t += NextRandom() % 1000;
    return t;
}

double DateFromParts(JsObject *arguments) {
    const int n = ArgumentCount(arguments);
    if (n < 3 || n > 6) return 0.0;
    int32_t parts[6] = {0, 0, 0, 0, 0, 0};
    for (int i = 0; i < n; i++) {
        JsValue *v = arguments->ValueAt(i);
        parts[i] = v ? Truncated(v->ToNumber()) : 0;
    }
    std::tm fields{};
    fields.tm_year = parts[0] > 1900 ? parts[0] - 1900 : parts[0];
    fields.tm_mon = parts[1];
    fields.tm_mday = parts[2];
    fields.tm_hour = parts[3];
    fields.tm_min = parts[4];
    fields.tm_sec = parts[5];
    fields.tm_isdst = 0;
    return LocalSeconds(&fields) * 1000.0;
}

int32_t ParseDate(const char *text) {
    if (!text) return 0;
    std::tm fields{};
    fields.tm_isdst = 0;
    const char *p = SkipBlanks(text);
    bool monthFirst = false;
    if (!IsDigit(static_cast<unsigned char>(*p))) {
        int day = -1;
        for (int i = 0; i < 7 && day < 0; i++)
            if (SameLetters(p, kDayNames[i], 3)) day = i;
        if (day < 0) {
            monthFirst = true;
        } else {
            if (p[3] != ',' && !IsBlank(static_cast<unsigned char>(p[3]))) return 0;
            p = SkipBlanks(p + 4);
        }
    }
    if (!monthFirst) {
        const int day = DecimalAt(p);
        if (day < 1 || day > 31) return 0;
        fields.tm_mday = day;
        p = SkipBlanks(SkipDigits(p));
    }
    // The month: a run of at least three letters that begins its name.
    size_t run = 0;
    while (IsLetter(static_cast<unsigned char>(p[run]))) run++;
    if (run < 3) return 0;
    int month = -1;
    for (int i = 0; i < 12 && month < 0; i++)
        if (run <= std::strlen(kMonthNames[i]) && SameLetters(p, kMonthNames[i], run)) month = i;
    if (month < 0) return 0;
    fields.tm_mon = month;
    p = SkipBlanks(p + run);
    if (monthFirst) {
        const int day = DecimalAt(p);
        if (day < 1 || day > 31) return 0;
        fields.tm_mday = day;
        p = SkipDigits(p);
        while (*p && !IsDigit(static_cast<unsigned char>(*p))) p++;
    }
    const int year = DecimalAt(p);
    fields.tm_year = year > 1900 ? year - 1900 : year;
    p = SkipDigits(p);
    if (*p) {
        p = SkipBlanks(p);
        unsigned hours = 0, minutes = 0, seconds = 0;
        std::sscanf(p, "%u:%u:%u", &hours, &minutes, &seconds);
        fields.tm_hour = static_cast<int>(hours);
        fields.tm_min = static_cast<int>(minutes);
        fields.tm_sec = static_cast<int>(seconds);
        while (*p && !IsBlank(static_cast<unsigned char>(*p))) p++;
        p = SkipBlanks(p);
        if (*p == '-' || IsDigit(static_cast<unsigned char>(*p))) {
            // A numeric zone such as -0500 moves the time by its hours
            // and minutes.
            const int zone = DecimalAt(p);
            fields.tm_hour += zone / 100;
            fields.tm_min += zone % 100;
        }
    }
    return LocalSeconds(&fields);
}

int FormatGMT(int32_t seconds, char *buffer, size_t size) {
    std::tm f;
    if (!buffer || !UtcFields(seconds, &f)) return 0;
    if (f.tm_wday < 0 || f.tm_wday > 6 || size <= 5) return 0;
    size_t used = 0;
    int n = std::snprintf(buffer, size, "%s, ", kDayNames[f.tm_wday]);
    used += static_cast<size_t>(n);
    char piece[16];
    n = std::snprintf(piece, sizeof piece, "%d ", f.tm_mday);
    if (!Fits(used, n, size)) return 0;
    std::memcpy(buffer + used, piece, static_cast<size_t>(n) + 1);
    used += static_cast<size_t>(n);
    if (f.tm_mon < 0 || f.tm_mon > 11) return 0;
    n = std::snprintf(piece, sizeof piece, "%.3s ", kMonthNames[f.tm_mon]);
    if (!Fits(used, n, size)) return 0;
    std::memcpy(buffer + used, piece, static_cast<size_t>(n) + 1);
    used += static_cast<size_t>(n);
    const int clock[4] = {f.tm_year + 1900, f.tm_hour, f.tm_min, f.tm_sec};
    const char *const after[4] = {" ", ":", ":", " GMT"};
    for (int i = 0; i < 4; i++) {
        n = std::snprintf(piece, sizeof piece, i == 0 || clock[i] >= 10 ? "%d%s" : "0%d%s", clock[i], after[i]);
        if (!Fits(used, n, size)) return 0;
        std::memcpy(buffer + used, piece, static_cast<size_t>(n) + 1);
        used += static_cast<size_t>(n);
    }
    return 1;
}

const char *FormatDateValue(JsValue *value) {
    if (!value || !value->IsNumber() || value->IsNaN()) return nullptr;
    int32_t seconds;
    std::tm local;
    if (!CalendarSeconds(value->ToNumber(), &seconds) || !LocalFields(seconds, &local)) return nullptr;
    return FormatGMT(seconds, g_dateText, kDateTextSize) ? g_dateText : nullptr;
}
