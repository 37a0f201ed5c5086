// Objects: ordered named slots, look-up through own slots, the
// constructor's prototype and the built-in members, and the classed objects
// that answer members by name index.
#ifndef DURIZ_VALUES_OBJECT_H
#define DURIZ_VALUES_OBJECT_H

#include <cstdint>

#include "compiler/token.h"
#include "values/convert.h"
#include "values/slot_cache.h"
#include "values/value.h"

class JsFunction;
class JsToken;
struct JsPropertyIndex;

// One named slot. A new slot holds the shared null until its first
// assignment.
class JsProperty : public JsListNode {
public:
    char *name;
    JsValue *value = nullptr;

    // A slot with a copy of name holding null, or null when memory runs out.
    static JsProperty *Make(const char *name);
    ~JsProperty() override;
    JsProperty *Next() const { return static_cast<JsProperty *>(JsListNode::Next()); }

private:
    explicit JsProperty(char *n) : name(n) {}
};

class JsObject : public JsContainer {
public:
    JsList properties;
    JsValue *internal = nullptr;     // counted: a Date's time, a String object's text, ...
    JsValue *constructor = nullptr;  // counted: the function that made the object
    int32_t slotCount = 0;              // the slots in properties
    bool elementsByNumber = false;      // a JsArray whose number keys go to GetElement
    bool argumentList = false;          // a JsArray whose digit names select by position
    bool denseElements = false;         // a JsArray whose elements wait in a row, without slots
    bool localCells = false;            // a JsLocals: declared names live in cells, not slots
    JsPropertyIndex *index = nullptr;   // by name, once there are many slots
    uint64_t identity = 0;              // for remembered look-ups; 0 for none yet

    JsObject();
    // The object that `new` makes for a constructor (other than Array and
    // Image); built-in constructors from 2001 on initialise it.
    static JsObject *MakeConstructed(JsFunction *constructor, JsObject *arguments);
    ~JsObject() override;

    int ToBoolean() override { return 1; }
    double ToNumber() override { return 0.0; }
    const char *ToText() override;
    int IsObject() override { return 1; }
    JsString *TypeName() override;
    JsValue *AsFunction() override { return internal ? internal->AsFunction() : nullptr; }
    int Compare(JsValue *other) override { return other == this ? 0 : 1; }
    void ForEachReference(Visitor visit, void *context) override;

    // Added operations, in slot order.
    virtual int IsHostObject() { return 0; }
    virtual const char *FormatValue(JsValue *) { return nullptr; }
    virtual JsValue *GetMember(int nameIndex);
    virtual JsValue *GetProperty(const char *name);
    virtual JsValue *PutProperty(const char *name, JsValue *value, int op, int create);
    virtual const char *HostValue() { return nullptr; }
    virtual void Construct(int constructorId, JsObject *arguments);

    // Appends a slot without looking for one of the same name, assigned
    // with '='. Answers the slot's value (null on failure).
    JsValue *AddProperty(const char *name, JsValue *value);
    // GetProperty and PutProperty of a node's own text (an identifier or
    // member name), with the same answers and effects, remembering the
    // slot found for the node's next look-up.
    inline JsValue *GetPropertyAt(const JsToken *site);
    // Whether GetProperty surely answers nothing for the site's name: a plain
    // object without slots or constructor, asked a name that is not built in
    // (a function's empty locals, say).
    inline bool SurelyLacks(const JsToken *site);
    inline JsValue *PutPropertyAt(const JsToken *site, JsValue *value, int op, int create);
    JsValue *GetByKey(JsValue *key);
    JsValue *PutByKey(JsValue *key, JsValue *value, int op, int create);
    // Enumeration: the name after key's slot (the first slot for no key or
    // null) as a new string, or the shared null; null when memory runs out.
    JsValue *NextPropertyName(JsValue *key);
    JsValue *LastPropertyName();
    JsProperty *PropertyAt(int position);
    JsValue *ValueAt(int position);
    JsValue *ArgumentAt(int position);
    int DuplicatesBeforeLastFound();
    int IsStringObject();

