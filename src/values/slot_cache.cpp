#include "values/slot_cache.h"

#include <cstring>

JsSlotCacheEntry g_slotCache[1u << kSlotCacheBits];
uint64_t g_treeGeneration = 1;  // entries start at 0: none holds

namespace {
uint64_t g_lastIdentity = 0;  // 64 bits: no run lives to see it wrap
}  // namespace

uint64_t NewObjectIdentity() { return ++g_lastIdentity; }

void SlotCacheClear() { std::memset(g_slotCache, 0, sizeof g_slotCache); }
