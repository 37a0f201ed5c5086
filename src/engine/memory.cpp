#include "engine/memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Every block carries its size in a header in front of it, so that the
// engine knows how many bytes it holds and can refuse to go past a limit.
// Every block is also known to the allocator, whether the engine still
// refers to it or not, so that shutting down gives back all of them.
namespace {

// Eight bytes in front of every block: a small block's size and its place
// in its chunk; a large block's size sits in front of these.
struct BlockHeader {
    uint32_t size;         // kLarge for a large block
    uint32_t chunkOffset;  // the block's distance from its chunk's start
};
constexpr size_t kHeader = sizeof(BlockHeader);
static_assert(kHeader == 8, "blocks stay 8-byte aligned");
constexpr uint32_t kLarge = 0xFFFFFFFFu;

size_t g_limit = 0;  // 0: no limit
size_t g_inUse = 0;
size_t g_blocks = 0;
size_t g_refused = 0;

BlockHeader *HeaderOf(void *block) { return reinterpret_cast<BlockHeader *>(static_cast<char *>(block) - kHeader); }

bool Allowed(size_t more) {
    if (!g_limit || (more <= g_limit && g_inUse <= g_limit - more)) return true;
    g_refused++;
    return false;
}

// Small blocks come in sizes rounded up to 16 bytes, from chunks that hold
// blocks of one size: values, slots and call scopes are made and dropped all
// the time. A chunk whose blocks are all free again goes back to the
// system, unless it is the last with room for its size. Larger blocks are
// allocated one by one and linked in a list. Under the address checker
// every block is allocated on its own, so that it sees each one freed.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DURIZ_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(DURIZ_ADDRESS_SANITIZER)
constexpr size_t kSmallLimit = 0;
#else
constexpr size_t kSmallLimit = 256;
#endif
constexpr int kClasses = kSmallLimit / 16 + 1;
constexpr size_t kChunkBytes = 4096;

struct FreeBlock {
    FreeBlock *next;
};

struct Chunk {
    Chunk *prev, *next;        // the chunks of its size with a free block
    Chunk *allPrev, *allNext;  // every chunk
    FreeBlock *free;           // its blocks freed again
    char *fresh;               // its blocks never used yet start here
    char *end;
    int32_t used;              // blocks in use
    int32_t size;              // its size class
    bool open;                 // on its size's list
};
constexpr size_t kChunkHeader = (sizeof(Chunk) + 15) / 16 * 16;

Chunk *g_open[kClasses];  // per size: the chunks with a free block
Chunk g_allChunks = {nullptr, nullptr, &g_allChunks, &g_allChunks, nullptr, nullptr, nullptr, 0, 0, false};

int ClassOf(size_t size) { return size <= kSmallLimit ? static_cast<int>((size + 15) / 16) : 0; }
size_t Stride(int c) { return static_cast<size_t>(c) * 16 + kHeader; }

void OpenChunk(Chunk *k) {
    k->prev = nullptr;
    k->next = g_open[k->size];
    if (k->next) k->next->prev = k;
    g_open[k->size] = k;
    k->open = true;
}

void CloseChunk(Chunk *k) {
    if (k->prev) k->prev->next = k->next;
    else g_open[k->size] = k->next;
    if (k->next) k->next->prev = k->prev;
    k->open = false;
}

Chunk *NewChunk(int c) {
    Chunk *k = static_cast<Chunk *>(std::malloc(kChunkBytes));
    if (!k) return nullptr;
    k->free = nullptr;
    k->fresh = reinterpret_cast<char *>(k) + kChunkHeader;
    k->end = reinterpret_cast<char *>(k) + kChunkBytes;
    k->used = 0;
    k->size = c;
    k->allNext = g_allChunks.allNext;
    k->allPrev = &g_allChunks;
    g_allChunks.allNext->allPrev = k;
    g_allChunks.allNext = k;
    OpenChunk(k);
    return k;
}

char *SmallBlock(int c) {
    Chunk *k = g_open[c];
    if (!k && !(k = NewChunk(c))) return nullptr;
    char *block;
    if (k->free) {
        block = reinterpret_cast<char *>(k->free);
        k->free = k->free->next;
    } else {
        block = k->fresh + kHeader;
        k->fresh += Stride(c);
        HeaderOf(block)->chunkOffset = static_cast<uint32_t>(block - reinterpret_cast<char *>(k));
    }
    k->used++;
    if (!k->free && k->fresh + Stride(c) > k->end) CloseChunk(k);
    return block;
}

void FreeSmall(char *block) {
    Chunk *k = reinterpret_cast<Chunk *>(block - HeaderOf(block)->chunkOffset);
    FreeBlock *b = reinterpret_cast<FreeBlock *>(block);
    b->next = k->free;
    k->free = b;
    k->used--;
    if (!k->open) OpenChunk(k);
    if (k->used == 0 && (k->prev || k->next)) {
        CloseChunk(k);
        k->allPrev->allNext = k->allNext;
        k->allNext->allPrev = k->allPrev;
        std::free(k);
    }
}

// A large block: the links and its size, then the header, then the block.
struct LargeHeader {
    LargeHeader *prev;
    LargeHeader *next;
    size_t size;
};
constexpr size_t kLargeHeader = (sizeof(LargeHeader) + 7) / 8 * 8 + kHeader;
LargeHeader g_large = {&g_large, &g_large, 0};

LargeHeader *LargeOf(void *block) {
    return reinterpret_cast<LargeHeader *>(static_cast<char *>(block) - kLargeHeader);
}

void LinkLarge(LargeHeader *h) {
    h->next = g_large.next;
    h->prev = &g_large;
    g_large.next->prev = h;
    g_large.next = h;
}

void UnlinkLarge(LargeHeader *h) {
    h->prev->next = h->next;
    h->next->prev = h->prev;
}

size_t SizeOf(void *block) {
    const uint32_t size = HeaderOf(block)->size;
    return size != kLarge ? size : LargeOf(block)->size;
}

// A block of size bytes, the limit already asked.
void *NewBlock(size_t size) {
    char *block;
    if (const int c = ClassOf(size)) {
        block = SmallBlock(c);
        if (!block) return nullptr;
        HeaderOf(block)->size = static_cast<uint32_t>(size);
    } else {
        char *raw = static_cast<char *>(std::malloc(size + kLargeHeader));
        if (!raw) return nullptr;
        LargeHeader *h = reinterpret_cast<LargeHeader *>(raw);
        LinkLarge(h);
        h->size = size;
        block = raw + kLargeHeader;
        HeaderOf(block)->size = kLarge;
        HeaderOf(block)->chunkOffset = 0;
    }
    g_inUse += size;
    g_blocks++;
    return block;
}

}  // namespace

