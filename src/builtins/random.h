// The engine's pseudo-random generator: the classic 15-bit linear
// congruential generator of the C library's rand, kept inside the engine
// so that every platform gives the same sequence for the same seed and the
// host's own rand state is left alone.
#ifndef DURIZ_BUILTINS_RANDOM_H
#define DURIZ_BUILTINS_RANDOM_H

#include <cstdint>

constexpr int kRandomMax = 32767;

void SeedRandom(uint32_t seed);
// The next value, 0 to 32767.
int NextRandom();

// Set once Math.random has seeded the generator; JS_Init clears it.
extern int g_randomSeeded;

#endif
