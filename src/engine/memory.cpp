#include "engine/memory.h"

#include <cstdlib>
#include <cstring>

void *JsMalloc(size_t size) { return std::malloc(size ? size : 1); }

void *JsRealloc(void *block, size_t size) { return std::realloc(block, size ? size : 1); }

void JsFree(void *block) { std::free(block); }

char *JsCopyText(const char *text, size_t length) {
    char *copy = static_cast<char *>(JsMalloc(length + 1));
    if (!copy) return nullptr;
    if (length) std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}
