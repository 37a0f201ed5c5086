// Allocation failure everywhere: scripts compiled and run with the engine's
// memory bound set so that the next allocation, then the one after, and so
// on, fails. Every run must end with a defined status, and once the engine
// is shut down every block it took must be back.
#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "duriz.h"
#include "engine/memory.h"

namespace {

const char *const kScripts[] = {
    "var s = 'ab'; for (var i = 0; i < 12; i++) s = s + s; s.length",
    "function f(n) { return n < 2 ? n : f(n - 1) + f(n - 2) } f(12)",
    "o = new Object(); o.a = 1; o.b = 'x' + o.a; for (k in o) o[k] = o[k] + k; o.b",
    "a = new Array(1, 2, 3); a[10] = 'z'; a.sort(); a.reverse(); a.join('-')",
    "d = new Date(98, 11, 25); d.setYear(2001); d.toGMTString() + d.getDay()",
    "'a,b,,c'.split(',').length + 'Hello'.toUpperCase().bold() + escape('a b') + parseInt('0x1f')",
    "f = new Function('a', 'b', 'return a * b'); eval('f(6, 7) + 1')",
    "x = 1; with (Math) { x = round(PI * 100) / sqrt(4) } x += 'q'; x.substring(1, 3)",
    "s = ''; i = 0; while (i < 300) { s += i; i++ } s.lastIndexOf('29')",
};

int RunBounded(const char *text, size_t headroom) {
    JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    if (!window) return -1;
    JsSetMemoryLimit(JsMemoryInUse() + headroom);
    int status = DURIZ_SYNTAX_ERROR;
    JsScript *script = JS_CreateScript(0);
    const char *pos = text;
    if (script && JS_LoadScript(script, &pos, text + std::char_traits<char>::length(text), 0) == DURIZ_OK) {
        JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, nullptr);
        status = context ? DURIZ_BUSY : DURIZ_RUNTIME_ERROR;
        // The budget rounds are bounded: a failed allocation must never
        // turn a script into an endless one.
        for (int rounds = 0; context && status == DURIZ_BUSY && rounds < 100000; rounds++) {
            JsValue *value = nullptr;
            status = JS_Evaluate(context, &value);
            JS_DeleteObject(value);
        }
        JS_DeleteEvalContext(context);
    }
    JS_DeleteScript(script);
    JsSetMemoryLimit(0);
    JS_DeleteObject(window);
    return status;
}

TEST(MemoryLimit, EveryFailingAllocationHasADefinedOutcome) {
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const size_t baseline = JsBlocksInUse();
    for (const char *text : kScripts) {
        // Dense steps at first, where compiling fails, then wider ones.
        for (size_t headroom = 0; headroom < 200000; headroom += headroom < 4096 ? 16 : headroom / 8) {
            const int status = RunBounded(text, headroom);
            EXPECT_TRUE(status == DURIZ_DONE || status == DURIZ_DONE_TRUE || status == DURIZ_DONE_FALSE ||
                        status == DURIZ_RUNTIME_ERROR || status == DURIZ_SYNTAX_ERROR)
                << text << " with " << headroom << " bytes: " << status;
        }
        // Unbounded, the same script finishes.
        const int whole = RunBounded(text, static_cast<size_t>(1) << 40);
        EXPECT_NE(whole, DURIZ_RUNTIME_ERROR) << text;
        EXPECT_NE(whole, DURIZ_SYNTAX_ERROR) << text;
    }
    // What the runs left is only what the engine keeps for reuse (pooled
    // numbers and frames); shutting down returns every block.
    EXPECT_GE(JsBlocksInUse(), baseline);
    JS_Destroy();
    EXPECT_EQ(JsBlocksInUse(), 0u);
}

TEST(MemoryLimit, CorpusScriptsUnderShrinkingBounds) {
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    DIR *dir = opendir(DURIZ_CORPUS_DIR);
    ASSERT_NE(dir, nullptr);
    int files = 0;
    while (dirent *e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.size() < 4 || name.compare(name.size() - 3, 3, ".js") != 0) continue;
        std::ifstream in(std::string(DURIZ_CORPUS_DIR) + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string script = text.str();
        files++;
        for (size_t headroom = 64; headroom < 400000; headroom += headroom / 3) {
            const int status = RunBounded(script.c_str(), headroom);
            EXPECT_NE(status, DURIZ_BUSY) << name << " with " << headroom << " bytes never ended";
        }
    }
    closedir(dir);
    EXPECT_GT(files, 0);
    JS_Destroy();
    EXPECT_EQ(JsBlocksInUse(), 0u);
}

TEST(MemoryLimit, DoublingStringStopsAtTheBoundAndTheRunGoesOn) {
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    // s = s + s fails once the bound is reached; the loop still ends and
    // the engine holds no more than the bound.
    const int status = RunBounded("s = 'x'; n = 0; for (i = 0; i < 40; i++) { s = s + s; n++ } n", 1 << 20);
    EXPECT_TRUE(status == DURIZ_DONE || status == DURIZ_RUNTIME_ERROR) << status;
    JS_Destroy();
    EXPECT_EQ(JsBlocksInUse(), 0u);
}

TEST(MemoryLimit, StartUpIgnoresTheBound) {
    JsSetMemoryLimit(1);
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    JsSetMemoryLimit(0);
    EXPECT_EQ(RunBounded("1 + 2", 1 << 20), DURIZ_DONE);
    JS_Destroy();
    EXPECT_EQ(JsBlocksInUse(), 0u);
}

}  // namespace

namespace {

int g_reports = 0;
int DURIZ_CALL CountReport(uint32_t, int code, const char *) {
    if (code == DURIZ_RUNTIME_ERROR) g_reports++;
    return 0;
}

TEST(MemoryLimit, AnEndlessRecursionIsARunTimeErrorReportedOnce) {
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, CountReport);
    for (const char *text : {"function r(n) { return r(n + 1) } r(0)", "function d() { var k = 1; d() } d()",
                             "function m(a, b) { return m(b, a) + 1 } x = m(1, 2)"}) {
        g_reports = 0;
        EXPECT_EQ(RunBounded(text, 1 << 20), DURIZ_RUNTIME_ERROR) << text;
        EXPECT_EQ(g_reports, 1) << text;
    }
    JS_Destroy();
    EXPECT_EQ(JsBlocksInUse(), 0u);
}

}  // namespace
