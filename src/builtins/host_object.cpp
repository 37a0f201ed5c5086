// Host objects: member look-up and assignment through the host callbacks,
// the named look-ups of windows, documents, forms and element groups.
#include "builtins/host_object.h"

#include <cstdlib>
#include <cstring>

#include "builtins/function.h"
#include "builtins/host_members.h"
#include "builtins/names.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/callbacks.h"
#include "engine/shared.h"
#include "values/cycles.h"

namespace {

// Windows ask their frames, frames may answer with windows: named look-ups
// that loop back are cut off at this depth.
constexpr int kFindDepthLimit = 16;
int g_findDepth = 0;
constexpr int kFindCallLimit = 4096;
int g_findCalls = 0;

bool IsClassed(JsValue *value) { return value && value->HasClass(); }

JsClassObject *AsClassed(JsValue *value) { return IsClassed(value) ? static_cast<JsClassObject *>(value) : nullptr; }

// A name made of decimal digits only.
bool IsDecimal(const char *name) {
    if (!name || !*name) return false;
    for (const char *p = name; *p; p++)
        if (*p < '0' || *p > '9') return false;
    return true;
}

bool IsEventName(int nameIndex) {
    switch (nameIndex) {
    case DURIZ_NAME_ONBLUR: case DURIZ_NAME_ONCHANGE: case DURIZ_NAME_ONCLICK: case DURIZ_NAME_ONFOCUS:
    case DURIZ_NAME_ONRESET: case DURIZ_NAME_ONSUBMIT: case DURIZ_NAME_ONABORT: case DURIZ_NAME_ONLOAD:
    case DURIZ_NAME_ONUNLOAD: case DURIZ_NAME_ONMOUSEOVER: case DURIZ_NAME_ONMOUSEOUT:
        return true;
    default:
        return false;
    }
}

bool HasEventHandlers(int classNumber) {
    switch (classNumber) {
    case DURIZ_CLASS_BUTTON: case DURIZ_CLASS_CHECKBOX: case DURIZ_CLASS_PASSWORD: case DURIZ_CLASS_RADIO:
    case DURIZ_CLASS_RESET: case DURIZ_CLASS_SELECT: case DURIZ_CLASS_SUBMIT: case DURIZ_CLASS_TEXT:
    case DURIZ_CLASS_TEXTAREA: case DURIZ_CLASS_IMAGE: case DURIZ_CLASS_LINK:
        return true;
    default:
        return false;
    }
}

// The host kinds are the classes with a member table.
bool IsHostClass(int classNumber) { return HostMembersOf(classNumber) != nullptr; }

// The collection's element at a position, or none.
JsValue *ElementAt(JsObject *collection, long position) {
    if (!collection || position < 0 || position > INT32_MAX) return nullptr;
    return collection->ValueAt(static_cast<int>(position));
}

int ElementCount(JsObject *collection) { return collection ? collection->properties.Count() : 0; }

// A group hands members on to its element, which may itself be a group: a
// host can build a ring of groups, so the hand-over goes only so deep.
constexpr int kGroupDepthLimit = 16;
int g_groupDepth = 0;

struct GroupDepth {
    GroupDepth() { g_groupDepth++; }
    ~GroupDepth() { g_groupDepth--; }
    bool TooDeep() const { return g_groupDepth > kGroupDepthLimit; }
};

}  // namespace

JsValue *JsHostObject::Make(int classNumber, uint32_t handle, JsValue *owner) {
    if (classNumber == DURIZ_CLASS_ARRAY) return new JsHostArray();
    if (!IsHostClass(classNumber)) return nullptr;
    JsHostObject *object = new JsHostObject(classNumber, handle);
    if (!object) return nullptr;
    const int collections = CollectionCountOf(classNumber);
    for (int i = 0; i < collections; i++) {
        JsHostArray *collection = new JsHostArray();
        if (!collection) {
            delete object;
            return nullptr;
        }
        collection->refs = 1;
        object->collections[i] = collection;
    }
    if (classNumber == DURIZ_CLASS_DOCUMENT) AssignRef(&object->window, owner);
    return object;
}

void JsHostObject::ForEachReference(Visitor visit, void *context) {
    JsObject::ForEachReference(visit, context);
    for (JsHostArray *collection : collections) visit(collection, context);
    visit(window, context);
}

JsHostObject::~JsHostObject() {
    // A page's window or document has gone: what it held in cycles goes too.
    if (classNumber == DURIZ_CLASS_WINDOW || classNumber == DURIZ_CLASS_DOCUMENT) CollectSoon();
    for (JsHostArray *&collection : collections) {
        ReleaseHeld(collection);
        collection = nullptr;
    }
    ReleaseHeld(window);
    while (boundFunctions) boundFunctions->Unbind();
}

