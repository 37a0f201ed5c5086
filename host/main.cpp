// duriz: the command-line host of the Duriz engine.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "compiler/script.h"
#include "compiler/tree_dump.h"
#include "duriz.h"

namespace {

const char kUsage[] =
    "usage: duriz [options]\n"
    "  --tree FILE    compile FILE ('-' for standard input) and print its tree,\n"
    "                 one node per line: code, then the text of names and literals\n"
    "  --chunk N      feed the text to the compiler in chunks of N bytes\n"
    "  --help         show this help\n";

struct Options {
    std::string treeFile;
    bool tree = false;
    size_t chunk = 0;
};

std::string g_lastError;  // the excerpt of the last syntax error reported

int DURIZ_CALL ReportError(uint32_t, int, const char *text) {
    g_lastError = text ? text : "";
    return 0;
}

[[noreturn]] void UsageError(const std::string &message) {
    std::fprintf(stderr, "duriz: %s\n", message.c_str());
    std::fprintf(stderr, "duriz: try 'duriz --help'\n");
    std::exit(2);
}

bool ReadAll(const std::string &path, std::string &out) {
    FILE *f = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    bool ok = !std::ferror(f);
    if (f != stdin) std::fclose(f);
    return ok;
}

Options ParseOptions(int argc, char **argv) {
    Options o;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        auto value = [&](const char *name) -> std::string {
            if (i + 1 >= argc) UsageError(std::string("option ") + name + " needs a value");
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a == "--tree") {
            o.tree = true;
            o.treeFile = value("--tree");
        } else if (a == "--chunk") {
            std::string v = value("--chunk");
            char *endp = nullptr;
            errno = 0;
            unsigned long long n = std::strtoull(v.c_str(), &endp, 10);
            if (v.empty() || *endp || errno || n == 0 || v[0] == '-')
                UsageError("--chunk needs a positive number of bytes, not '" + v + "'");
            o.chunk = static_cast<size_t>(n);
        } else {
            UsageError("unknown option '" + a + "'");
        }
    }
    if (!o.tree) UsageError("nothing to do");
    return o;
}

std::string Escaped(const std::string &text) {
    std::string out;
    AppendEscaped(out, text.c_str());
    return out;
}

// Compiles text into script, whole or in chunks; answers the last result
// and leaves *stop where the compiler stopped.
int LoadText(JsScript *script, const std::string &text, size_t chunk, const char **stop) {
    const char *begin = text.data();
    const char *pos = begin;
    const size_t total = text.size();
    if (!chunk) {
        int rc = JS_LoadScript(script, &pos, begin + total, 0);
        *stop = pos;
        return rc;
    }
    size_t fed = 0;
    int rc;
    do {
        fed = fed + chunk < total ? fed + chunk : total;
        rc = JS_LoadScript(script, &pos, begin + fed, fed < total);
    } while (rc == DURIZ_MORE_TEXT && fed < total);
    *stop = pos;
    return rc;
}

int RunTree(const Options &o) {
    std::string text;
    const std::string name = o.treeFile == "-" ? "<stdin>" : o.treeFile;
    if (!ReadAll(o.treeFile, text)) {
        std::fprintf(stderr, "duriz: %s: cannot read: %s\n", name.c_str(), std::strerror(errno));
        return 2;
    }
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, ReportError);
    JsScript *script = JS_CreateScript(0);
    if (!script) {
        std::fprintf(stderr, "duriz: %s: out of memory\n", name.c_str());
        return 1;
    }
    const char *stop = nullptr;
    int rc = LoadText(script, text, o.chunk, &stop);
    int status = 0;
    if (rc == DURIZ_OK) {
        std::string dump = DumpTree(script->root);
        std::fwrite(dump.data(), 1, dump.size(), stdout);
    } else {
        size_t line = 1;
        for (const char *p = text.data(); p < stop; p++)
            if (*p == '\n') line++;
        std::fprintf(stderr, "duriz: %s:%zu: syntax error: %s\n", name.c_str(), line,
                     Escaped(g_lastError).c_str());
        status = 1;
    }
    JS_DeleteScript(script);
    JS_Destroy();
    return status;
}

}  // namespace

int main(int argc, char **argv) {
    Options o = ParseOptions(argc, argv);
    return RunTree(o);
}
