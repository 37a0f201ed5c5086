#include "values/calendar.h"

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

int32_t LocalSeconds(std::tm *fields) {
    const std::time_t t = std::mktime(fields);
    if (t == static_cast<std::time_t>(-1)) return -1;
    const double s = static_cast<double>(t);
    if (s < kFirstCalendarSecond || s > kLastCalendarSecond) return -1;
    return static_cast<int32_t>(t);
}

int32_t CurrentSeconds() {
    const double now = static_cast<double>(std::time(nullptr));
    if (now < 0.0) return 0;
    return now > kLastCalendarSecond ? static_cast<int32_t>(kLastCalendarSecond) : static_cast<int32_t>(now);
}

long ZoneSecondsWest() {
#ifdef _WIN32
    _tzset();
    long west = 0;
    _get_timezone(&west);
    return west;
#else
    tzset();
    return timezone;
#endif
}

bool LocaleDateTime(const std::tm &fields, char buffer[100]) {
#ifdef _WIN32
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(fields.tm_year + 1900);
    st.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    st.wDay = static_cast<WORD>(fields.tm_mday);
    st.wHour = static_cast<WORD>(fields.tm_hour);
    st.wMinute = static_cast<WORD>(fields.tm_min);
    st.wSecond = static_cast<WORD>(fields.tm_sec);
    st.wMilliseconds = 0;
    const int n = GetDateFormatA(0x400, 0, &st, nullptr, buffer, 90);
    if (n <= 0) return false;
    buffer[n - 1] = ' ';
    return GetTimeFormatA(0x400, 0, &st, nullptr, buffer + n, 100 - n) > 0;
#else
    const size_t n = std::strftime(buffer, 90, "%x", &fields);
    if (n == 0) return false;
    buffer[n] = ' ';
    return std::strftime(buffer + n + 1, 100 - n - 1, "%X", &fields) > 0;
#endif
}