bool JsHostObject::DescribeMember(int nameIndex, MemberInfo *info) {
    return DescribeFound(FindHostMember(classNumber, nameIndex), info);
}

bool JsHostObject::DescribeFound(const HostMember *member, MemberInfo *info) {
    *info = MemberInfo{};
    if (!member) return false;
    info->writable = !member->readOnly;
    switch (member->kind) {
    case MK_SCALAR: break;
    case MK_HOST_OBJECT: info->hostObject = true; break;
    case MK_NATIVE: info->nativeId = member->extra; break;
    case MK_NULL: info->fixed = g_shared.nullValue; break;
    case MK_SELF: info->fixed = this; break;
    case MK_COLLECTION: info->fixed = collections[member->extra]; break;
    }
    return true;
}

JsObject *JsHostObject::GroupElements() { return collections[0]; }

JsValue *JsHostObject::GetMember(int nameIndex) {
    if (classNumber != DURIZ_CLASS_ELEMENT_GROUP || nameIndex < 0) return CommonGetMember(nameIndex);
    GroupDepth depth;
    if (depth.TooDeep()) return nullptr;
    JsObject *elements = GroupElements();
    if (nameIndex == DURIZ_NAME_ELEMENTS) return elements;
    if (nameIndex == DURIZ_NAME_NAME) {
        // The group's name is its first element's, whatever the count.
        JsClassObject *first = AsClassed(ElementAt(elements, 0));
        return first ? first->GetMember(nameIndex) : nullptr;
    }
    if (ElementCount(elements) != 1) return nullptr;
    JsClassObject *only = AsClassed(ElementAt(elements, 0));
    return only ? only->GetMember(nameIndex) : nullptr;
}

JsValue *JsHostObject::CommonGetMember(int nameIndex) {
    if (nameIndex < 0) return nullptr;
    if (classNumber == DURIZ_CLASS_WINDOW && nameIndex == DURIZ_NAME_CLOSED) {
        // The window is closed exactly when the host answers 0. A host
        // without the callback has no way to close one: it stays open.
        const char *text = nullptr;
        int32_t number = 0;
        closedCache = g_host.callHostMethod
                          ? g_host.callHostMethod(handle, 0, DURIZ_METHOD_CLOSED, nullptr, &text, &number) == 0
                          : 0;
        return new JsBoolean(closedCache);
    }
    // A built-in method is the same function whatever the object.
    const HostMember *member = FindHostMember(classNumber, nameIndex);
    if (member && member->kind == MK_NATIVE) return NativeFunction(member->extra);
    MemberInfo info;
    if (!DescribeFound(member, &info)) {
        switch (nameIndex) {
        case DURIZ_NAME_ASSIGN: return NativeFunction(DURIZ_NATIVE_HOST_ASSIGN);
        case DURIZ_NAME_EVAL: return NativeFunction(DURIZ_NATIVE_HOST_EVAL);
        case DURIZ_NAME_TOSTRING: return NativeFunction(DURIZ_NATIVE_HOST_TOSTRING);
        case DURIZ_NAME_VALUEOF: return NativeFunction(DURIZ_NATIVE_HOST_VALUEOF);
        default: return nullptr;
        }
    }
    if (info.fixed) return info.fixed;
    if (info.hostObject) {
        if (!g_host.getHostObject) return nullptr;
        return g_host.getHostObject(handle, nameIndex, classNumber);
    }
    if (!g_host.getHostProperty) return nullptr;
    const char *text = nullptr;
    int32_t number = 0;
    if (!g_host.getHostProperty(handle, nameIndex, classNumber, &text, &number)) return g_shared.nullValue;
    if (text) return JsString::Make(text);
    return MakeNumber(number);
}

JsValue *JsHostObject::PutMember(int nameIndex, JsValue *value, int op) {
    if (classNumber == DURIZ_CLASS_ELEMENT_GROUP && nameIndex >= 0) {
        GroupDepth depth;
        if (depth.TooDeep()) return nullptr;
        JsObject *elements = GroupElements();
        if (ElementCount(elements) == 1) {
            if (JsClassObject *only = AsClassed(ElementAt(elements, 0))) return only->PutMember(nameIndex, value, op);
        }
    }
    return CommonPutMember(nameIndex, value, op);
}

