#include "values/object.h"
#include "values/property_index.h"
#include "values/array.h"
#include "values/date.h"

#include <cstdio>
#include <cstring>

#include "builtins/function.h"
#include "builtins/names.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/convert.h"
#include "values/cycles.h"
#include "values/slot_cache.h"

int g_lastFoundPosition = 0;

namespace {

// Prototype look-ups nest once per prototype object; a script that makes a
// prototype its own ancestor would otherwise loop forever.
int g_prototypeDepth = 0;
constexpr int kPrototypeDepthLimit = 64;

// A key's text as a property name, copied out of any shared buffer. A
// number key names its integer ("1.5" selects "1") unless asked for its
// text as it prints.
class KeyText {
public:
    explicit KeyText(JsValue *key, bool asPrinted = false) {
        const char *text = nullptr;
        if (key && key->IsNumber() && !asPrinted) {
            IntegerText(key->ToInteger(), small_);
            text_ = small_;
            return;
        }
        if (key) text = key->ToText();
        if (!text) return;
        size_t length = std::strlen(text);
        if (length < sizeof small_) {
            std::memcpy(small_, text, length + 1);
            text_ = small_;
        } else {
            heap_ = JsCopyText(text, length);
            text_ = heap_;
        }
    }
    ~KeyText() { JsFree(heap_); }
    const char *Text() const { return text_; }

private:
    char small_[64];
    char *heap_ = nullptr;
    const char *text_ = nullptr;
};

JsObject *PrototypeOf(JsValue *constructor) {
    return constructor ? static_cast<JsFunction *>(constructor)->Prototype() : nullptr;
}

}  // namespace

const char *g_hintText = nullptr;
int g_hintIndex = -1;

int NameIndexOf(const char *name) {
    if (!name) return -1;
    if (name == g_hintText) return g_hintIndex;
    return LookupName(name, std::strlen(name));
}

void NameIndexHint::Learn(JsToken *node) {
    node->id.nameIndex = static_cast<int16_t>(LookupName(node->text, std::strlen(node->text)));
    node->numberKnown |= JsToken::kNameIndexKnown;
    if (node->code == TK_IDENT && node->id.nameIndex < 0 && node->text[0] >= 'A') node->numberKnown |= JsToken::kPlainName;
}

// ---- slots ----

JsProperty *JsProperty::Make(const char *name) {
    // The name's copy lives right behind the slot, in the same block.
    const size_t length = name ? std::strlen(name) : 0;
    void *block = JsMalloc(sizeof(JsProperty) + length + 1);
    if (!block) return nullptr;
    char *copy = static_cast<char *>(block) + sizeof(JsProperty);
    if (length) std::memcpy(copy, name, length);
    copy[length] = 0;
    JsProperty *slot = new (block) JsProperty(copy);
    AssignRef(&slot->value, g_shared.nullValue);
    return slot;
}

JsProperty::~JsProperty() {
    ReleaseHeld(value);
    // The name goes with the slot's block.
}


// ---- objects ----

JsObject *JsObject::MakeConstructed(JsFunction *constructor, JsObject *arguments) {
    JsObject *object = new JsObject();
    if (!object) return nullptr;
    AssignRef(&object->constructor, constructor);
    if (constructor && constructor->id >= kFirstConstructorId + 1) object->Construct(constructor->id, arguments);
    return object;
}

JsObject::JsObject() { kind = VALUE_OBJECT; }

void JsObject::ForEachReference(Visitor visit, void *context) {
    for (JsListNode *node = properties.next; node != &properties; node = node->next)
        visit(static_cast<JsProperty *>(node)->value, context);
    visit(constructor, context);
    visit(internal, context);
}

JsObject::~JsObject() {
    DropIndex();
    while (JsListNode *slot = properties.First()) {
        slot->Unlink();
        delete slot;
    }
    ReleaseHeld(constructor);
    ReleaseHeld(internal);
}

const char *JsObject::ToText() {
    if (internal) {
        JsObject *prototype = PrototypeOf(constructor);
        if (prototype) {
            if (const char *text = prototype->FormatValue(internal)) return text;
        }
        return internal->ToText();
    }
    return g_shared.typeObject->ToText();
}

JsString *JsObject::TypeName() { return g_shared.typeObject; }

JsValue *JsObject::GetMember(int nameIndex) {
    switch (nameIndex) {
    case DURIZ_NAME_ASSIGN: return NativeFunction(DURIZ_NATIVE_HOST_ASSIGN);
    case DURIZ_NAME_EVAL: return NativeFunction(DURIZ_NATIVE_HOST_EVAL);
    case DURIZ_NAME_TOSTRING: return NativeFunction(DURIZ_NATIVE_HOST_TOSTRING);
    case DURIZ_NAME_VALUEOF: return NativeFunction(DURIZ_NATIVE_HOST_VALUEOF);
    default: return nullptr;
    }
}

