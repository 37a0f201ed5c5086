#include "values/property_index.h"

#include <cstring>

#include "engine/memory.h"
#include "values/object.h"

namespace {

uint32_t HashOf(const char *name) {
    uint32_t h = 2166136261u;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(name); *p; p++) h = (h ^ *p) * 16777619u;
    return h;
}

// Places an entry known to be new; the index has room.
void Place(JsPropertyIndex *index, const JsPropertyIndex::Entry &entry) {
    uint32_t i = entry.hash & (index->capacity - 1);
    while (index->entries[i].slot) i = (i + 1) & (index->capacity - 1);
    index->entries[i] = entry;
    index->used++;
}

}  // namespace

JsPropertyIndex *JsPropertyIndex::Make(uint32_t capacity) {
    JsPropertyIndex *index = static_cast<JsPropertyIndex *>(JsMalloc(sizeof(JsPropertyIndex)));
    if (!index) return nullptr;
    index->entries = static_cast<Entry *>(JsMalloc(sizeof(Entry) * capacity));
    if (!index->entries) {
        JsFree(index);
        return nullptr;
    }
    std::memset(static_cast<void *>(index->entries), 0, sizeof(Entry) * capacity);
    index->capacity = capacity;
    index->used = 0;
    return index;
}

void JsPropertyIndex::Destroy(JsPropertyIndex *index) {
    if (!index) return;
    JsFree(index->entries);
    JsFree(index);
}

JsProperty *JsPropertyIndex::Find(const char *name, int32_t *position) const {
    const uint32_t hash = HashOf(name);
    for (uint32_t i = hash & (capacity - 1);; i = (i + 1) & (capacity - 1)) {
        const Entry &e = entries[i];
        if (!e.slot) return nullptr;
        if (e.hash == hash && std::strcmp(e.slot->name, name) == 0) {
            if (position) *position = e.position;
            return e.slot;
        }
    }
}

bool IndexAdd(JsPropertyIndex **index, JsProperty *slot, int32_t position) {
    JsPropertyIndex *current = *index;
    // Kept at most three quarters full.
    if ((current->used + 1) * 4 > current->capacity * 3) {
        JsPropertyIndex *bigger = JsPropertyIndex::Make(current->capacity * 2);
        if (!bigger) return false;
        for (uint32_t i = 0; i < current->capacity; i++)
            if (current->entries[i].slot) Place(bigger, current->entries[i]);
        JsPropertyIndex::Destroy(current);
        *index = current = bigger;
    }
    // One probe both finds an earlier slot of the name and the free entry.
    const uint32_t hash = HashOf(slot->name);
    const uint32_t mask = current->capacity - 1;
    for (uint32_t i = hash & mask;; i = (i + 1) & mask) {
        JsPropertyIndex::Entry &e = current->entries[i];
        if (!e.slot) {
            e = JsPropertyIndex::Entry{slot, hash, position};
            current->used++;
            return true;
        }
        if (e.hash == hash && std::strcmp(e.slot->name, slot->name) == 0) return true;  // the first stays
    }
}