JsValue *JsHostObject::CommonPutMember(int nameIndex, JsValue *value, int op) {
    MemberInfo info;
    if (nameIndex < 0 || !value || !DescribeMember(nameIndex, &info) || !info.writable) return nullptr;
    if (info.nativeId >= 0) return ObjectPutProperty(NameText(nameIndex), value, op, op == TK_ASSIGN);
    if (!g_host.setHostProperty) return nullptr;
    const bool location = classNumber == DURIZ_CLASS_WINDOW && nameIndex == DURIZ_NAME_LOCATION;
    const char *text = !info.hostObject || location ? value->ToText() : nullptr;
    JsValue *handler = nullptr;
    if (info.hostObject) {
        handler = value;
        if (HasEventHandlers(classNumber) && IsEventName(nameIndex)) {
            // The host gets a handler of its own, copied from the function
            // assigned or from the one an object holds.
            JsValue *function = value->IsFunction() || value->HasClass() ? value->AsFunction() : nullptr;
            handler = function ? JsEventHandler::CopyOf(static_cast<JsFunction *>(function)) : nullptr;
        }
    }
    const char *answer = g_host.setHostProperty(handle, nameIndex, classNumber, text, handler, op);
    if (info.hostObject) return handler ? handler : value;
    return JsString::Make(answer);
}

const char *JsHostObject::HostValue() {
    if (!g_host.getHostProperty) return nullptr;
    const char *text = nullptr;
    int32_t number = 0;
    if (!g_host.getHostProperty(handle, DURIZ_NAME_OWN_VALUE, classNumber, &text, &number)) return nullptr;
    return text;
}

JsValue *JsHostObject::GetProperty(const char *name) {
    if (classNumber == DURIZ_CLASS_ELEMENT_GROUP && IsDecimal(name)) {
        if (JsValue *element = ElementAt(GroupElements(), std::atol(name))) return element;
    }
    return JsClassObject::GetProperty(name);
}

JsValue *JsHostObject::FindNamed(const char *name, int nameIndex) {
    if (!name || g_findDepth >= kFindDepthLimit) return nullptr;
    // A look-up also has a bound on its calls in all: objects a host put in
    // each other's collections could otherwise make it branch without end.
    if (g_findDepth == 0) g_findCalls = 0;
    if (++g_findCalls > kFindCallLimit) return nullptr;
    g_findDepth++;
    JsValue *found = nullptr;
    switch (classNumber) {
    case DURIZ_CLASS_WINDOW: {
        if (std::strcmp(name, "document") != 0) {
            if (JsClassObject *document = AsClassed(GetMember(DURIZ_NAME_DOCUMENT)))
                found = document->FindNamed(name, -1);
        }
        if (!found && std::strcmp(name, "frames") != 0) {
            JsValue *frames = GetMember(DURIZ_NAME_FRAMES);
            if (JsClassObject *classed = AsClassed(frames)) found = classed->GetProperty(name);
        }
        break;
    }
    case DURIZ_CLASS_DOCUMENT: {
        static const int kSearched[] = {3, 4, 5};  // forms, images, links
        for (int i : kSearched) {
            if ((found = collections[i]->FindNamed(name, nameIndex))) break;
        }
        for (JsProperty *slot = collections[3]->FirstProperty(); !found && slot; slot = slot->Next())
            if (JsClassObject *form = AsClassed(slot->value))
                if (form->ClassNumber() == DURIZ_CLASS_FORM) found = form->FindNamed(name, nameIndex);
        break;
    }
    case DURIZ_CLASS_FORM: {
        if (!IsDecimal(name)) {
            found = collections[0]->FindNamed(name, nameIndex);
            break;
        }
        // By position: a group of k elements covers k positions.
        long n = std::atol(name);
        for (JsProperty *slot = collections[0]->FirstProperty(); slot; slot = slot->Next()) {
            JsClassObject *element = AsClassed(slot->value);
            if (element && element->ClassNumber() == DURIZ_CLASS_ELEMENT_GROUP) {
                JsValue *members = element->GetMember(DURIZ_NAME_ELEMENTS);
                if (!members || !members->IsObject()) continue;
                const long k = ElementCount(static_cast<JsObject *>(members));
                if (n < k) {
                    found = ElementAt(static_cast<JsObject *>(members), n);
                    break;
                }
                n -= k;
            } else {
                if (n == 0) {
                    found = slot->value;
                    break;
                }
                n--;
            }
        }
        break;
    }
    case DURIZ_CLASS_SELECT:
    case DURIZ_CLASS_ELEMENT_GROUP:
        found = collections[0]->FindNamed(name, nameIndex);
        break;
    default:
        break;
    }
    g_findDepth--;
    return found;
}
