#include "compiler/node_arena.h"
#include "values/slot_cache.h"

#include "engine/memory.h"

namespace {

constexpr size_t kFirstChunk = 1024;  // a short handler needs no more
constexpr size_t kLargestChunk = 64 * 1024;

}  // namespace

void *JsNodeArena::AllocateInNewChunk(size_t size) {
    size_t room = nextSize ? nextSize : kFirstChunk;
    if (room < size) room = size;
    JsNodeChunk *chunk = static_cast<JsNodeChunk *>(JsMalloc(kHeader + room));
    if (!chunk) return nullptr;
    chunk->next = chunks;
    chunk->size = room;
    chunk->used = size;
    chunks = chunk;
    nextSize = room < kLargestChunk ? room * 2 : kLargestChunk;
    return Data(chunk);
}

void JsNodeArena::Release() {
    if (chunks) NodesFreed();
    while (JsNodeChunk *chunk = chunks) {
        chunks = chunk->next;
        JsFree(chunk);
    }
    nextSize = 0;
}