void *JsMalloc(size_t size) {
    if (!size) size = 1;
    if (size > static_cast<size_t>(-1) - kLargeHeader - 16 || !Allowed(size)) return nullptr;
    return NewBlock(size);
}

void *JsRealloc(void *block, size_t size) {
    if (!block) return JsMalloc(size);
    if (!size) size = 1;
    const size_t old = SizeOf(block);
    if (size > static_cast<size_t>(-1) - kLargeHeader - 16 || (size > old && !Allowed(size - old))) return nullptr;
    if (ClassOf(old) || ClassOf(size)) {
        if (ClassOf(old) == ClassOf(size)) {
            g_inUse = g_inUse - old + size;
            HeaderOf(block)->size = static_cast<uint32_t>(size);
            return block;
        }
        // Into or out of a chunk: a new block and a copy.
        void *moved = NewBlock(size);
        if (!moved) return nullptr;
        std::memcpy(moved, block, old < size ? old : size);
        JsFree(block);
        return moved;
    }
    LargeHeader *h = LargeOf(block);
    LargeHeader *prev = h->prev, *next = h->next;
    char *raw = static_cast<char *>(std::realloc(h, size + kLargeHeader));
    if (!raw) return nullptr;
    h = reinterpret_cast<LargeHeader *>(raw);
    prev->next = h;
    next->prev = h;
    h->size = size;
    g_inUse = g_inUse - old + size;
    return raw + kLargeHeader;
}

void JsFree(void *block) {
    if (!block) return;
    const size_t size = SizeOf(block);
    g_inUse -= size;
    g_blocks--;
    if (ClassOf(size)) {
        FreeSmall(static_cast<char *>(block));
        return;
    }
    LargeHeader *h = LargeOf(block);
    UnlinkLarge(h);
    std::free(h);
}

void JsReleaseAllBlocks() {
    while (g_allChunks.allNext != &g_allChunks) {
        Chunk *k = g_allChunks.allNext;
        g_allChunks.allNext = k->allNext;
        std::free(k);
    }
    g_allChunks.allPrev = &g_allChunks;
    for (Chunk *&open : g_open) open = nullptr;
    while (g_large.next != &g_large) {
        LargeHeader *h = g_large.next;
        UnlinkLarge(h);
        std::free(h);
    }
    g_inUse = 0;
    g_blocks = 0;
}

char *JsCopyText(const char *text, size_t length) {
    char *copy = static_cast<char *>(JsMalloc(length + 1));
    if (!copy) return nullptr;
    if (length) std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

bool JsReserve(size_t bytes, bool evenPastLimit) {
    if (!evenPastLimit && !Allowed(bytes)) return false;
    g_inUse += bytes;
    return true;
}

void JsUnreserve(size_t bytes) { g_inUse -= bytes < g_inUse ? bytes : g_inUse; }

void JsSetMemoryLimit(size_t bytes) { g_limit = bytes; }
size_t JsMemoryLimit() { return g_limit; }
size_t JsMemoryInUse() { return g_inUse; }
size_t JsBlocksInUse() { return g_blocks; }
size_t JsRefusedAllocations() { return g_refused; }
size_t JsBlockSize(void *block) { return block ? SizeOf(block) : 0; }
