// The engine-wide shared values and tables, made by JS_Init and destroyed
// by JS_Destroy. Each holds one reference from the engine.
#ifndef DURIZ_ENGINE_SHARED_H
#define DURIZ_ENGINE_SHARED_H

#include "builtins/names.h"

class JsBoolean;
class JsNull;
class JsUndefined;
class JsNumber;
class JsString;
class JsObject;
class JsFunction;
class JsToken;

struct SharedValues {
    JsFunction *constructors[kConstructorCount];
    JsObject *prototypes[kConstructorCount];
    JsFunction *natives[kNativeCount];
    JsBoolean *trueValue;
    JsBoolean *falseValue;
    JsUndefined *undefinedValue;
    JsNull *nullValue;
    JsNumber *minusOne;
    JsNumber *one;
    JsNumber *zero;
    JsString *emptyString;
    JsString *typeString;
    JsString *typeBoolean;
    JsString *typeNumber;
    JsString *typeNull;
    JsString *typeUndefined;
    JsString *typeObject;
    JsString *typeFunction;
    JsObject *document;  // a document without window or host handle
    // The locals of a call whose body declares nothing: no slot is ever
    // added to it, so every such call can share it.
    JsObject *noLocals;
    JsToken *nativeBody;
};

extern SharedValues g_shared;

// Creates every shared value and table in start-up order; answers false
// when memory ran out (what was made is destroyed again).
bool CreateSharedValues();
void DestroySharedValues();

#endif