    JsProperty *FirstProperty() const { return static_cast<JsProperty *>(properties.First()); }
    // The first slot of the name, or null; *position (when given) gets its
    // one-based position. A few slots are searched in place; past
    // kIndexThreshold the look-up goes through the index.
    inline JsProperty *FindSlot(const char *name, int32_t *position = nullptr);
    static constexpr int32_t kIndexThreshold = 12;
    // FindSlot where the slots are few enough to be searched in place (no
    // index needed); *inPlace is false, with null, where they are not.
    JsProperty *FindSlotInPlace(const char *name, int32_t *position, bool *inPlace) {
        *inPlace = SlotsSearchedInPlace();
        return *inPlace ? SearchSlots(name, position) : nullptr;
    }
    // Appends a slot to the list (and to the index).
    void AppendSlot(JsProperty *slot);
    // Forgets the index and the identity: the slots have been reordered
    // or removed.
    void DropIndex();
    // An array whose elements wait in a row gets their slots now; every
    // walk or search of the slots comes here first.
    void Spread() {
        if (denseElements) SpreadElements();
    }

protected:
    void SpreadElements();  // in array.cpp
    // FindSlot through the index (made here when missing), or by SearchSlots
    // when there is no memory for one; SearchSlots walks the list.
    JsProperty *FindIndexedSlot(const char *name, int32_t *position);
    inline JsProperty *SearchSlots(const char *name, int32_t *position);
    bool SlotsSearchedInPlace() const { return !denseElements && !index && slotCount <= kIndexThreshold; }
    // The own slot that answers a look-up of the site's name before anything
    // else is asked, through the site's entry; null when the entry does not
    // hold.
    inline JsProperty *RememberedSlot(const JsToken *site, int32_t *position);
    // Else the slot found and remembered; null when there is none or a
    // look-up would ask something else first.
    // *searched tells whether the slots were searched for the name.
    JsProperty *FindAndRemember(const JsToken *site, int32_t *position, bool *searched);
    JsValue *GetPropertyAtFirst(const JsToken *site);
    JsValue *PutPropertyAtFirst(const JsToken *site, JsValue *value, int op, int create);
    // The plain object's own-slot, prototype, member look-up.
    JsValue *ObjectGetProperty(const char *name, int nameIndex);
    JsValue *ObjectPutProperty(const char *name, JsValue *value, int op, int create);
    // The rest of the plain look-up once no own slot has the name: the
    // prototype, then the built-in members.
    JsValue *PastOwnSlots(const char *name, int nameIndex);
    // Appends a new slot of the name and applies the operator to it.
    JsValue *AddNamedSlot(const char *name, JsValue *value, int op);
};

// The value as an object, or null when it is none (or missing).
inline JsObject *AsObject(JsValue *value) {
    return value && value->IsObjectKind() ? static_cast<JsObject *>(value) : nullptr;
}

class JsClassObject : public JsObject {
public:
    JsValue *GetProperty(const char *name) override;
    JsValue *PutProperty(const char *name, JsValue *value, int op, int create) override;
    int HasClass() override { return 1; }

    virtual int ClassNumber() = 0;
    virtual JsValue *FindNamed(const char *, int) { return nullptr; }
    virtual JsValue *PutMember(int, JsValue *, int) { return nullptr; }
};

// Applies an assignment operator (including the increment and decrement
// codes) to a counted place that holds a value (a slot's, an element's);
// answers the place's value or null on failure.
inline JsValue *ApplyToPlace(JsValue **place, JsValue *value, int op) {
    switch (op) {
    case TK_POSTINC: case TK_POSTDEC: {
        JsValue *old = *place;
        if (old) old->refs++;
        if (AssignToSlot(place, value, TK_SUB_ASSIGN)) {
            // The old value goes back with its own count, possibly 0.
            if (old) old->refs--;
            return old;
        }
        ReleaseRef(old);
        return nullptr;
    }
    case TK_PREINC: case TK_PREDEC:
        return AssignToSlot(place, value, TK_SUB_ASSIGN) ? *place : nullptr;
    default:
        return AssignToSlot(place, value, op) ? *place : nullptr;
    }
}
inline JsValue *ApplyToProperty(JsProperty *slot, JsValue *value, int op) {
    return ApplyToPlace(&slot->value, value, op);
}

