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
    // The i-th argument (1-based), or null when missing.
    JsValue *Arg(int i) const;
};

#endif
