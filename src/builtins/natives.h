// The native dispatcher: every call of a built-in function lands here with
// its call frame, and is computed by the engine or forwarded to the host.
#ifndef DURIZ_BUILTINS_NATIVES_H
#define DURIZ_BUILTINS_NATIVES_H

#include <cstdint>

struct JsValue;
struct JsScript;
struct JsEvalContext;
class JsFrame;
class JsObject;

// Runs the native function of the frame. Answers a new value (refs 0), a
// shared or host-owned value, or null for no value. *code is set to null,
// and only eval fills it with a compiled script for the caller to run.
JsValue *CallNative(JsEvalContext *context, JsFrame *frame, JsScript **code);

// What a native call sees of its frame.
struct NativeCall {
    JsEvalContext *context;
    int32_t id;
    JsValue *thisValue;  // may be null
    JsObject *args;      // may be null
    // The arguments as values instead of a list (args null).
    JsValue *const *values = nullptr;
    int32_t valueCount = 0;
    // The i-th argument (1-based), or null when missing.
    JsValue *Arg(int i) const;
};

// The built-ins that read their arguments one by one only and ask nothing
// of the host themselves: Math's functions, the string methods and the
// global conversions.
bool IsLoneNative(int32_t id);
// Calls such a built-in (others give null) with the values its argument
// list's slots would hold, count of them.
JsValue *CallNativeWith(JsEvalContext *context, int32_t id, JsValue *thisValue, JsValue *const *values,
                        int32_t count);

#endif
