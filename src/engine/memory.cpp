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

size_t SizeOf(void *block) {
    size_t size;
    std::memcpy(&size, static_cast<char *>(block) - kHeader, sizeof size);
    return size;
}

bool Allowed(size_t more) {
    return !g_limit || (more <= g_limit && g_inUse <= g_limit - more);
}

}  // namespace

void *JsMalloc(size_t size) {
    if (!size) size = 1;
    if (size > static_cast<size_t>(-1) - kHeader || !Allowed(size)) return nullptr;
    char *raw = static_cast<char *>(std::malloc(size + kHeader));
    if (!raw) return nullptr;
    std::memcpy(raw, &size, sizeof size);
    g_inUse += size;
    g_blocks++;
    return raw + kHeader;
}

void *JsRealloc(void *block, size_t size) {
    if (!block) return JsMalloc(size);
    if (!size) size = 1;
    const size_t old = SizeOf(block);
    if (size > static_cast<size_t>(-1) - kHeader || (size > old && !Allowed(size - old))) return nullptr;
    char *raw = static_cast<char *>(std::realloc(static_cast<char *>(block) - kHeader, size + kHeader));
    if (!raw) return nullptr;
    std::memcpy(raw, &size, sizeof size);
    g_inUse = g_inUse - old + size;
    return raw + kHeader;
}

void JsFree(void *block) {
    if (!block) return;
    g_inUse -= SizeOf(block);
    g_blocks--;
    std::free(static_cast<char *>(block) - kHeader);
}

char *JsCopyText(const char *text, size_t length) {
    char *copy = static_cast<char *>(JsMalloc(length + 1));
    if (!copy) return nullptr;
    if (length) std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

void JsSetMemoryLimit(size_t bytes) { g_limit = bytes; }
size_t JsMemoryLimit() { return g_limit; }
size_t JsMemoryInUse() { return g_inUse; }
size_t JsBlocksInUse() { return g_blocks; }
