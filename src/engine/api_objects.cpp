// The exports for the host's objects: creating and registering them,
// reading members back, event handlers and references.
#include "builtins/function.h"
#include "builtins/host_object.h"
#include "compiler/parser.h"
#include "compiler/script.h"
#include "duriz.h"
#include "engine/api_internal.h"
#include "values/array.h"
#include "values/cycles.h"

namespace {

// Getters hand out borrowed values. One that was made for the answer (a
// host scalar read as a new string, say) is kept alive here until the next
// answer, so that it neither leaks nor dies before the host has read it.
JsValue *g_lastAnswer = nullptr;

JsValue *Answer(JsValue *value) {
    JsValue *previous = g_lastAnswer;
    g_lastAnswer = nullptr;
    if (value && value->refs == 0) {
        value->refs = 1;
        g_lastAnswer = value;
    }
    ReleaseRef(previous);
    return value;
}

// A member for the two object getters: by 1-based position among the own
// properties, or by name index of a host object's member.
JsValue *MemberOf(JsValue *object, int key, int byPosition) {
    JsObject *o = AsObject(object);
    if (!o) return nullptr;
    if (byPosition) return o->ValueAt(key <= 1 ? 0 : key - 1);
    if (!o->IsHostObject()) return nullptr;
    return Answer(o->GetMember(key));
}

// A value's text as the host gets it: a string's stays as it is while the
// host keeps it, even when a script adds to the string.
const char *HostText(JsValue *value) {
    if (!value) return nullptr;
    return value->IsString() ? static_cast<JsString *>(value)->TextForHost() : value->ToText();
}

}  // namespace

void ReleaseLastAnswer() { Answer(nullptr); }

extern "C" {

JsValue *DURIZ_CALL JS_CreateObject(int classNumber, uint32_t handle, JsValue *owner) {
    EngineEntry entry;
    JsValue *object = JsHostObject::Make(classNumber, handle, owner);
    if (object) object->refs++;
    return object;
}

void DURIZ_CALL JS_DeleteObject(JsValue *value) {
    if (!value) return;
    EngineEntry entry;
    JsObject *object = AsObject(value);
    if (object && object->IsHostObject()) {
        // A page's window or document given back: the values of the page
        // that hold each other go with it.
        JsHostObject *host = static_cast<JsHostObject *>(object);
        if (host->classNumber == DURIZ_CLASS_WINDOW || host->classNumber == DURIZ_CLASS_DOCUMENT) {
            host->givenBack = true;
            CollectSoon();
        }
    }
    ReleaseRef(value);
}

JsValue *DURIZ_CALL JS_AddObjectIdx(JsValue *parent, int nameIndex, int classNumber, int, uint32_t handle,
                                    JsValue *object) {
    if (!parent || !parent->HasClass()) return nullptr;
    EngineEntry entry;
    JsValue *member = static_cast<JsClassObject *>(parent)->GetMember(nameIndex);
    if (!member || !member->HasClass() || static_cast<JsClassObject *>(member)->ClassNumber() != DURIZ_CLASS_ARRAY) {
        DropIfUnowned(member);
        return nullptr;
    }
    JsValue *made = nullptr;
    if (!object) {
        made = JsHostObject::Make(classNumber, handle, nullptr);
        if (!made) return nullptr;
        object = made;
    }
    if (!static_cast<JsArray *>(member)->AppendElement(object)) {
        DropIfUnowned(made);
        return nullptr;
    }
    return object;
}

JsValue *DURIZ_CALL JS_GetObjectByName(JsValue *object, const char *name) {
    JsObject *o = AsObject(object);
    if (!o || !name) return nullptr;
    EngineEntry entry;
    return Answer(o->GetProperty(name));
}

JsValue *DURIZ_CALL JS_GetObjectHandleValue(JsValue *object, int key, int byPosition) {
    EngineEntry entry;
    JsValue *member = MemberOf(object, key, byPosition);
    return member && member->IsObject() ? member : nullptr;
}

const char *DURIZ_CALL JS_GetObjectStringValue(JsValue *object, int key, int byPosition) {
    EngineEntry entry;
    JsValue *member = MemberOf(object, key, byPosition);
    return HostText(member);
}

const char *DURIZ_CALL JS_GetStringValue(JsValue *value) { return HostText(value); }

JsValue *DURIZ_CALL JS_LoadEventHandler(int id, const char *text, int length, JsValue *object) {
    EngineEntry entry;
    JsScript *script = JsScript::Create(0, 1);
    if (!script) return nullptr;
    const char *position = text ? text : "";
    const char *end = position + (text && length > 0 ? length : 0);
    if (Compile(script, &position, end, 0) != RC_OK) {
        JsScript::Release(script);
        return nullptr;
    }
    JsEventHandler *handler = JsEventHandler::Make(id, script, AsObject(object));
    JsScript::Release(script);  // the handler holds it from here
    if (!handler) return nullptr;
    handler->refs = 1;
    return handler;
}

JsValue *DURIZ_CALL JS_NewInstance(JsValue *value) {
    if (value) value->refs++;
    return value;
}

}  // extern "C"
