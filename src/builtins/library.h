// The natives the engine computes itself: string methods, Math functions,
// global functions and date methods. Each answers a new value (refs 0), a
// shared value, an argument itself, or null for no value.
#ifndef DURIZ_BUILTINS_LIBRARY_H
#define DURIZ_BUILTINS_LIBRARY_H

#include "builtins/natives.h"
#include "values/value.h"

JsValue *StringMethod(const NativeCall &call);    // 1026-1045
JsValue *MathFunction(const NativeCall &call);    // 1047-1063
JsValue *GlobalFunction(const NativeCall &call);  // parseInt, parseFloat, escape, unescape, isNaN
JsValue *DateMethod(const NativeCall &call);      // 1064-1083

// An argument that is there and is not null.
inline bool Given(JsValue *value) { return value && !value->IsNull(); }

#endif
