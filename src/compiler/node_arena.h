// The blocks that hold a script's nodes: carved one after the other from
// chunks that grow as the script does, and given back all at once with the
// script. A node dropped while compiling stays in its chunk until then.
#ifndef DURIZ_COMPILER_NODE_ARENA_H
#define DURIZ_COMPILER_NODE_ARENA_H

#include <cstddef>

struct JsNodeChunk {
    JsNodeChunk *next;
    size_t size;  // bytes after the header
    size_t used;
    bool mapped;  // a mapping of its own, not a heap block
};

struct JsNodeArena {
    static constexpr size_t kAlign = alignof(void *) > 8 ? alignof(void *) : 8;

    JsNodeChunk *chunks = nullptr;  // the newest first
    size_t nextSize = 0;            // the size of the next chunk
    size_t held = 0;                // the bytes of all the chunks

    // A block of at least size bytes, aligned for a node; null when memory
    // runs out.
    void *Allocate(size_t size) {
        // An empty block still gets room of its own.
        size = ((size ? size : 1) + kAlign - 1) & ~(kAlign - 1);
        JsNodeChunk *chunk = chunks;
        if (chunk && chunk->size - chunk->used >= size) {
            void *block = Data(chunk) + chunk->used;
            chunk->used += size;
            return block;
        }
        return AllocateInNewChunk(size);
    }
    // Gives every chunk back.
    void Release();

private:
    static constexpr size_t kHeader = (sizeof(JsNodeChunk) + kAlign - 1) & ~(kAlign - 1);
    static char *Data(JsNodeChunk *chunk) { return reinterpret_cast<char *>(chunk) + kHeader; }
    void *AllocateInNewChunk(size_t size);
};

#endif
