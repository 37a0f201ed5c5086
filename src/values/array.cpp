#include "values/array.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "builtins/function.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"

namespace {

bool AllDigits(const char *name) {
    for (; *name; name++)
        if (*name < '0' || *name > '9') return false;
    return true;
}

// atol of a text of digits only: a value past what long holds reads as
// LONG_MAX, as the C libraries give it.
long DigitsValue(const char *name) {
    int64_t v = 0;
    for (; *name; name++) {
        const int d = *name - '0';
        if (v > (INT64_MAX - d) / 10) return LONG_MAX;
        v = v * 10 + d;
    }
    return v > LONG_MAX ? LONG_MAX : static_cast<long>(v);
}

// The bytes JsProperty::Make takes for the slot of element i: the record
// and the name's digits with their NUL.
size_t ElementSlotBytes(int32_t i) {
    size_t digits = 1;
    for (; i >= 10; i /= 10) digits++;
    return sizeof(JsProperty) + digits + 1;
}

}  // namespace

JsArray *JsArray::MakeDense() {
    JsArray *array = new JsArray(0);
    if (array) array->denseElements = true;
    return array;
}

void JsObject::SpreadElements() { static_cast<JsArray *>(this)->SpreadToSlots(); }

namespace {

size_t BitWords(int32_t room) { return (static_cast<size_t>(room) + 31) / 32; }

// A number for a cell's double. Reading an element never fails for want of
// memory under the limit: the number stands for the one the element's slot
// would hold, whose bytes the row keeps counted.
JsNumber *CellNumber(double value) {
    const size_t limit = JsMemoryLimit();
    if (g_poolCount || !limit) return MakeNumber(value);
    JsSetMemoryLimit(0);
    JsNumber *n = MakeNumber(value);
    JsSetMemoryLimit(limit);
    return n;
}

}  // namespace

bool JsArray::AppendDense() {
    if (denseCount_ == denseRoom_) {
        const int32_t room = denseRoom_ ? (denseRoom_ <= INT32_MAX / 2 ? denseRoom_ * 2 : INT32_MAX) : 8;
        if (room == denseRoom_ || static_cast<size_t>(room) > SIZE_MAX / (2 * sizeof(Cell))) return false;
        const size_t bytes = sizeof(Cell) * static_cast<size_t>(room) + sizeof(uint32_t) * BitWords(room);
        void *grown = JsRealloc(cells_, bytes);
        if (!grown) return false;
        // The bits move up behind the grown cells.
        Cell *cells = static_cast<Cell *>(grown);
        uint32_t *bits = reinterpret_cast<uint32_t *>(cells + room);
        const size_t oldWords = denseRoom_ ? BitWords(denseRoom_) : 0;
        if (oldWords) std::memmove(bits, cells + denseRoom_, sizeof(uint32_t) * oldWords);
        std::memset(bits + oldWords, 0, sizeof(uint32_t) * (BitWords(room) - oldWords));
        cells_ = cells;
        denseRoom_ = room;
    }
    const size_t bytes = ElementSlotBytes(denseCount_);
    if (!JsReserve(bytes)) return false;
    reserved_ += bytes;
    // A new element holds null until its first assignment, as a new slot does.
    cells_[denseCount_].value = g_shared.nullValue;
    g_shared.nullValue->refs++;
    denseCount_++;
    return true;
}

JsValue *JsArray::DenseValue(int32_t i) {
    return HoldsDouble(i) ? CellNumber(cells_[i].number) : cells_[i].value;
}

bool JsArray::KeepDouble(int32_t i, double number) {
    if (!JsReserve(sizeof(JsNumber))) return false;
    reserved_ += sizeof(JsNumber);
    cells_[i].number = number;
    DoubleBits()[i >> 5] |= 1u << (i & 31);
    return true;
}

