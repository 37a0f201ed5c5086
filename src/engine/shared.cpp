#include "engine/shared.h"

#include <initializer_list>

#include "builtins/class_objects.h"
#include "builtins/function.h"
#include "builtins/host_object.h"
#include "compiler/token.h"
#include "duriz.h"
#include "interp/frame.h"
#include "values/object.h"

SharedValues g_shared = {};

namespace {

template <typename T>
T *Hold(T *value, bool &ok) {
    if (value) {
        value->refs = 1;
    } else {
        ok = false;
    }
    return value;
}

template <typename T>
void Drop(T *&value) {
    if (value) value->Destroy(1);
    value = nullptr;
}

}  // namespace

bool CreateSharedValues() {
    bool ok = true;
    SharedValues &s = g_shared;
    s = SharedValues{};
    for (int i = 0; i < kConstructorCount; i++) {
        s.constructors[i] = Hold(JsFunction::MakeNative(kFirstConstructorId + i), ok);
        s.prototypes[i] = nullptr;
    }
    for (int classNumber : {DURIZ_CLASS_OBJECT, DURIZ_CLASS_STRING, DURIZ_CLASS_MATH, DURIZ_CLASS_DATE,
                            DURIZ_CLASS_NUMBER})
        s.prototypes[classNumber] = Hold(MakeClassObject(classNumber), ok);
    for (int i = 0; i < kNativeCount; i++) s.natives[i] = Hold(JsFunction::MakeNative(kFirstNativeId + i), ok);
    s.trueValue = Hold(new JsBoolean(1), ok);
    s.falseValue = Hold(new JsBoolean(0), ok);
    s.undefinedValue = Hold(new JsUndefined(), ok);
    s.nullValue = Hold(new JsNull(), ok);
    s.minusOne = Hold(new JsNumber(-1.0), ok);
    s.one = Hold(new JsNumber(1.0), ok);
    s.zero = Hold(new JsNumber(0.0), ok);
    s.emptyString = Hold(JsString::Make(""), ok);
    s.typeString = Hold(JsString::Make("string"), ok);
    s.typeBoolean = Hold(JsString::Make("boolean"), ok);
    s.typeNumber = Hold(JsString::Make("number"), ok);
    s.typeNull = Hold(JsString::Make("null"), ok);
    s.typeUndefined = Hold(JsString::Make("undefined"), ok);
    s.typeObject = Hold(JsString::Make("object"), ok);
    s.typeFunction = Hold(JsString::Make("function"), ok);
    s.document = Hold(static_cast<JsObject *>(JsHostObject::Make(DURIZ_CLASS_DOCUMENT, 0, nullptr)), ok);
    s.noLocals = Hold(new JsObject(), ok);
    s.nativeBody = JsToken::Make(TK_NATIVE_BODY, nullptr, -1);
    if (!s.nativeBody) ok = false;
    if (!ok) DestroySharedValues();
    return ok;
}

void DestroySharedValues() {
    SharedValues &s = g_shared;
    // Slots that scripts added to the shared class objects, and the argument
    // lists the shared functions keep, may hold shared values, which go
    // first below: empty them while everything they refer to is still alive.
    for (JsFunction *function : s.natives)
        if (function) function->DropKeptLists();
    for (JsFunction *function : s.constructors)
        if (function) function->DropKeptLists();
    for (JsObject *prototype : s.prototypes) {
        if (!prototype) continue;
        prototype->DropIndex();
        prototype->slotCount = 0;
        while (JsListNode *slot = prototype->properties.First()) {
            slot->Unlink();
            delete slot;
        }
    }
    FramePoolDestroy();
    delete s.nativeBody;
    s.nativeBody = nullptr;
    Drop(s.document);
    Drop(s.noLocals);
    Drop(s.trueValue);
    Drop(s.falseValue);
    Drop(s.undefinedValue);
    Drop(s.nullValue);
    Drop(s.minusOne);
    Drop(s.one);
    Drop(s.zero);
    Drop(s.emptyString);
    Drop(s.typeString);
    Drop(s.typeBoolean);
    Drop(s.typeNumber);
    Drop(s.typeNull);
    Drop(s.typeUndefined);
    Drop(s.typeObject);
    Drop(s.typeFunction);
    for (int i = 0; i < kConstructorCount; i++) {
        Drop(s.constructors[i]);
        Drop(s.prototypes[i]);
    }
    for (JsFunction *&native : s.natives) Drop(native);
    NumberPoolClear();
}