// Name index of a NUL-terminated name, or -1.
int NameIndexOf(const char *name);

// One-based position of the own slot that the last look-up found, 0 when
// it found none among the own slots.
extern int g_lastFoundPosition;

inline JsProperty *JsObject::RememberedSlot(const JsToken *site, int32_t *position) {
    const JsSlotCacheEntry &entry = SlotCacheEntryOf(site);
    if (!identity || entry.identity != identity || entry.site != site || entry.generation != g_treeGeneration)
        return nullptr;
    *position = entry.position;
    return entry.slot;
}

// Names are short: a plain loop beats a library call.
inline bool SameName(const char *a, const char *b) {
    while (*a == *b) {
        if (!*a) return true;
        ++a;
        ++b;
    }
    return false;
}

inline JsProperty *JsObject::FindSlot(const char *name, int32_t *position) {
    Spread();
    if (!SlotsSearchedInPlace()) return FindIndexedSlot(name, position);
    return SearchSlots(name, position);
}

inline JsProperty *JsObject::SearchSlots(const char *name, int32_t *position) {
    int32_t at = 0;
    const char first = name[0];
    for (JsListNode *node = properties.next; node != &properties; node = node->next) {
        JsProperty *slot = static_cast<JsProperty *>(node);
        at++;
        if (slot->name[0] == first && SameName(slot->name, name)) {
            if (position) *position = at;
            return slot;
        }
    }
    return nullptr;
}

inline int SiteNameIndex(const JsToken *site);
inline bool JsObject::SurelyLacks(const JsToken *site) {
    return slotCount == 0 && !localCells && !constructor && site->text && !HasClass() && SiteNameIndex(site) < 0;
}

inline JsValue *JsObject::GetPropertyAt(const JsToken *site) {
    int32_t position;
    if (JsProperty *slot = RememberedSlot(site, &position)) {
        g_lastFoundPosition = position;
        return slot->value;
    }
    return GetPropertyAtFirst(site);
}

inline JsValue *JsObject::PutPropertyAt(const JsToken *site, JsValue *value, int op, int create) {
    int32_t position;
    if (JsProperty *slot = RememberedSlot(site, &position)) return ApplyToProperty(slot, value, op);
    return PutPropertyAtFirst(site, value, op, create);
}


// While one lives, NameIndexOf answers for the node's own text (the very
// pointer) from the index the node keeps, read once from the text: the
// look-ups of one identifier or member name skip the hashing.
extern const char *g_hintText;
extern int g_hintIndex;

class NameIndexHint {
public:
    explicit NameIndexHint(JsToken *node) : savedText_(g_hintText), savedIndex_(g_hintIndex) {
        if (!node || !node->text || (node->code >= TK_INT && node->code <= TK_DECIMAL)) return;
        if (!(node->numberKnown & JsToken::kNameIndexKnown)) Learn(node);
        g_hintText = node->text;
        g_hintIndex = node->id.nameIndex;
    }
    // For a name the caller knows the index of (a constant text).
    NameIndexHint(const char *text, int index) : savedText_(g_hintText), savedIndex_(g_hintIndex) {
        g_hintText = text;
        g_hintIndex = index;
    }
    ~NameIndexHint() {
        g_hintText = savedText_;
        g_hintIndex = savedIndex_;
    }
    NameIndexHint(const NameIndexHint &) = delete;
    NameIndexHint &operator=(const NameIndexHint &) = delete;

private:
    static void Learn(JsToken *node);  // reads the node's name index once
    const char *savedText_;
    int savedIndex_;
};

// The built-in name index of an identifier's own text, from the node once
// known.
inline int SiteNameIndex(const JsToken *site) {
    if (site->code == TK_IDENT && (site->numberKnown & JsToken::kNameIndexKnown)) return site->id.nameIndex;
    NameIndexHint hint(const_cast<JsToken *>(site));
    return NameIndexOf(site->text);
}

#endif
