#include "values/slot_cache.h"

JsSlotCacheEntry g_slotCache[1u << kSlotCacheBits];
uint64_t g_treeGeneration = 1;  // entries start at 0: none holds

namespace {
uint64_t g_lastIdentity = 0;  // 64 bits: no run lives to see it wrap
}  // namespace

uint64_t NewObjectIdentity() { return ++g_lastIdentity; }

// Moving the generation on unmatches every entry without writing the table,
// whose untouched pages then stay unmapped.
void SlotCacheClear() { NodesFreed(); }
