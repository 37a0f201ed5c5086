#include "builtins/class_objects.h"

#include "builtins/function.h"
#include "duriz.h"
#include "values/date.h"

namespace {

// Object: no members at all (not even the four every plain object has).
class JsObjectClass : public JsClassObject {
public:
    int ClassNumber() override { return DURIZ_CLASS_OBJECT; }
    JsValue *GetMember(int) override { return nullptr; }
};

class JsStringClass : public JsClassObject {
public:
    int ClassNumber() override { return DURIZ_CLASS_STRING; }
    JsValue *GetMember(int nameIndex) override {
        switch (nameIndex) {
        case DURIZ_NAME_ANCHOR: return NativeFunction(DURIZ_NATIVE_STRING_ANCHOR);
        case DURIZ_NAME_BIG: return NativeFunction(DURIZ_NATIVE_STRING_BIG);
        case DURIZ_NAME_BLINK: return NativeFunction(DURIZ_NATIVE_STRING_BLINK);
        case DURIZ_NAME_BOLD: return NativeFunction(DURIZ_NATIVE_STRING_BOLD);
        case DURIZ_NAME_CHARAT: return NativeFunction(DURIZ_NATIVE_STRING_CHARAT);
        case DURIZ_NAME_FIXED: return NativeFunction(DURIZ_NATIVE_STRING_FIXED);
        case DURIZ_NAME_FONTCOLOR: return NativeFunction(DURIZ_NATIVE_STRING_FONTCOLOR);
        case DURIZ_NAME_FONTSIZE: return NativeFunction(DURIZ_NATIVE_STRING_FONTSIZE);
        case DURIZ_NAME_INDEXOF: return NativeFunction(DURIZ_NATIVE_STRING_INDEXOF);
        case DURIZ_NAME_ITALICS: return NativeFunction(DURIZ_NATIVE_STRING_ITALICS);
        case DURIZ_NAME_LASTINDEXOF: return NativeFunction(DURIZ_NATIVE_STRING_LASTINDEXOF);
        case DURIZ_NAME_LINK: return NativeFunction(DURIZ_NATIVE_STRING_LINK);
        case DURIZ_NAME_SMALL: return NativeFunction(DURIZ_NATIVE_STRING_SMALL);
        case DURIZ_NAME_SPLIT: return NativeFunction(DURIZ_NATIVE_STRING_SPLIT);
        case DURIZ_NAME_STRIKE: return NativeFunction(DURIZ_NATIVE_STRING_STRIKE);
        case DURIZ_NAME_SUB: return NativeFunction(DURIZ_NATIVE_STRING_SUB);
        case DURIZ_NAME_SUBSTRING: return NativeFunction(DURIZ_NATIVE_STRING_SUBSTRING);
        case DURIZ_NAME_SUP: return NativeFunction(DURIZ_NATIVE_STRING_SUP);
        case DURIZ_NAME_TOLOWERCASE: return NativeFunction(DURIZ_NATIVE_STRING_TOLOWERCASE);
        case DURIZ_NAME_TOUPPERCASE: return NativeFunction(DURIZ_NATIVE_STRING_TOUPPERCASE);
        case DURIZ_NAME_VALUEOF: return NativeFunction(DURIZ_NATIVE_STRING_VALUEOF);
        default: return nullptr;
        }
    }
};

// Constants are new numbers on every read.
class JsNumberClass : public JsClassObject {
public:
    int ClassNumber() override { return DURIZ_CLASS_NUMBER; }
    JsValue *GetMember(int nameIndex) override {
        const double max = 1.7976931348623157e308;
        switch (nameIndex) {
        case DURIZ_NAME_NAN: return JsNumber::MakeNaN();
        case DURIZ_NAME_MAX_VALUE: return MakeNumber(max);
        case DURIZ_NAME_MIN_VALUE: return MakeNumber(2.2250738585072014e-308);
        case DURIZ_NAME_NEGATIVE_INFINITY: return MakeNumber(-max + -max);
        case DURIZ_NAME_POSITIVE_INFINITY: return MakeNumber(max + max);
        default: return nullptr;
        }
    }
};

class JsMathClass : public JsClassObject {
public:
    int ClassNumber() override { return DURIZ_CLASS_MATH; }
    JsValue *GetMember(int nameIndex) override {
        switch (nameIndex) {
        case DURIZ_NAME_E: return MakeNumber(2.71828);
        case DURIZ_NAME_PI: return MakeNumber(3.141592653589793);
        case DURIZ_NAME_LN2: return MakeNumber(0.6931471805599453);
        case DURIZ_NAME_LN10: return MakeNumber(2.302585092994046);
        case DURIZ_NAME_LOG2E: return MakeNumber(1.4426950408889634);
        case DURIZ_NAME_LOG10E: return MakeNumber(0.4342944819032518);
        case DURIZ_NAME_SQRT2: return MakeNumber(1.4142135623730951);
        case DURIZ_NAME_SQRT1_2: return MakeNumber(0.7071067811865476);
        case DURIZ_NAME_ABS: return NativeFunction(DURIZ_NATIVE_MATH_ABS);
        case DURIZ_NAME_ACOS: return NativeFunction(DURIZ_NATIVE_MATH_ACOS);
        case DURIZ_NAME_ASIN: return NativeFunction(DURIZ_NATIVE_MATH_ASIN);
        case DURIZ_NAME_ATAN: return NativeFunction(DURIZ_NATIVE_MATH_ATAN);
        case DURIZ_NAME_CEIL: return NativeFunction(DURIZ_NATIVE_MATH_CEIL);
        case DURIZ_NAME_COS: return NativeFunction(DURIZ_NATIVE_MATH_COS);
        case DURIZ_NAME_EXP: return NativeFunction(DURIZ_NATIVE_MATH_EXP);
        case DURIZ_NAME_FLOOR: return NativeFunction(DURIZ_NATIVE_MATH_FLOOR);
        case DURIZ_NAME_LOG: return NativeFunction(DURIZ_NATIVE_MATH_LOG);
        case DURIZ_NAME_MAX: return NativeFunction(DURIZ_NATIVE_MATH_MAX);
        case DURIZ_NAME_MIN: return NativeFunction(DURIZ_NATIVE_MATH_MIN);
        case DURIZ_NAME_POW: return NativeFunction(DURIZ_NATIVE_MATH_POW);
        case DURIZ_NAME_RANDOM: return NativeFunction(DURIZ_NATIVE_MATH_RANDOM);
        case DURIZ_NAME_ROUND: return NativeFunction(DURIZ_NATIVE_MATH_ROUND);
        case DURIZ_NAME_SIN: return NativeFunction(DURIZ_NATIVE_MATH_SIN);
        case DURIZ_NAME_SQRT: return NativeFunction(DURIZ_NATIVE_MATH_SQRT);
        case DURIZ_NAME_TAN: return NativeFunction(DURIZ_NATIVE_MATH_TAN);
        default: return nullptr;
        }
    }
};

// Date: the date methods, and the GMT text that a Date prints as.
class JsDateClass : public JsClassObject {
public:
    int ClassNumber() override { return DURIZ_CLASS_DATE; }
    const char *FormatValue(JsValue *value) override { return FormatDateValue(value); }
    JsValue *GetMember(int nameIndex) override {
        switch (nameIndex) {
        case DURIZ_NAME_GETDATE: return NativeFunction(DURIZ_NATIVE_DATE_GETDATE);
        case DURIZ_NAME_GETDAY: return NativeFunction(DURIZ_NATIVE_DATE_GETDAY);
        case DURIZ_NAME_GETHOURS: return NativeFunction(DURIZ_NATIVE_DATE_GETHOURS);
        case DURIZ_NAME_GETMINUTES: return NativeFunction(DURIZ_NATIVE_DATE_GETMINUTES);
        case DURIZ_NAME_GETMONTH: return NativeFunction(DURIZ_NATIVE_DATE_GETMONTH);
        case DURIZ_NAME_GETSECONDS: return NativeFunction(DURIZ_NATIVE_DATE_GETSECONDS);
        case DURIZ_NAME_GETTIME: return NativeFunction(DURIZ_NATIVE_DATE_GETTIME);
        case DURIZ_NAME_GETTIMEZONEOFFSET: return NativeFunction(DURIZ_NATIVE_DATE_GETTIMEZONEOFFSET);
        case DURIZ_NAME_GETYEAR: return NativeFunction(DURIZ_NATIVE_DATE_GETYEAR);
        case DURIZ_NAME_PARSE: return NativeFunction(DURIZ_NATIVE_DATE_PARSE);
        case DURIZ_NAME_SETDATE: return NativeFunction(DURIZ_NATIVE_DATE_SETDATE);
        case DURIZ_NAME_SETHOURS: return NativeFunction(DURIZ_NATIVE_DATE_SETHOURS);
        case DURIZ_NAME_SETMINUTES: return NativeFunction(DURIZ_NATIVE_DATE_SETMINUTES);
        case DURIZ_NAME_SETMONTH: return NativeFunction(DURIZ_NATIVE_DATE_SETMONTH);
        case DURIZ_NAME_SETSECONDS: return NativeFunction(DURIZ_NATIVE_DATE_SETSECONDS);
        case DURIZ_NAME_SETTIME: return NativeFunction(DURIZ_NATIVE_DATE_SETTIME);
        case DURIZ_NAME_SETYEAR: return NativeFunction(DURIZ_NATIVE_DATE_SETYEAR);
        case DURIZ_NAME_TOGMTSTRING: return NativeFunction(DURIZ_NATIVE_DATE_TOGMTSTRING);
        case DURIZ_NAME_TOLOCALESTRING: return NativeFunction(DURIZ_NATIVE_DATE_TOLOCALESTRING);
        case DURIZ_NAME_UTC: return NativeFunction(DURIZ_NATIVE_DATE_UTC);
        default: return nullptr;
        }
    }
};

}  // namespace

JsClassObject *MakeClassObject(int classNumber) {
    switch (classNumber) {
    case DURIZ_CLASS_OBJECT: return new JsObjectClass();
    case DURIZ_CLASS_STRING: return new JsStringClass();
    case DURIZ_CLASS_NUMBER: return new JsNumberClass();
    case DURIZ_CLASS_MATH: return new JsMathClass();
    case DURIZ_CLASS_DATE: return new JsDateClass();
    default: return nullptr;
    }
}
