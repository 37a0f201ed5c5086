#include "engine/memory.h"

#include <cstdlib>
#include <cstring>

// Every block carries its size in a header in front of it, so that the
// engine knows how many bytes it holds and can refuse to go past a limit.
namespace {

// Eight bytes keep a block aligned for everything the engine stores
// (pointers, 64-bit integers and doubles).
constexpr size_t kHeader = 8;
static_assert(kHeader >= sizeof(size_t), "the header holds the size");

size_t g_limit = 0;  // 0: no limit
size_t g_inUse = 0;
size_t g_blocks = 0;
size_t g_refused = 0;

size_t SizeOf(void *block) {
    size_t size;
    std::memcpy(&size, static_cast<char *>(block) - kHeader, sizeof size);
    return size;
}

bool Allowed(size_t more) {
    if (!g_limit || (more <= g_limit && g_inUse <= g_limit - more)) return true;
    g_refused++;
    return false;
}

// Small blocks come in sizes rounded up to 16 bytes, and freed ones wait in
// a short list per size for the next request of that size: values, slots
// and call scopes are made and dropped all the time.
constexpr size_t kSmallLimit = 256;
constexpr int kClasses = kSmallLimit / 16 + 1;
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DURIZ_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(DURIZ_ADDRESS_SANITIZER)
constexpr int kKeptPerClass = 0;  // every freed block goes back, for the checker to see
#else
constexpr int kKeptPerClass = 128;
#endif

struct FreeBlock {
    FreeBlock *next;
};
FreeBlock *g_free[kClasses];
int g_freeCount[kClasses];

int ClassOf(size_t size) { return size <= kSmallLimit ? static_cast<int>((size + 15) / 16) : 0; }
size_t Capacity(size_t size) { return size <= kSmallLimit ? (size + 15) / 16 * 16 : size; }

}  // namespace

void *JsMalloc(size_t size) {
    if (!size) size = 1;
    if (size > static_cast<size_t>(-1) - kHeader - 16 || !Allowed(size)) return nullptr;
    const int c = ClassOf(size);
    char *raw;
    if (c && g_free[c]) {
        raw = reinterpret_cast<char *>(g_free[c]);
        g_free[c] = g_free[c]->next;
        g_freeCount[c]--;
    } else {
        raw = static_cast<char *>(std::malloc(Capacity(size) + kHeader));
        if (!raw) return nullptr;
    }
    std::memcpy(raw, &size, sizeof size);
    g_inUse += size;
    g_blocks++;
    return raw + kHeader;
}

void JsReleaseKeptBlocks() {
    for (int c = 0; c < kClasses; c++) {
        while (FreeBlock *b = g_free[c]) {
            g_free[c] = b->next;
            std::free(b);
        }
        g_freeCount[c] = 0;
    }
}

void *JsRealloc(void *block, size_t size) {
    if (!block) return JsMalloc(size);
    if (!size) size = 1;
    const size_t old = SizeOf(block);
    if (size > static_cast<size_t>(-1) - kHeader - 16 || (size > old && !Allowed(size - old))) return nullptr;
    char *raw = static_cast<char *>(std::realloc(static_cast<char *>(block) - kHeader, Capacity(size) + kHeader));
    if (!raw) return nullptr;
    std::memcpy(raw, &size, sizeof size);
    g_inUse = g_inUse - old + size;
    return raw + kHeader;
}

void JsFree(void *block) {
    if (!block) return;
    const size_t size = SizeOf(block);
    g_inUse -= size;
    g_blocks--;
    char *raw = static_cast<char *>(block) - kHeader;
    const int c = ClassOf(size);
    if (c && g_freeCount[c] < kKeptPerClass) {
        FreeBlock *b = reinterpret_cast<FreeBlock *>(raw);
        b->next = g_free[c];
        g_free[c] = b;
        g_freeCount[c]++;
        return;
    }
    std::free(raw);
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
