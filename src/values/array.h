// Arrays: classed objects whose elements are ordinary slots named by
// decimal index. Script arrays, the host's collections (forms, images, ...)
// and the argument lists of calls are all arrays.
//
// A script's array starts out dense: while its slots would be exactly the
// elements 0, 1, ... in that order, and nothing else, the element values
// wait in a plain row and no slot is made. A plain number that an element
// alone holds waits there as its double, without a number object; reading
// it makes a fresh number. Reading and storing elements by number,
// appending, length and join use the row; anything else that walks or
// searches the slots first gives the array its slots (Spread), in the order
// they would have had, and the array stays that way. The bytes those slots
// (and the numbers) will take are counted as held from the start, so that
// spreading always fits under the engine's memory limit.
#ifndef DURIZ_VALUES_ARRAY_H
#define DURIZ_VALUES_ARRAY_H

#include <cstdint>

#include "values/object.h"

class JsArray : public JsClassObject {
public:
    int32_t count = 0;       // what length reads; the index the next element gets
    int32_t positional = 0;  // digit names select by position (argument lists)
    // An argument list kept for its function's next call: the next one kept,
    // and while it is filled again, the last slot given a value (null before
    // the first).
    JsArray *nextKept = nullptr;
    JsProperty *filled = nullptr;

    explicit JsArray(int32_t positionalFlag = 0) : positional(positionalFlag) {
        elementsByNumber = !positional;
        argumentList = positional != 0;
    }
    ~JsArray() override;
    // The Array constructor: no argument, one count, or the elements.
    static JsArray *Construct(JsObject *arguments);
    // A new empty script array, dense until its slots are needed.
    static JsArray *MakeDense();

    int ClassNumber() override { return 6; }
    void ForEachReference(Visitor visit, void *context) override;
    JsValue *GetMember(int nameIndex) override;
    JsValue *GetProperty(const char *name) override;
    JsValue *PutProperty(const char *name, JsValue *value, int op, int create) override;

    // GetByKey and PutByKey of a number key, with the same answers and
    // effects: the element's slot is found through the table of elements
    // by number where it has been seen before.
    JsValue *GetElement(JsNumber *key);
    JsValue *PutElement(JsNumber *key, JsValue *value, int op, int create);
    // Forgets the table (the slots have been reordered or removed).
    void ForgetElements();
    // A slot has just been appended (at position slotCount): an element's
    // slot joins the table.
    void NoteAppended(JsProperty *slot);

    // Adds a slot named after count, then count grows by one. Answers
    // false when memory runs out.
    bool AppendElement(JsValue *value);
    // Argument lists used again. Kept: every slot holds null again, as a
    // new slot does. Fill: the next argument, assigned with '=' to the next
    // slot when that slot has the name, else to a new slot, the slots from
    // there on removed. Filled: the slots past the last argument are removed.
    void Kept();
    void Fill(const char *name, JsValue *value);
    void Filled();
    // Every element's text followed by the separator (none: nothing between).
    JsString *Join(const char *separator);
    void Reverse();
    void Sort();

private:
    // The dense row: denseCount_ cells, room for denseRoom_, then one bit
    // per cell (set: the cell holds a double) in the same block. A cell
    // without its bit holds a counted value. reserved_ is what the slots
    // and the numbers of the cells will take.
    union Cell {
        JsValue *value;
        double number;
    };
    Cell *cells_ = nullptr;
    int32_t denseCount_ = 0;
    int32_t denseRoom_ = 0;
    size_t reserved_ = 0;
    uint32_t *DoubleBits() const { return reinterpret_cast<uint32_t *>(cells_ + denseRoom_); }
    bool HoldsDouble(int32_t i) const { return (DoubleBits()[i >> 5] >> (i & 31)) & 1u; }
    // Appends a cell holding null to the row; false when memory runs out.
    bool AppendDense();
    // The cell's value, a fresh number for a double; null when memory runs out.
    JsValue *DenseValue(int32_t i);
    JsValue *PutDense(int32_t i, JsValue *value, int op, int create);
    // '=' of a plain number: the cell takes its double (false: the
    // assignment must take the general way).
    bool StoreDouble(int32_t i, JsValue *value);
    // A cell whose number it alone holds keeps the double instead; a result
    // that was that number comes back fresh.
    JsValue *Settle(int32_t i, JsValue *result);
    // The cell takes the double, its number's bytes counted; false when
    // the limit refuses them.
    bool KeepDouble(int32_t i, double number);
    void ReleaseDense();
    // Gives a dense array its slots; false (the array left as it was) when
    // memory runs out.
    bool SpreadToSlots();
    friend class JsObject;  // its Spread comes here

    // The first slot named after each element number and its position, for
    // numbers below room; an empty entry is not known yet.
    struct Element {
        JsProperty *slot;
        int32_t position;
    };
    Element *elements_ = nullptr;
    int32_t room_ = 0;
    // Complete: every slot named after an element number below room is in
    // the table, so an element the table lacks there has no slot at all;
    // past the room there is none either unless one could not be tabled
    // (untabled). Complete stops being so for good once the table is
    // forgotten, or is grown over such a slot.
    bool complete_ = true;
    bool untabled_ = false;

    JsProperty *KnownElement(int32_t i, int32_t *position) const {
        if (i < 0 || i >= room_ || !elements_[i].slot) return nullptr;
        *position = elements_[i].position;
        return elements_[i].slot;
    }
    void NoteElement(int32_t i, JsProperty *slot, int32_t position);
    // Whether the array surely has no own slot for element i: past the
    // room, while no element's slot was left out of the table.
    bool SurelyNoElement(int32_t i) const {
        return complete_ && i >= 0 && (i < room_ ? !elements_[i].slot : !untabled_);
    }
    // The look-up of an element name that no own slot has, past the slots.
    JsValue *PastElementSlots(const char *text);
};

// A host collection: elements can also be found by their host text.
class JsHostArray : public JsArray {
public:
    JsValue *FindNamed(const char *name, int nameIndex) override;
};

#endif
