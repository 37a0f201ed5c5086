// Function values: script functions carry a compiled definition, built-in
// functions only their native id (1000-1116) or constructor id (2000-2033).
#ifndef DURIZ_BUILTINS_FUNCTION_H
#define DURIZ_BUILTINS_FUNCTION_H

#include <cstdint>

#include "values/value.h"

class JsObject;
class JsToken;
struct JsScript;

class JsFunction : public JsValue {
public:
    int32_t id = 0;
    JsObject *prototype = nullptr;  // counted
    JsObject *members = nullptr;    // counted
    JsToken *definition = nullptr;  // not owned
    JsScript *script = nullptr;     // counted through the script's refs
    JsObject *owner = nullptr;      // counted

    // A native function or constructor with the given id.
    static JsFunction *MakeNative(int32_t id);
    ~JsFunction() override;

    const char *ToText() override;
    int IsFunction() override { return 1; }
    JsString *TypeName() override;
    JsValue *AsFunction() override { return this; }

    // The object that new gives as prototype: the own one, else the shared
    // prototype of a built-in constructor.
    JsObject *Prototype();
};

// The shared function value of a native or constructor id, or null.
JsFunction *NativeFunction(int id);

#endif
