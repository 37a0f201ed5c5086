// A hash index over an object's slots, by name: the first slot of each name
// and its one-based position. Objects build one once they hold many slots,
// so that element and member look-ups stay fast in big arrays; the slot
// list stays the one authority on order.
#ifndef DURIZ_VALUES_PROPERTY_INDEX_H
#define DURIZ_VALUES_PROPERTY_INDEX_H

#include <cstdint>

class JsProperty;

struct JsPropertyIndex {
    struct Entry {
        JsProperty *slot;  // null: empty
        uint32_t hash;
        int32_t position;
    };
    uint32_t capacity;  // a power of two
    uint32_t used;
    Entry *entries;

    // A new empty index, or null when memory runs out.
    static JsPropertyIndex *Make(uint32_t capacity);
    static void Destroy(JsPropertyIndex *index);
    // The first slot of the name, or null; *position gets its position.
    JsProperty *Find(const char *name, int32_t *position) const;
};

// Adds a slot unless its name is there already; false when memory runs out
// (the index must then be dropped). May replace *index by a bigger one.
bool IndexAdd(JsPropertyIndex **index, JsProperty *slot, int32_t position);

#endif
