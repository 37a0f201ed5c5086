// The calendar layer: whole seconds of calendar time and their broken-down
// local and UTC fields, through the C library.
//
// Calendar time is a signed 32-bit count of seconds on every platform: a
// wider time_t is not used beyond that range, so a script sees the same
// dates, and the same failures, on every build. Fields are converted
// from seconds only from the epoch (1 January 1970 00:00:00 UTC) to 2^31 - 1
// (19 January 2038 03:14:07 UTC); mktime answers seconds from -2^31
// (13 December 1901) to 2^31 - 1 and -1 (failure) beyond them.
#ifndef DURIZ_VALUES_CALENDAR_H
#define DURIZ_VALUES_CALENDAR_H

#include <cstdint>
#include <ctime>

constexpr double kFirstCalendarSecond = -2147483648.0;
constexpr double kLastCalendarSecond = 2147483647.0;

// Seconds of a time value in milliseconds, truncated toward zero; false
// when they are outside the calendar range (negative, too large or not a
// number).
bool CalendarSeconds(double milliseconds, int32_t *seconds);
// The local fields of a second; false outside the calendar range.
bool LocalFields(int32_t seconds, std::tm *fields);
// The UTC fields of a second; false outside the calendar range.
bool UtcFields(int32_t seconds, std::tm *fields);
// mktime: the fields as local time, normalised, in seconds; -1 when the
// result is outside the 32-bit range.
int32_t LocalSeconds(std::tm *fields);
// The current calendar time in seconds.
int32_t CurrentSeconds();
// Seconds west of UTC of the local zone, daylight saving not counted.
long ZoneSecondsWest();
// The locale's date text and time text of the fields, joined by one
// blank, into a 100-byte buffer; the date text may take at most 89 bytes.
// False when either text cannot be made.
bool LocaleDateTime(const std::tm &fields, char buffer[100]);

#endif
