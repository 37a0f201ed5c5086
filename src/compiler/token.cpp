#include "compiler/token.h"
#include "compiler/operator_table.h"

#include <cstdint>
#include <cstring>

#include "values/slot_cache.h"

// Remembered look-ups pick a node's entry by its address in steps smaller
// than a node, so that no two nodes start in one step.
static_assert(sizeof(JsToken) > (1u << kSiteShift), "a node is longer than a step of the cache index");

JsToken::~JsToken() {
    NodesFreed();
    // Each child in turn is taken off and deleted once its own children have
    // moved to the front of this node's, in order: every level goes first
    // child first, as a recursive deletion would, at a constant depth.
    while (JsToken *child = FirstChild()) {
        child->Detach();
        while (JsToken *grandchild = child->LastChild()) {
            grandchild->Detach();
            grandchild->PrependToParent(this);
        }
        delete child;
    }
    // A text right behind the record goes with the record's block.
    if (text != reinterpret_cast<char *>(this + 1)) JsFree(text);
}

size_t ResolveEscapes(char *text, size_t length) {
    size_t out = 0;
    for (size_t in = 0; in < length; in++) {
        char c = text[in];
        if (c == '\\') {
            if (++in == length) break;  // a backslash at the very end is dropped
            c = text[in];
            switch (c) {
            case 'n': c = 10; break;
            case 'r': c = 13; break;
            case 't': c = 9; break;
            case 'b': c = 8; break;
            case 'f': c = 12; break;
            default: break;
            }
        }
        text[out++] = c;
    }
    text[out] = 0;
    return out;
}

static int16_t StoredCode(int code) {
    return static_cast<int16_t>(code == TK_ESCAPED_STRING ? TK_STRING : code);
}

JsToken *JsToken::Make(int code, const char *text, ptrdiff_t length) {
    // One block: the record, then its text.
    const bool withText = text && length >= 0;
    void *block = JsMalloc(sizeof(JsToken) + (withText ? static_cast<size_t>(length) + 1 : 0));
    if (!block) return nullptr;
    return MakeInBlock(block, code, withText ? text : nullptr, withText ? length : -1);
}

namespace {

// Copies n bytes, n at most 16, as two copies of a fixed width that may
// overlap in the middle: no loop and no library call for the few bytes
// most texts have.
inline void CopyShort(char *to, const char *from, size_t n) {
    if (n >= 8) {
        uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4) {
        uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else if (n >= 2) {
        uint16_t head, tail;
        std::memcpy(&head, from, 2);
        std::memcpy(&tail, from + n - 2, 2);
        std::memcpy(to, &head, 2);
        std::memcpy(to + n - 2, &tail, 2);
    } else if (n == 1) {
        to[0] = from[0];
    }
}

}  // namespace

JsToken *JsToken::MakeInBlock(void *block, int code, const char *text, ptrdiff_t length) {
    char *place = nullptr;
    if (text && length >= 0) {
        place = static_cast<char *>(block) + sizeof(JsToken);
        if (length <= 16) {
            CopyShort(place, text, static_cast<size_t>(length));
        } else {
            std::memcpy(place, text, static_cast<size_t>(length));
        }
        place[length] = 0;
        if (code == TK_ESCAPED_STRING) ResolveEscapes(place, static_cast<size_t>(length));
    }
    return new (block) JsToken(StoredCode(code), place);
}

const char *OperatorText(int code) {
    const OperatorInfo *info = FindOperator(code);
    return info ? info->text : nullptr;
}
