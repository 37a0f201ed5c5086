// The blocks that hold a script's nodes: carved one after the other from
// chunks that grow as the script does, and given back all at once with the
// script. A node dropped while compiling stays in its chunk until then.
#ifndef DURIZ_COMPILER_NODE_ARENA_H
#define DURIZ_COMPILER_NODE_ARENA_H

#include <cstddef>

struct JsNodeChunk;

struct JsNodeArena {
    JsNodeChunk *chunks = nullptr;  // the newest first
    size_t nextSize = 0;            // the size of the next chunk

    // A block of at least size bytes, aligned for a node; null when memory
    // runs out.
    void *Allocate(size_t size);
    // Gives every chunk back.
    void Release();
};

#endif
