// Dates: time values (milliseconds since 1 January 1970 00:00:00 UTC, held
// as a Date object's internal number), how the constructor computes them,
// the date text parser and the GMT text a Date prints as.
#ifndef DURIZ_VALUES_DATE_H
#define DURIZ_VALUES_DATE_H

#include <cstddef>
#include <cstdint>

struct JsValue;
class JsObject;

// The time value for new Date(...) with this argument list (null: none).
double DateFromArguments(JsObject *arguments);
// Year, month, day[, hours, minutes, seconds] as local time, in
// milliseconds; 0 for fewer than 3 or more than 6 parts, -1000 when the
// parts cannot be converted.
double DateFromParts(JsObject *arguments);
// A date text in seconds as local time; 0 when it does not parse, -1 when
// the date cannot be converted.
int32_t ParseDate(const char *text);
// The GMT text of a time value in the shared date text buffer, or null.
const char *FormatDateValue(JsValue *value);
// Writes the GMT text of a second into buffer; 1 on success, 0 when the
// text does not fit or the fields are out of range.
int FormatGMT(int32_t seconds, char *buffer, size_t size);

// The number of arguments of an argument list (null: 0).
int ArgumentCount(JsObject *arguments);

constexpr size_t kDateTextSize = 31;
extern char g_dateText[kDateTextSize];

#endif