JsValue *JsArray::Settle(int32_t i, JsValue *result) {
    JsValue *v = cells_[i].value;
    if (!v || v->kind != VALUE_NUMBER || v->refs != 1 || v->flags) return result;
    JsNumber *n = static_cast<JsNumber *>(v);
    // A NaN keeps its number: only plain values wait as doubles.
    if (n->nan || n->value != n->value || !KeepDouble(i, n->value)) return result;
    if (result == v) {
        n->refs = 0;  // the caller's now, as a fresh value
        return n;
    }
    ReleaseRef(n);
    return result;
}

bool JsArray::StoreDouble(int32_t i, JsValue *value) {
    JsNumber *n = PlainNumber(value);
    if (!n || n->flags || n->value != n->value) return false;
    if (HoldsDouble(i)) {
        cells_[i].number = n->value;
        return true;
    }
    // A cell that holds a NaN keeps it, as a slot does.
    JsValue *old = cells_[i].value;
    if (old && old->kind == VALUE_NUMBER && static_cast<JsNumber *>(old)->nan) return false;
    if (!KeepDouble(i, n->value)) return false;
    ReleaseRef(old);
    return true;
}

bool JsArray::SpreadToSlots() {
    if (!denseElements) return true;
    // Every slot (and every number for a double) is made before any is
    // linked: when memory runs out, the row stays as it was. Under the
    // limit they fit in what the row has kept counted for them.
    JsUnreserve(reserved_);
    JsList made;
    char name[kNumberTextSize];
    bool ok = true;
    for (int32_t i = 0; ok && i < denseCount_; i++) {
        IntegerText(i, name);
        JsProperty *slot = JsProperty::Make(name);
        if (slot) slot->AppendTo(made);
        ok = slot != nullptr;
        if (ok && HoldsDouble(i)) {
            JsNumber *n = MakeNumber(cells_[i].number);
            if (n) AssignRef(&slot->value, n);
            ok = n != nullptr;
        }
    }
    if (!ok) {
        while (JsListNode *extra = made.First()) {
            extra->Unlink();
            delete extra;
        }
        JsReserve(reserved_, true);
        return false;
    }
    denseElements = false;
    for (int32_t i = 0; JsListNode *node = made.First(); i++) {
        JsProperty *slot = static_cast<JsProperty *>(node);
        slot->Unlink();
        if (!HoldsDouble(i)) {
            // The element's count moves to its slot.
            JsValue *null = slot->value;
            slot->value = cells_[i].value;
            ReleaseRef(null);
        }
        AppendSlot(slot);
    }
    JsFree(cells_);
    cells_ = nullptr;
    denseCount_ = denseRoom_ = 0;
    reserved_ = 0;
    return true;
}

void JsArray::ReleaseDense() {
    for (int32_t i = 0; i < denseCount_; i++)
        if (!HoldsDouble(i)) ReleaseHeld(cells_[i].value);
    JsFree(cells_);
    cells_ = nullptr;
    denseCount_ = denseRoom_ = 0;
    JsUnreserve(reserved_);
    reserved_ = 0;
    denseElements = false;
}

JsArray *JsArray::Construct(JsObject *arguments) {
    JsArray *array = MakeDense();
    if (!array) return nullptr;
    JsProperty *first = arguments ? arguments->FirstProperty() : nullptr;
    if (!first) return array;
    if (!first->Next()) {
        // One argument is a count, cut to a signed 16-bit integer.
        const int16_t n = static_cast<int16_t>(IntegerView(first->value ? first->value->ToNumber() : 0.0));
        for (int i = 0; i < n; i++)
            if (!array->AppendElement(g_shared.undefinedValue)) break;
        return array;
    }
    for (JsProperty *slot = first; slot; slot = slot->Next())
        if (!array->AppendElement(slot->value)) break;
    return array;
}

void JsArray::Kept() {
    for (JsListNode *node = properties.next; node != &properties; node = node->next)
        AssignRef(&static_cast<JsProperty *>(node)->value, g_shared.nullValue);
    filled = nullptr;
}

