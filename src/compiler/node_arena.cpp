#include "compiler/node_arena.h"
#include "values/slot_cache.h"

#include <cstdint>

#include "engine/memory.h"

#if defined(__linux__)
#include <sys/mman.h>
#define DURIZ_MAPPED_CHUNKS 1
#endif

namespace {

constexpr size_t kFirstChunk = 1024;  // a short handler needs no more
constexpr size_t kLargestChunk = 64 * 1024;

#ifdef DURIZ_MAPPED_CHUNKS
// Past half a megabyte of nodes (some 35 KB of script text) a script is a
// big one: its further chunks are mappings of 2 MB on a 2 MB boundary,
// which the kernel may back with one huge page each. A 4 KB page at a
// time, its nodes would cost a fault every 4 KB written, and a fault costs
// more than compiling the 4 KB of nodes does.
constexpr size_t kMappedChunk = 2 * 1024 * 1024;
constexpr size_t kMappedAfter = 512 * 1024;

// Near a memory bound the chunks stay small: the bound's last megabytes go
// to what the nodes and the script need, not to a chunk's unused room.
constexpr size_t kMappedRoom = 8 * kMappedChunk;

JsNodeChunk *MapChunk() {
    const size_t limit = JsMemoryLimit(), inUse = JsMemoryInUse();
    if (limit && (inUse >= limit || limit - inUse < kMappedRoom)) return nullptr;
    if (!JsReserve(kMappedChunk)) return nullptr;
    const size_t span = 2 * kMappedChunk;  // room to find the boundary in
    void *mapping = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        JsUnreserve(kMappedChunk);
        return nullptr;
    }
    const uintptr_t start = reinterpret_cast<uintptr_t>(mapping);
    const uintptr_t aligned = (start + kMappedChunk - 1) & ~static_cast<uintptr_t>(kMappedChunk - 1);
    if (aligned > start) munmap(mapping, aligned - start);
    if (const size_t tail = start + span - (aligned + kMappedChunk))
        munmap(reinterpret_cast<void *>(aligned + kMappedChunk), tail);
    void *chunk = reinterpret_cast<void *>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(chunk, kMappedChunk, MADV_HUGEPAGE);  // advice only: small pages do as well
#endif
    return static_cast<JsNodeChunk *>(chunk);
}

void UnmapChunk(JsNodeChunk *chunk) {
    munmap(chunk, kMappedChunk);
    JsUnreserve(kMappedChunk);
}
#endif

}  // namespace

void *JsNodeArena::AllocateInNewChunk(size_t size) {
    size_t room = nextSize ? nextSize : kFirstChunk;
    if (room < size) room = size;
    JsNodeChunk *chunk = nullptr;
#ifdef DURIZ_MAPPED_CHUNKS
    if (held >= kMappedAfter && size <= kMappedChunk - kHeader) {
        if ((chunk = MapChunk())) room = kMappedChunk - kHeader;
    }
#endif
    const bool mapped = chunk != nullptr;
    if (!chunk) chunk = static_cast<JsNodeChunk *>(JsMalloc(kHeader + room));
    if (!chunk) return nullptr;
    chunk->next = chunks;
    chunk->size = room;
    chunk->used = size;
    chunk->mapped = mapped;
    chunks = chunk;
    held += room;
    nextSize = room < kLargestChunk ? room * 2 : kLargestChunk;
    return Data(chunk);
}

void JsNodeArena::Release() {
    if (chunks) NodesFreed();
    while (JsNodeChunk *chunk = chunks) {
        chunks = chunk->next;
#ifdef DURIZ_MAPPED_CHUNKS
        if (chunk->mapped) {
            UnmapChunk(chunk);
            continue;
        }
#endif
        JsFree(chunk);
    }
    nextSize = 0;
    held = 0;
}
