#include "interp/literal_cache.h"

#include "values/value.h"

JsLiteralEntry g_literalCache[1u << kLiteralCacheBits];

namespace {

// The generation the entries were last swept for. Once trees have been
// given back, the values of stale entries are let go of together, so no
// literal of a freed tree stays held for long.
uint64_t g_sweptGeneration = 0;

void Sweep(bool held) {
    for (JsLiteralEntry &entry : g_literalCache) {
        if (!entry.value) continue;
        if (held)
            ReleaseHeld(entry.value);
        else
            ReleaseRef(entry.value);
        entry = JsLiteralEntry{};
    }
}

}  // namespace

void RememberLiteral(const void *site, JsValue *value) {
    if (!value) return;
    if (g_sweptGeneration != g_treeGeneration) {
        Sweep(false);
        g_sweptGeneration = g_treeGeneration;
    }
    JsLiteralEntry &entry = LiteralEntryOf(site);
    entry.site = site;
    entry.generation = g_treeGeneration;
    AssignRef(&entry.value, value);
}

void LiteralCacheClear() {
    Sweep(true);
    g_sweptGeneration = 0;
}