void JsArray::Fill(const char *name, JsValue *value) {
    JsListNode *after = filled ? filled->next : properties.next;
    JsProperty *next = after != &properties ? static_cast<JsProperty *>(after) : nullptr;
    if (next && SameName(next->name, name)) {
        ApplyToProperty(next, value, TK_ASSIGN);
        filled = next;
        return;
    }
    if (next) Filled();
    AddProperty(name, value);
    filled = static_cast<JsProperty *>(properties.Last());
}

void JsArray::Filled() {
    JsProperty *extra = filled ? filled->Next() : FirstProperty();
    if (!extra) return;
    // The slots are no longer those remembered look-ups found.
    DropIndex();
    while (extra) {
        JsProperty *next = extra->Next();
        extra->Unlink();
        delete extra;
        slotCount--;
        extra = next;
    }
}

JsValue *JsArray::GetMember(int nameIndex) {
    switch (nameIndex) {
    case DURIZ_NAME_JOIN: return NativeFunction(DURIZ_NATIVE_ARRAY_JOIN);
    case DURIZ_NAME_REVERSE: return NativeFunction(DURIZ_NATIVE_ARRAY_REVERSE);
    case DURIZ_NAME_SORT: return NativeFunction(DURIZ_NATIVE_ARRAY_SORT);
    case DURIZ_NAME_LENGTH: return MakeNumber(count);
    default: return nullptr;
    }
}

void JsArray::ForEachReference(Visitor visit, void *context) {
    JsObject::ForEachReference(visit, context);
    for (int32_t i = 0; i < denseCount_; i++)
        if (!HoldsDouble(i)) visit(cells_[i].value, context);
}

JsArray::~JsArray() {
    ReleaseDense();
    ForgetElements();
    elementsByNumber = false;  // the table is gone before the slots
}

void JsArray::ForgetElements() {
    JsFree(elements_);
    elements_ = nullptr;
    room_ = 0;
    complete_ = false;
}

void JsArray::NoteAppended(JsProperty *slot) {
    // A table that no longer knows every element's slot cannot tell whether
    // an earlier slot has the name: the appended one is found by name.
    if (!complete_) return;
    // Only the digits of a number as IntegerText writes it name an element.
    const char *name = slot->name;
    if (name[0] < '0' || name[0] > '9' || (name[0] == '0' && name[1])) return;
    int64_t i = 0;
    for (const char *c = name; *c; c++) {
        if (*c < '0' || *c > '9') return;
        i = i * 10 + (*c - '0');
        if (i > INT32_MAX) return;
    }
    NoteElement(static_cast<int32_t>(i), slot, slotCount);
}

JsValue *JsArray::PastElementSlots(const char *text) {
    // As the classed look-up goes on once the slots lack the name: an
    // element name is no built-in name, so the prototype and then the
    // members found by text are asked.
    JsValue *found = PastOwnSlots(text, -1);
    return found ? found : FindNamed(text, -1);
}

void JsArray::NoteElement(int32_t i, JsProperty *slot, int32_t position) {
    if (i < 0) return;
    if (i >= room_) {
        // Far past the slots there are (a sparse array) the index serves.
        int32_t room = room_ ? room_ : 16;
        void *grown = nullptr;
        if (i <= 2 * slotCount + 16) {
            while (room <= i) room *= 2;
            grown = JsRealloc(elements_, sizeof(Element) * static_cast<size_t>(room));
        }
        if (!grown) {
            untabled_ = true;  // the element is found by name instead
            return;
        }
        // A slot left out of the table may lie in the room it grows into.
        if (untabled_) complete_ = false;
        elements_ = static_cast<Element *>(grown);
        std::memset(static_cast<void *>(elements_ + room_), 0, sizeof(Element) * static_cast<size_t>(room - room_));
        room_ = room;
    }
    if (!elements_[i].slot) elements_[i] = Element{slot, position};
}

