// Engine allocation. Every engine object is allocated through JsMalloc, which
// answers null on failure instead of throwing, so a failed allocation takes
// the caller's "allocation failed" path.
#ifndef DURIZ_ENGINE_MEMORY_H
#define DURIZ_ENGINE_MEMORY_H

#include <cstddef>
#include <new>

void *JsMalloc(size_t size);
void *JsRealloc(void *block, size_t size);
void JsFree(void *block);

// Base of every engine class allocated with new: `new T` yields null when
// the memory is not there, and the constructor is then not run.
class JsAllocated {
public:
    static void *operator new(size_t size) noexcept { return JsMalloc(size); }
    static void *operator new(size_t, void *place) noexcept { return place; }
    static void operator delete(void *block) noexcept { JsFree(block); }
    static void operator delete(void *, void *) noexcept {}
};

// The engine-wide limit on the bytes the engine holds (0: none); past it
// every allocation fails.
void JsSetMemoryLimit(size_t bytes);
size_t JsMemoryLimit();
// Bytes and blocks the engine holds now.
size_t JsMemoryInUse();
size_t JsBlocksInUse();
// Counts bytes as held without a block behind them, for memory the engine
// has promised to take later (false, and nothing counted, when the limit
// refuses them; evenPastLimit counts them regardless). Unreserve gives such
// bytes back.
bool JsReserve(size_t bytes, bool evenPastLimit = false);
void JsUnreserve(size_t bytes);
// The bytes a block was asked with (0 for none).
size_t JsBlockSize(void *block);
// Requests the limit has refused since start-up.
size_t JsRefusedAllocations();

// Gives every block back to the system, those still in use too: the engine
// shuts down, and whatever still points into its memory dangles.
void JsReleaseAllBlocks();

// The blocks that were still in use when the engine last shut down, before
// they were given back: none when the host had given back every handle.
extern size_t g_blocksLeftAtShutDown;

// A NUL-terminated copy of length bytes of text, or null.
char *JsCopyText(const char *text, size_t length);

#endif