JsProperty *JsObject::FindIndexedSlot(const char *name, int32_t *position) {
    if (!index) {
        // Build the index; without the memory the list is searched.
        uint32_t capacity = 32;
        while (capacity * 3 < static_cast<uint32_t>(slotCount) * 4) capacity *= 2;
        index = JsPropertyIndex::Make(capacity);
        int32_t at = 0;
        for (JsProperty *slot = FirstProperty(); index && slot; slot = slot->Next())
            if (!IndexAdd(&index, slot, ++at)) DropIndex();
    }
    return index ? index->Find(name, position) : SearchSlots(name, position);
}

void JsObject::AppendSlot(JsProperty *slot) {
    Spread();  // a new slot comes after the elements
    slot->AppendTo(properties);
    slotCount++;
    if (index && !IndexAdd(&index, slot, slotCount)) DropIndex();
    if (elementsByNumber) static_cast<JsArray *>(this)->NoteAppended(slot);
}

void JsObject::DropIndex() {
    JsPropertyIndex::Destroy(index);
    index = nullptr;
    identity = 0;
    if (elementsByNumber) static_cast<JsArray *>(this)->ForgetElements();
}

JsProperty *JsObject::FindAndRemember(const JsToken *site, int32_t *position, bool *searched) {
    // A classed object answers built-in names before its slots; element
    // names go to arrays and element groups first. Identifiers are neither.
    const char *name = site->text;
    *searched = false;
    if (!name || !name[0] || (name[0] >= '0' && name[0] <= '9')) return nullptr;
    if (HasClass() && NameIndexOf(name) >= 0) return nullptr;
    *searched = true;
    JsProperty *slot = FindSlot(name, position);
    if (!slot) return nullptr;
    if (!identity) identity = NewObjectIdentity();
    JsSlotCacheEntry &entry = SlotCacheEntryOf(site);
    entry.site = site;
    entry.identity = identity;
    entry.generation = g_treeGeneration;
    entry.slot = slot;
    entry.position = *position;
    return slot;
}

JsValue *JsObject::GetPropertyAtFirst(const JsToken *site) {
    NameIndexHint hint(const_cast<JsToken *>(site));
    int32_t position = 0;
    bool searched;
    if (JsProperty *slot = FindAndRemember(site, &position, &searched)) {
        g_lastFoundPosition = position;
        return slot->value;
    }
    // A plain object whose slots lack the name goes on as its own look-up
    // would after them.
    if (searched && !HasClass()) return PastOwnSlots(site->text, -2);
    return GetProperty(site->text);
}

JsValue *JsObject::PutPropertyAtFirst(const JsToken *site, JsValue *value, int op, int create) {
    int32_t position = 0;
    bool searched;
    if (JsProperty *slot = FindAndRemember(site, &position, &searched)) return ApplyToProperty(slot, value, op);
    if (searched && !HasClass()) return create ? AddNamedSlot(site->text, value, op) : nullptr;
    return PutProperty(site->text, value, op, create);
}

JsValue *JsObject::ObjectGetProperty(const char *name, int nameIndex) {
    int32_t position = 0;
    if (JsProperty *slot = FindSlot(name, &position)) {
        g_lastFoundPosition = position;
        return slot->value;
    }
    return PastOwnSlots(name, nameIndex);
}

JsValue *JsObject::PastOwnSlots(const char *name, int nameIndex) {
    g_lastFoundPosition = 0;
    if (JsObject *prototype = PrototypeOf(constructor)) {
        if (g_prototypeDepth < kPrototypeDepthLimit) {
            g_prototypeDepth++;
            JsValue *found = prototype->GetProperty(name);
            g_prototypeDepth--;
            if (found) return found;
        }
    }
    if (nameIndex == -2) nameIndex = NameIndexOf(name);
    return nameIndex >= 0 ? GetMember(nameIndex) : nullptr;
}

JsValue *JsObject::GetProperty(const char *name) {
    if (!name) return nullptr;
    return ObjectGetProperty(name, -2);
}

JsValue *JsObject::ObjectPutProperty(const char *name, JsValue *value, int op, int create) {
    if (JsProperty *slot = FindSlot(name)) return ApplyToProperty(slot, value, op);
    return create ? AddNamedSlot(name, value, op) : nullptr;
}

JsValue *JsObject::AddNamedSlot(const char *name, JsValue *value, int op) {
    JsProperty *slot = JsProperty::Make(name);
    if (!slot) return nullptr;
    JsValue *result = ApplyToProperty(slot, value, op);
    AppendSlot(slot);
    return result;
}

