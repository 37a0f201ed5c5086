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

// A node's entry is chosen by its address in steps of 32 bytes (16 where
// pointers take 4). A node takes more than a step, so the nodes of any
// 2048 steps of a tree's memory have entries of their own, and the nodes
// a loop runs over, which lie close together, use a few neighbouring
// pages of the table, not a page each.
constexpr unsigned kSiteShift = sizeof(void *) >= 8 ? 5 : 4;
inline unsigned SiteEntryIndex(const void *site, unsigned bits) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(site) >> kSiteShift) & ((1u << bits) - 1);
}
inline JsSlotCacheEntry &SlotCacheEntryOf(const void *site) { return g_slotCache[SiteEntryIndex(site, kSlotCacheBits)]; }

// A fresh identity, never 0 and never given before.
uint64_t NewObjectIdentity();
// Forgets every entry (the engine shuts down).
void SlotCacheClear();

#endif