// A number key names the integer view of its value: its digits are an
// element's name, and no built-in name starts with a digit, so the first
// own slot of the name is the answer whenever there is one.
JsValue *JsArray::GetElement(JsNumber *key) {
    const int32_t i = IntegerView(key->value);
    if (denseElements) {
        // The row holds elements 0 to denseCount_ - 1 at their positions;
        // no other slot exists.
        if (i >= 0 && i < denseCount_) {
            g_lastFoundPosition = i + 1;
            return DenseValue(i);
        }
        if (i >= 0) {
            char text[kNumberTextSize];
            IntegerText(i, text);
            return PastElementSlots(text);
        }
        if (!SpreadToSlots()) return nullptr;
    }
    int32_t position = 0;
    JsProperty *slot = KnownElement(i, &position);
    if (!slot) {
        char text[kNumberTextSize];
        IntegerText(i, text);
        if (SurelyNoElement(i)) return PastElementSlots(text);
        if (i < 0 || !(slot = FindSlot(text, &position))) return GetProperty(text);
        NoteElement(i, slot, position);
    }
    g_lastFoundPosition = position;
    return slot->value;
}

JsValue *JsArray::PutDense(int32_t i, JsValue *value, int op, int create) {
    if (i == denseCount_) {
        // The next element: appended to the row, as its slot would be.
        if (!create || !AppendDense()) return nullptr;
    }
    JsValue *result;
    if (op == TK_ASSIGN && StoreDouble(i, value)) {
        result = value;  // the value assigned is the answer, as when the slot shares it
    } else {
        if (HoldsDouble(i)) {
            // The operator works on a number of the cell's own, as on a slot's.
            JsNumber *n = CellNumber(cells_[i].number);
            if (!n) return nullptr;
            n->refs = 1;
            cells_[i].value = n;
            DoubleBits()[i >> 5] &= ~(1u << (i & 31));
            JsUnreserve(sizeof(JsNumber));
            reserved_ -= sizeof(JsNumber);
        }
        result = Settle(i, ApplyToPlace(&cells_[i].value, value, op));
    }
    if (result && create && i >= count && i < INT32_MAX) count = i + 1;
    return result;
}

JsValue *JsArray::PutElement(JsNumber *key, JsValue *value, int op, int create) {
    const int32_t i = IntegerView(key->value);
    if (denseElements) {
        if (i >= 0 && i <= denseCount_) return PutDense(i, value, op, create);
        if (i > denseCount_ && !create) return nullptr;  // no slot has the element
        // Past the end or below 0: the array gets its slots.
        if (!SpreadToSlots()) return nullptr;
    }
    int32_t position = 0;
    JsProperty *slot = KnownElement(i, &position);
    char text[kNumberTextSize];
    if (!slot) {
        IntegerText(i, text);
        // An element no slot has is made without a search; any new slot
        // joins the table as it is appended.
        const bool none = SurelyNoElement(i);
        if (none && !create) return nullptr;
        if (!none) {
            if (i < 0 || !(slot = FindSlot(text, &position))) return PutProperty(text, value, op, create);
            NoteElement(i, slot, position);
        }
    }
    JsValue *result = slot ? ApplyToProperty(slot, value, op) : AddNamedSlot(text, value, op);
    if (result && create && i >= count && i < INT32_MAX) count = i + 1;
    return result;
}

JsValue *JsArray::GetProperty(const char *name) {
    if (!name) return nullptr;
    if (positional && AllDigits(name)) return ValueAt(std::atoi(name));
    if (name[0] == 'l' && std::strcmp(name, "length") == 0) return MakeNumber(count);
    return JsClassObject::GetProperty(name);
}

JsValue *JsArray::PutProperty(const char *name, JsValue *value, int op, int create) {
    JsValue *result = JsClassObject::PutProperty(name, value, op, create);
    if (result && create && name && AllDigits(name)) {
        const long i = DigitsValue(name);
        if (i >= count && i < INT32_MAX) count = static_cast<int32_t>(i + 1);
    }
    return result;
}

