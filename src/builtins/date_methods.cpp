// The Date methods: getters and setters of the local calendar fields, the
// time value itself, the text forms, parse and UTC.
#include <cstdint>
#include <ctime>

#include "builtins/library.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/calendar.h"
#include "values/date.h"
#include "values/object.h"

namespace {

JsObject *DateObject(JsValue *thisValue) {
    if (!thisValue || !thisValue->IsObject()) return nullptr;
    JsObject *o = static_cast<JsObject *>(thisValue);
    return o->internal ? o : nullptr;
}

bool Fields(JsObject *date, std::tm *fields) {
    int32_t seconds;
    return CalendarSeconds(date->internal->ToNumber(), &seconds) && LocalFields(seconds, fields);
}

bool IsGetter(int32_t id) { return (id >= DURIZ_NATIVE_DATE_GETDATE && id <= DURIZ_NATIVE_DATE_GETYEAR); }

JsValue *Getter(JsObject *date, int32_t id) {
    if (id == DURIZ_NATIVE_DATE_GETTIME) return MakeNumber(date->internal->ToNumber());
    std::tm f;
    if (!Fields(date, &f)) return g_shared.nullValue;
    switch (id) {
    case DURIZ_NATIVE_DATE_GETDATE: return MakeNumber(f.tm_mday);
    case DURIZ_NATIVE_DATE_GETDAY: return MakeNumber(f.tm_wday);
    case DURIZ_NATIVE_DATE_GETHOURS: return MakeNumber(f.tm_hour);
    case DURIZ_NATIVE_DATE_GETMINUTES: return MakeNumber(f.tm_min);
    case DURIZ_NATIVE_DATE_GETMONTH: return MakeNumber(f.tm_mon);
    case DURIZ_NATIVE_DATE_GETSECONDS: return MakeNumber(f.tm_sec);
    default: return MakeNumber(f.tm_year);
    }
}

// A setter replaces one local field and stores the normalised time; its
// result is always null.
JsValue *Setter(JsObject *date, const NativeCall &call) {
    JsValue *a = call.Arg(1);
    if (!a) return g_shared.nullValue;
    const double v = a->ToNumber();
    double time;
    if (call.id == DURIZ_NATIVE_DATE_SETTIME) {
        time = v;
    } else {
        int32_t n = IntegerView(v);
        if (n < 0) n = 0;
        std::tm f;
        if (!Fields(date, &f)) return g_shared.nullValue;
        switch (call.id) {
        case DURIZ_NATIVE_DATE_SETDATE: f.tm_mday = n > 31 ? 31 : n; break;
        case DURIZ_NATIVE_DATE_SETHOURS: f.tm_hour = n > 23 ? 23 : n; break;
        case DURIZ_NATIVE_DATE_SETMINUTES: f.tm_min = n > 59 ? 59 : n; break;
        case DURIZ_NATIVE_DATE_SETMONTH: f.tm_mon = n > 11 ? 11 : n; break;
        case DURIZ_NATIVE_DATE_SETSECONDS: f.tm_sec = n > 59 ? 59 : n; break;
        default: f.tm_year = n <= 99 ? n : n - 1900; break;
        }
        time = LocalSeconds(&f) * 1000.0;
    }
    JsNumber *value = MakeNumber(time);
    if (value) AssignRef(&date->internal, value);
    return g_shared.nullValue;
}

JsValue *LocaleText(JsObject *date) {
    std::tm f;
    if (!Fields(date, &f)) return nullptr;
    char buffer[100];
    return LocaleDateTime(f, buffer) ? JsString::Make(buffer) : nullptr;
}

}  // namespace

JsValue *DateMethod(const NativeCall &call) {
    switch (call.id) {
    case DURIZ_NATIVE_DATE_GETTIMEZONEOFFSET: return MakeNumber(static_cast<double>(ZoneSecondsWest() / 60));
    case DURIZ_NATIVE_DATE_PARSE: {
        JsValue *a = call.Arg(1);
        if (!a) return g_shared.nullValue;
        return MakeNumber(ParseDate(a->ToText()) * 1000.0);
    }
    case DURIZ_NATIVE_DATE_UTC: return MakeNumber(DateFromParts(call.args));
    default: break;
    }
    JsObject *date = DateObject(call.thisValue);
    const bool getter = IsGetter(call.id);
    const bool text = call.id == DURIZ_NATIVE_DATE_TOGMTSTRING || call.id == DURIZ_NATIVE_DATE_TOLOCALESTRING;
    if (!date) return getter || text ? nullptr : g_shared.nullValue;
    if (getter) return Getter(date, call.id);
    if (call.id == DURIZ_NATIVE_DATE_TOGMTSTRING) {
        const char *gmt = FormatDateValue(date->internal);
        return gmt ? JsString::Make(gmt) : nullptr;
    }
    if (call.id == DURIZ_NATIVE_DATE_TOLOCALESTRING) return LocaleText(date);
    return Setter(date, call);
}
