#include "builtins/random.h"

namespace {
uint32_t g_state = 1;
}  // namespace

int g_randomSeeded = 0;

void SeedRandom(uint32_t seed) { g_state = seed; }

int NextRandom() {
    g_state = g_state * 1103515245u + 12345u;
    return static_cast<int>((g_state / 65536u) % 32768u);
}
