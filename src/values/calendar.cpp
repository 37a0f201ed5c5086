#include "values/calendar.h"

#include <clocale>
#include <cmath>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

bool CalendarSeconds(double milliseconds, int32_t *seconds) {
    const double s = std::trunc(milliseconds * 0.001);
    if (!(s >= 0.0 && s <= kLastCalendarSecond)) return false;
    *seconds = static_cast<int32_t>(s);
    return true;
}

bool LocalFields(int32_t seconds, std::tm *fields) {
    if (seconds < 0) return false;
    const std::time_t t = seconds;
#ifdef _WIN32
    return localtime_s(fields, &t) == 0;
#else
    return localtime_r(&t, fields) != nullptr;
#endif
}

bool UtcFields(int32_t seconds, std::tm *fields) {
    if (seconds < 0) return false;
    const std::time_t t = seconds;
#ifdef _WIN32
    return gmtime_s(fields, &t) == 0;
#else
    return gmtime_r(&t, fields) != nullptr;
#endif
}

#ifdef _WIN32
namespace {

// Days from 1970-01-01 to the first of a month of the proleptic Gregorian
// calendar (month 0-11).
int64_t DaysBeforeMonth(int64_t year, int month) {
    static const int kCumulative[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int64_t y = year - 1;  // leap days before this year
    int64_t days = (year - 1970) * 365 + (y / 4 - y / 100 + y / 400) - (1969 / 4 - 1969 / 100 + 1969 / 400);
    days += kCumulative[month];
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (leap && month > 1) days++;
    return days;
}

// The Windows C runtime's mktime stops at 1970. Earlier local times are
// counted here the way the C library elsewhere counts them in a zone
// without rules for those years: at the zone's standard offset, an hour
// less when the fields say daylight saving.
double EarlyLocalSeconds(const std::tm &f) {
    int64_t year = 1900 + static_cast<int64_t>(f.tm_year);
    int64_t month = f.tm_mon;
    year += month >= 0 ? month / 12 : -((11 - month) / 12);
    month -= (year - 1900 - f.tm_year) * 12;
    const int64_t days = DaysBeforeMonth(year, static_cast<int>(month)) + f.tm_mday - 1;
    double seconds = static_cast<double>(days) * 86400.0 + f.tm_hour * 3600.0 + f.tm_min * 60.0 + f.tm_sec;
    seconds += static_cast<double>(ZoneSecondsWest());
    if (f.tm_isdst > 0) seconds -= 3600.0;
    return seconds;
}

}  // namespace
#endif

int32_t LocalSeconds(std::tm *fields) {
    const std::time_t t = std::mktime(fields);
    double s = static_cast<double>(t);
    if (t == static_cast<std::time_t>(-1)) {
#ifdef _WIN32
        s = EarlyLocalSeconds(*fields);
        if (s >= 0.0) return -1;
#else
        return -1;
#endif
    }
    if (s < kFirstCalendarSecond || s > kLastCalendarSecond) return -1;
    return static_cast<int32_t>(s);
}

int32_t CurrentSeconds() {
    const double now = static_cast<double>(std::time(nullptr));
    if (now < 0.0) return 0;
    return now > kLastCalendarSecond ? static_cast<int32_t>(kLastCalendarSecond) : static_cast<int32_t>(now);
}

long ZoneSecondsWest() {
#ifdef _WIN32
    _tzset();
    return _timezone;  // the system C runtime has no _get_timezone
#else
    tzset();
    return timezone;
#endif
}

bool LocaleDateTime(const std::tm &fields, char buffer[100]) {
#ifdef _WIN32
    // In the C locale the texts are the C locale's (as strftime's %x and %X
    // give them elsewhere); in any other, the user's locale's.
    const char *locale = std::setlocale(LC_TIME, nullptr);
    const bool plain = locale && std::strcmp(locale, "C") == 0;
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(fields.tm_year + 1900);
    st.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    st.wDay = static_cast<WORD>(fields.tm_mday);
    st.wHour = static_cast<WORD>(fields.tm_hour);
    st.wMinute = static_cast<WORD>(fields.tm_min);
    st.wSecond = static_cast<WORD>(fields.tm_sec);
    st.wMilliseconds = 0;
    const int n = GetDateFormatA(0x400, 0, &st, plain ? "MM'/'dd'/'yy" : nullptr, buffer, 90);
    if (n <= 0) return false;
    buffer[n - 1] = ' ';
    return GetTimeFormatA(0x400, 0, &st, plain ? "HH':'mm':'ss" : nullptr, buffer + n, 100 - n) > 0;
#else
    const size_t n = std::strftime(buffer, 90, "%x", &fields);
    if (n == 0) return false;
    buffer[n] = ' ';
    return std::strftime(buffer + n + 1, 100 - n - 1, "%X", &fields) > 0;
#endif
}