bool JsArray::AppendElement(JsValue *value) {
    if (denseElements && count == denseCount_) {
        if (!AppendDense()) return false;
        const int32_t i = denseCount_ - 1;
        // The row takes the value: a fresh number whose double it keeps is dropped.
        if (StoreDouble(i, value)) DropIfUnowned(value);
        else DropIfUnowned(Settle(i, ApplyToPlace(&cells_[i].value, value, TK_ASSIGN)));
        count++;
        return true;
    }
    // The slot is named after count, which may differ from the row's next
    // element after a failed store.
    Spread();
    char name[kNumberTextSize];
    IntegerText(count, name);
    JsProperty *slot = JsProperty::Make(name);
    if (!slot) return false;
    ApplyToProperty(slot, value, TK_ASSIGN);
    AppendSlot(slot);
    count++;
    return true;
}

JsString *JsArray::Join(const char *separator) {
    JsString *joined = JsString::Make("");
    if (!joined) return nullptr;
    // Every element's text in slot order, each followed by the separator.
    auto add = [joined, separator](JsValue *value) {
        if (!value) return true;
        const char *text = value->ToText();
        return !(text && !joined->Append(text)) && !(separator && !joined->Append(separator));
    };
    bool ok = true;
    if (denseElements) {
        for (int32_t i = 0; ok && i < denseCount_; i++) {
            if (HoldsDouble(i)) {
                JsNumber number(cells_[i].number);  // read for its text only
                ok = add(&number);
            } else {
                ok = add(cells_[i].value);
            }
        }
    } else {
        for (JsProperty *slot = FirstProperty(); ok && slot; slot = slot->Next()) ok = add(slot->value);
    }
    if (ok) return joined;
    DropIfUnowned(joined);
    return nullptr;
}

void JsArray::Reverse() {
    Spread();
    DropIndex();  // positions change
    JsListNode *slot = properties.Last();
    while (slot) {
        JsListNode *before = slot->Prev();
        slot->Unlink();
        slot->AppendTo(properties);
        slot = before;
    }
}

void JsArray::Sort() {
    // A stable sort by the elements' texts in byte order; slots whose value
    // or text is absent come first. Every text is copied once, since number
    // texts share one buffer.
    struct Entry {
        JsProperty *slot;
        char *text;
    };
    Spread();
    const int n = properties.Count();
    if (n < 2) return;
    Entry *entries = static_cast<Entry *>(JsMalloc(sizeof(Entry) * static_cast<size_t>(n)));
    if (!entries) return;
    int i = 0;
    bool ok = true;
    for (JsProperty *slot = FirstProperty(); slot; slot = slot->Next(), i++) {
        const char *text = slot->value ? slot->value->ToText() : nullptr;
        entries[i].slot = slot;
        entries[i].text = text ? JsCopyText(text, std::strlen(text)) : nullptr;
        if (text && !entries[i].text) ok = false;
    }
    if (ok) {
        std::stable_sort(entries, entries + n, [](const Entry &a, const Entry &b) {
            if (!a.text || !b.text) return !a.text && b.text;
            return std::strcmp(a.text, b.text) < 0;
        });
        DropIndex();  // positions change
        for (i = 0; i < n; i++) {
            entries[i].slot->Unlink();
            entries[i].slot->AppendTo(properties);
        }
    }
    for (i = 0; i < n; i++) JsFree(entries[i].text);
    JsFree(entries);
}

JsValue *JsHostArray::FindNamed(const char *name, int) {
    if (!name) return nullptr;
    for (JsProperty *slot = FirstProperty(); slot; slot = slot->Next()) {
        JsValue *value = slot->value;
        if (!value || !value->IsObject()) continue;
        const char *text = static_cast<JsObject *>(value)->HostValue();
        if (text && std::strcmp(text, name) == 0) return value;
    }
    return nullptr;
}
