// The tree printer needs the compiled nodes themselves, which the public
// header does not show: this is the one part of the host that looks inside
// the engine.
#include "tree.h"

#include <cstdio>

#include "compiler/script.h"
#include "compiler/tree_dump.h"
#include "duriz.h"
#include "model.h"
#include "runner.h"

int PrintTree(const std::string &name, std::string_view text, size_t chunk) {
    JsScript *script = JS_CreateScript(0);
    if (!script) {
        std::fprintf(stderr, "duriz: %s: out of memory\n", name.c_str());
        return 1;
    }
    g_reported.syntaxExcerpt.clear();
    const char *begin = text.data();
    const char *pos = begin;
    int rc;
    if (!chunk) {
        rc = JS_LoadScript(script, &pos, begin + text.size(), 0);
    } else {
        size_t fed = 0;
        do {
            fed = fed + chunk < text.size() ? fed + chunk : text.size();
            rc = JS_LoadScript(script, &pos, begin + fed, fed < text.size());
        } while (rc == DURIZ_MORE_TEXT && fed < text.size());
    }
    int status = 0;
    if (rc == DURIZ_OK) {
        const std::string dump = DumpTree(script->root);
        std::fwrite(dump.data(), 1, dump.size(), stdout);
    } else {
        size_t line = 1;
        for (const char *p = begin; p < pos; p++)
            if (*p == '\n') line++;
        std::fprintf(stderr, "duriz: %s:%zu: %s\n", name.c_str(), line, SyntaxFailure(text).c_str());
        status = 1;
    }
    JS_DeleteScript(script);
    return status;
}
