// The compiler alone: the text compiled whole and fed in chunks whose sizes
// come from the input must give the same result and the same tree, and the
// error excerpt must stay within its bound.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "compiler/parser.h"
#include "compiler/script.h"
#include "compiler/tree_dump.h"
#include "duriz.h"

namespace {

size_t g_reportLength;
int DURIZ_CALL OnError(uint32_t, int, const char *text) {
    g_reportLength = text ? std::strlen(text) : 0;
    return 0;
}

struct Result {
    int rc;
    std::string tree;
};

Result CompileWith(const char *text, size_t size, const uint8_t *cuts, size_t cutCount) {
    JsScript *script = JsScript::Create(0, 0);
    const char *pos = text;
    int rc = DURIZ_MORE_TEXT;
    size_t end = 0;
    for (size_t i = 0; i < cutCount && rc == DURIZ_MORE_TEXT; i++) {
        end += 1 + cuts[i] % 16;
        if (end >= size) break;
        rc = Compile(script, &pos, text + end, 1);
    }
    if (rc == DURIZ_MORE_TEXT) rc = Compile(script, &pos, text + size, 0);
    Result r{rc, rc == DURIZ_OK ? DumpTree(script->root) : std::string()};
    JsScript::Destroy(script);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool started = false;
    if (!started) {
        JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, OnError);
        started = true;
    }
    // The first bytes choose the chunk sizes; the rest is the script, in a
    // buffer of exactly its size.
    const size_t cutCount = size ? data[0] % 8 : 0;
    const size_t skip = size ? 1 + (cutCount < size - 1 ? cutCount : size - 1) : 0;
    const uint8_t *cuts = data + (size ? 1 : 0);
    const size_t textSize = size - skip;
    char *text = static_cast<char *>(std::malloc(textSize ? textSize : 1));
    if (textSize) std::memcpy(text, data + skip, textSize);
    const Result whole = CompileWith(text, textSize, nullptr, 0);
    if (whole.rc == DURIZ_SYNTAX_ERROR && g_reportLength > 1024) std::abort();
    const Result chunked = CompileWith(text, textSize, cuts, skip ? skip - 1 : 0);
    if (whole.rc != chunked.rc || whole.tree != chunked.tree) std::abort();
    std::free(text);
    return 0;
}
