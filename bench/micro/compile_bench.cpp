// Micro-benchmark of compiling: the same generated script of about 1 MB
// (the shape of bench/gen_compile.sh's lines) compiled whole, again and
// again, the script deleted after each compile; reports bytes per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "duriz.h"

namespace {

std::string GeneratedScript() {
    std::string text;
    char line[256];
    for (int i = 0; i < 9000; i++) {
        if (i % 40 == 0) {
            std::snprintf(line, sizeof line, "function neverCalled%d() {\n", i);
            text += line;
        }
        std::snprintf(line, sizeof line,
                      "  var v%d = (a%d + %d) * b.c[%d] - f(\"text %d\", x%d, y%d); if (v%d > %d) { w = w + v%d; }"
                      " else { w = w - 1; }\n",
                      i, i, i, i, i, i, i, i, i, i);
        text += line;
        if (i % 40 == 39) text += "}\n";
    }
    text += "document.write(12345);\n";
    return text;
}

void BM_CompileMegabyte(benchmark::State &state) {
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const std::string text = GeneratedScript();
    for (auto _ : state) {
        JsScript *script = JS_CreateScript(0);
        const char *position = text.data();
        if (JS_LoadScript(script, &position, text.data() + text.size(), 0) != DURIZ_OK)
            state.SkipWithError("the script did not compile");
        JS_DeleteScript(script);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    JS_Destroy();
}
BENCHMARK(BM_CompileMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace
