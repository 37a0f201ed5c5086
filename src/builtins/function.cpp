#include "builtins/function.h"

#include <cstring>

#include "compiler/script.h"
#include "compiler/token.h"
#include "engine/shared.h"
#include "values/object.h"

JsFunction *JsFunction::MakeNative(int32_t id) {
    JsFunction *f = new JsFunction();
    if (f) f->id = id;
    return f;
}

JsFunction::~JsFunction() {
    ReleaseHeld(prototype);
    ReleaseHeld(members);
    JsScript::Release(script);
    ReleaseHeld(owner);
}

const char *JsFunction::ToText() {
    static char text[1024];
    const JsToken *name = definition ? definition->FirstChild() : nullptr;
    if (id == 0 && name && name->code == TK_IDENT && name->text) {
        // "function NAME() {...}"; a very long name is cut to fit.
        size_t length = std::strlen(name->text);
        if (length > 1006) length = 1006;
        std::memcpy(text, "function ", 9);
        std::memcpy(text + 9, name->text, length);
        std::memcpy(text + 9 + length, "() {...}", 9);
        return text;
    }
    return g_shared.typeFunction->ToText();
}

JsString *JsFunction::TypeName() { return g_shared.typeFunction; }

JsObject *JsFunction::Prototype() {
    if (prototype) return prototype;
    if (id >= kFirstConstructorId && id < kFirstConstructorId + kConstructorCount)
        return g_shared.prototypes[id - kFirstConstructorId];
    return nullptr;
}

JsFunction *NativeFunction(int id) {
    if (id >= kFirstNativeId && id < kFirstNativeId + kNativeCount) return g_shared.natives[id - kFirstNativeId];
    if (id >= kFirstConstructorId && id < kFirstConstructorId + kConstructorCount)
        return g_shared.constructors[id - kFirstConstructorId];
    return nullptr;
}
