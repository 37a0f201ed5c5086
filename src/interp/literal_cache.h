// The values of string and number literals, made once per node and handed
// out again on the node's next evaluation instead of a fresh copy. A value
// that more than one holder has is never changed in place (assignment
// changes a number, a boolean or a text in place only while one slot alone
// holds it), so no holder can tell a shared literal from a copy.
//
// Entries are keyed by the node and by the generation of the trees, which
// moves on whenever nodes are given back, so a node's memory reused by
// another tree never finds the old value.
#ifndef DURIZ_INTERP_LITERAL_CACHE_H
#define DURIZ_INTERP_LITERAL_CACHE_H

#include <cstdint>

#include "values/slot_cache.h"

struct JsValue;

struct JsLiteralEntry {
    const void *site;
    uint64_t generation;
    JsValue *value;  // counted
};

constexpr unsigned kLiteralCacheBits = 10;
extern JsLiteralEntry g_literalCache[1u << kLiteralCacheBits];

inline JsLiteralEntry &LiteralEntryOf(const void *site) {
    return g_literalCache[SiteEntryIndex(site, kLiteralCacheBits)];
}

// The value remembered for the node, borrowed, or null.
inline JsValue *RememberedLiteral(const void *site) {
    const JsLiteralEntry &entry = LiteralEntryOf(site);
    return entry.site == site && entry.generation == g_treeGeneration ? entry.value : nullptr;
}

// Remembers a fresh literal value (null is not remembered) for the node;
// the value is then held by the cache as well.
void RememberLiteral(const void *site, JsValue *value);

// Lets go of every value (the engine shuts down).
void LiteralCacheClear();

#endif
