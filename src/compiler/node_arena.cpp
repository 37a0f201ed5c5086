#include "compiler/node_arena.h"
#include "values/slot_cache.h"

#include "engine/memory.h"

struct JsNodeChunk {
    JsNodeChunk *next;
    size_t size;  // bytes after the header
    size_t used;
};

namespace {

constexpr size_t kAlign = alignof(void *) > 8 ? alignof(void *) : 8;
constexpr size_t kFirstChunk = 1024;  // a short handler needs no more
constexpr size_t kLargestChunk = 64 * 1024;

size_t Rounded(size_t n) { return (n + kAlign - 1) / kAlign * kAlign; }

char *Data(JsNodeChunk *chunk) { return reinterpret_cast<char *>(chunk) + Rounded(sizeof(JsNodeChunk)); }

}  // namespace

void *JsNodeArena::Allocate(size_t size) {
    size = Rounded(size ? size : 1);
    JsNodeChunk *chunk = chunks;
    if (!chunk || chunk->size - chunk->used < size) {
        size_t room = nextSize ? nextSize : kFirstChunk;
        if (room < size) room = size;
        chunk = static_cast<JsNodeChunk *>(JsMalloc(Rounded(sizeof(JsNodeChunk)) + room));
        if (!chunk) return nullptr;
        chunk->next = chunks;
        chunk->size = room;
        chunk->used = 0;
        chunks = chunk;
        nextSize = room < kLargestChunk ? room * 2 : kLargestChunk;
    }
    void *block = Data(chunk) + chunk->used;
    chunk->used += size;
    return block;
}

void JsNodeArena::Release() {
    if (chunks) NodesFreed();
    while (JsNodeChunk *chunk = chunks) {
        chunks = chunk->next;
        JsFree(chunk);
    }
    nextSize = 0;
}