JsValue *JsObject::PutProperty(const char *name, JsValue *value, int op, int create) {
    if (!name) return nullptr;
    return ObjectPutProperty(name, value, op, create);
}

void JsObject::Construct(int constructorId, JsObject *arguments) {
    switch (constructorId) {
    case DURIZ_CTOR_STRING: {
        JsValue *first = arguments ? arguments->ValueAt(0) : nullptr;
        if (first && first->IsString()) AssignRef(&internal, first);
        const int32_t length = internal ? static_cast<JsString *>(internal)->Length() : 0;
        JsNumber *n = MakeNumber(length);
        PutProperty("length", n, TK_ASSIGN, 1);
        DropIfUnowned(n);
        break;
    }
    case DURIZ_CTOR_FUNCTION: {
        // The last argument is the body, the ones before it the parameters.
        JsSourceFunction *function = JsSourceFunction::Make(arguments);
        if (function) AssignRef(&internal, function);
        break;
    }
    case DURIZ_CTOR_DATE: {
        JsNumber *time = MakeNumber(DateFromArguments(arguments));
        if (time) AssignRef(&internal, time);
        break;
    }
    default:
        break;
    }
}

JsValue *JsObject::AddProperty(const char *name, JsValue *value) {
    JsProperty *slot = JsProperty::Make(name);
    if (!slot) return nullptr;
    JsValue *result = ApplyToProperty(slot, value, TK_ASSIGN);
    AppendSlot(slot);
    return result;
}

JsValue *JsObject::GetByKey(JsValue *key) {
    if (elementsByNumber && key && key->kind == VALUE_NUMBER)
        return static_cast<JsArray *>(this)->GetElement(static_cast<JsNumber *>(key));
    KeyText text(key);
    return text.Text() ? GetProperty(text.Text()) : nullptr;
}

JsValue *JsObject::PutByKey(JsValue *key, JsValue *value, int op, int create) {
    if (elementsByNumber && key && key->kind == VALUE_NUMBER)
        return static_cast<JsArray *>(this)->PutElement(static_cast<JsNumber *>(key), value, op, create);
    KeyText text(key);
    return text.Text() ? PutProperty(text.Text(), value, op, create) : nullptr;
}

JsValue *JsObject::NextPropertyName(JsValue *key) {
    JsProperty *answer = nullptr;
    Spread();
    if (!key || key->IsNull()) {
        answer = FirstProperty();
    } else {
        // Enumeration restarts after the slot named as the key prints.
        KeyText text(key, true);
        if (JsProperty *slot = text.Text() ? FindSlot(text.Text()) : nullptr) answer = slot->Next();
    }
    if (answer) return JsString::Make(answer->name);
    return g_shared.nullValue;
}

JsValue *JsObject::LastPropertyName() {
    Spread();
    JsProperty *last = static_cast<JsProperty *>(properties.Last());
    if (last) return JsString::Make(last->name);
    return g_shared.nullValue;
}

JsProperty *JsObject::PropertyAt(int position) {
    if (position < 0) return nullptr;
    Spread();
    JsProperty *slot = FirstProperty();
    while (slot && position-- > 0) slot = slot->Next();
    return slot;
}

JsValue *JsObject::ValueAt(int position) {
    JsProperty *slot = PropertyAt(position);
    return slot ? slot->value : nullptr;
}

JsValue *JsObject::ArgumentAt(int position) { return ValueAt(position < 1 ? 0 : position - 1); }

int JsObject::DuplicatesBeforeLastFound() {
    if (g_lastFoundPosition < 1) return 0;
    JsProperty *found = PropertyAt(g_lastFoundPosition - 1);
    if (!found) return 0;
    int count = 0;
    for (JsProperty *slot = FirstProperty(); slot && slot != found; slot = slot->Next())
        if (slot->value == found->value) count++;
    return count;
}

int JsObject::IsStringObject() {
    return constructor && static_cast<JsFunction *>(constructor)->id == DURIZ_CTOR_STRING ? 1 : 0;
}

// ---- classed objects ----

JsValue *JsClassObject::GetProperty(const char *name) {
    if (!name) return nullptr;
    const int nameIndex = NameIndexOf(name);
    if (nameIndex >= 0) {
        if (JsValue *member = GetMember(nameIndex)) return member;
    }
    // The member table has been asked already; -1 keeps it from being asked
    // again.
    if (JsValue *found = ObjectGetProperty(name, -1)) return found;
    return FindNamed(name, nameIndex);
}

JsValue *JsClassObject::PutProperty(const char *name, JsValue *value, int op, int create) {
    if (!name) return nullptr;
    const int nameIndex = NameIndexOf(name);
    if (nameIndex >= 0) {
        if (JsValue *handled = PutMember(nameIndex, value, op)) return handled;
    }
    return ObjectPutProperty(name, value, op, create);
}
