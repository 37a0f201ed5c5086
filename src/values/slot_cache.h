// Where a name was last found at one node of a tree: the own slot of an
// object that answered it, so that the next look-up at that node goes
// straight to the slot.
//
// An entry is keyed by the node and by the object's identity. An object
// takes an identity when an entry is first made for it and gives it up
// whenever its slots are reordered or removed; identities are never given
// twice. So an entry matches only the very object it was made for, and its
// slot is still that object's first slot of the name, at the same position
// (slots are only ever appended). A node's memory may be reused by another
// tree once its own is freed, so entries also carry the generation of the
// trees, which moves on whenever nodes are given back.
#ifndef DURIZ_VALUES_SLOT_CACHE_H
#define DURIZ_VALUES_SLOT_CACHE_H

#include <cstdint>

class JsProperty;

struct JsSlotCacheEntry {
    const void *site;
    uint64_t identity;
    uint64_t generation;
    JsProperty *slot;
    int32_t position;
};

extern uint64_t g_treeGeneration;
// Nodes are being given back (a tree freed, a node deleted): every entry
// made so far stops holding.
inline void NodesFreed() { g_treeGeneration++; }

constexpr unsigned kSlotCacheBits = 11;
extern JsSlotCacheEntry g_slotCache[1u << kSlotCacheBits];

inline JsSlotCacheEntry &SlotCacheEntryOf(const void *site) {
    const uint64_t h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(site)) * 0x9E3779B97F4A7C15ull;
    return g_slotCache[h >> (64 - kSlotCacheBits)];
}

// A fresh identity, never 0 and never given before.
uint64_t NewObjectIdentity();
// Forgets every entry (the engine shuts down).
void SlotCacheClear();

#endif
