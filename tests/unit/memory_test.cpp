// Memory: the block allocator and the node arena; allocation failing
// everywhere; long chains of holders freed without deep recursion; and
// values that hold each other in cycles, reclaimed once nothing outside
// holds them (whatever the order the host gives its handles back in) but
// never while the host or a live context still reaches them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compiler/node_arena.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/memory.h"
#include "values/array.h"
#include "values/cycles.h"

namespace {

// Freed small blocks are kept for reuse, but the counts and the limit see
// only the blocks in use, and a block grown and shrunk keeps its text; the
// node arena's blocks are aligned and apart, and go back together.
TEST(MemoryBlocks, CountsLimitsAndArenas) {
    const size_t bytes = JsMemoryInUse(), blocks = JsBlocksInUse();
    void *a = JsMalloc(24);
    EXPECT_TRUE(a && JsMemoryInUse() == bytes + 24);
    JsFree(a);
    EXPECT_TRUE(JsMemoryInUse() == bytes && JsBlocksInUse() == blocks);
    JsSetMemoryLimit(JsMemoryInUse() + 8);  // a kept block of the size, yet past the limit
    EXPECT_EQ(JsMalloc(24), nullptr);
    JsFree(JsMalloc(8));
    JsSetMemoryLimit(0);
    char *r = static_cast<char *>(JsMalloc(10));
    std::memcpy(r, "0123456789", 10);
    r = static_cast<char *>(JsRealloc(JsRealloc(r, 500), 20));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(std::memcmp(r, "0123456789", 10), 0);
    JsFree(r);
    EXPECT_EQ(JsBlocksInUse(), blocks);
    JsNodeArena arena;
    const size_t sizes[] = {1, 7, 72, 73, 200, 1000, 5000, 70000, 3, 80};  // one bigger than any chunk
    std::vector<char *> got;
    for (size_t size : sizes) {
        got.push_back(static_cast<char *>(arena.Allocate(size)));
        ASSERT_NE(got.back(), nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(got.back()) % alignof(void *), 0u) << size;
        std::memset(got.back(), static_cast<int>(size & 0xFF), size);
    }
    for (size_t i = 0; i < got.size(); i++)
        for (size_t j = 0; j < sizes[i]; j++) ASSERT_EQ(static_cast<unsigned char>(got[i][j]), sizes[i] & 0xFF);
    arena.Release();
    EXPECT_TRUE(JsMemoryInUse() == bytes && JsBlocksInUse() == blocks);
    JsSetMemoryLimit(JsMemoryInUse() + 16);  // past the limit a chunk is refused, the arena stays usable
    EXPECT_EQ(arena.Allocate(64), nullptr);
    JsSetMemoryLimit(0);
    EXPECT_NE(arena.Allocate(64), nullptr);
    arena.Release();
    EXPECT_EQ(JsBlocksInUse(), blocks);
}

int g_reports = 0;
int DURIZ_CALL CountReport(uint32_t, int code, const char *) {
    g_reports += code == DURIZ_RUNTIME_ERROR;
    return 0;
}

// Runs text in a window of its own with headroom bytes above what the
// engine holds; the status (the budget rounds are bounded: a failed
// allocation must never make a script endless).
int RunBounded(const std::string &text, size_t headroom) {
    JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    if (!window) return -1;
    JsSetMemoryLimit(JsMemoryInUse() + headroom);
    int status = DURIZ_SYNTAX_ERROR;
    JsScript *script = JS_CreateScript(0);
    const char *pos = text.c_str();
    if (script && JS_LoadScript(script, &pos, text.c_str() + text.size(), 0) == DURIZ_OK) {
        JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, nullptr);
        status = context ? DURIZ_BUSY : DURIZ_RUNTIME_ERROR;
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
    // Start-up ignores the bound.
    JsSetMemoryLimit(1);
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, CountReport);
    JsSetMemoryLimit(0);
    EXPECT_EQ(RunBounded("1 + 2", 1 << 20), DURIZ_DONE);
    // An endless recursion is a run-time error, reported once, also when
    // the frames and locals pooled by the runs before let it get further
    // (memory then runs out making a call's locals or argument list).
    for (int again = 0; again < 3; again++) {
        for (const char *text : {"function r(n) { return r(n + 1) } r(0)", "function d() { var k = 1; d() } d()",
                                 "function m(a, b) { return m(b, a) + 1 } x = m(1, 2)",
                                 "function C() { new C() }; new C()"}) {
            g_reports = 0;
            EXPECT_EQ(RunBounded(text, 1 << 20), DURIZ_RUNTIME_ERROR) << text << " run " << again;
            EXPECT_EQ(g_reports, 1) << text;
        }
    }
    std::vector<std::string> scripts = {
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
    const size_t own = scripts.size();
    for (const char *name : {"calls", "clock", "comments", "errors_unclosed", "loops", "math", "objects",
                             "rollover", "strings", "validate"}) {
        std::ifstream in(std::string(DURIZ_CORPUS_DIR) + "/" + name + ".js", std::ios::binary);
        scripts.push_back(std::string(std::istreambuf_iterator<char>(in), {}));
        EXPECT_FALSE(scripts.back().empty()) << name;
    }
    for (size_t i = 0; i < scripts.size(); i++) {
        // Dense steps at first, where compiling fails, then wider ones; the
        // corpus scripts from 64 bytes in steps of a third.
        for (size_t headroom = i < own ? 0 : 64; headroom < (i < own ? 200000u : 400000u);
             headroom += i >= own ? headroom / 3 : headroom < 4096 ? 16 : headroom / 8) {
            const int status = RunBounded(scripts[i], headroom);
            EXPECT_TRUE(status == DURIZ_DONE || status == DURIZ_DONE_TRUE || status == DURIZ_DONE_FALSE ||
                        status == DURIZ_RUNTIME_ERROR || status == DURIZ_SYNTAX_ERROR)
                << scripts[i].substr(0, 40) << " with " << headroom << " bytes: " << status;
        }
        if (i >= own) continue;
        // Unbounded, the same script finishes.
        const int whole = RunBounded(scripts[i], static_cast<size_t>(1) << 40);
        EXPECT_TRUE(whole != DURIZ_RUNTIME_ERROR && whole != DURIZ_SYNTAX_ERROR) << scripts[i];
    }
    // A doubling string stops at the bound and the loop still ends.
    const int doubling = RunBounded("s = 'x'; n = 0; for (i = 0; i < 40; i++) { s = s + s; n++ } n", 1 << 20);
    EXPECT_TRUE(doubling == DURIZ_DONE || doubling == DURIZ_RUNTIME_ERROR) << doubling;
    // What the runs left is what the engine keeps for reuse (pooled numbers
    // and frames); shutting down returns every block.
    JS_Destroy();
    EXPECT_EQ(JsBlocksInUse(), 0u);
}

TEST(MemoryRelease, MillionLongChainsAreFreedFromTheirHead) {
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const size_t before = JsBlocksInUse();
    JsObject *head = new JsObject();
    head->refs = 1;
    JsArray *outer = new JsArray();
    outer->refs = 1;
    JsObject *tail = head;
    JsArray *inner = outer;
    for (int i = 0; i < 1000000; i++) {
        JsObject *next = new JsObject();
        tail->PutProperty("next", next, TK_ASSIGN, 1);  // the slot holds the only reference
        tail = next;
        JsArray *a = new JsArray();
        ASSERT_TRUE(inner->AppendElement(a));
        inner = a;
    }
    EXPECT_GT(JsBlocksInUse(), before + 2000000);
    ReleaseRef(head);
    ReleaseRef(outer);
    // Everything is back but the worklist the release used, kept for reuse.
    EXPECT_LE(JsBlocksInUse(), before + 1);
    FreeValueWorklist();
    EXPECT_EQ(JsBlocksInUse(), before);
    JS_Destroy();
}

JsValue *g_document = nullptr;
JsValue *DURIZ_CALL DocumentOf(uint32_t, int nameIndex, int) {
    return nameIndex == DURIZ_NAME_DOCUMENT ? g_document : nullptr;
}

struct Page {
    JsValue *window = nullptr, *document = nullptr, *result = nullptr;
    JsScript *script = nullptr;
    JsEvalContext *context = nullptr;

    // Makes the page and runs its script for at most rounds budget rounds.
    void Open(const char *text, int rounds = 1000) {
        window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        g_document = document = JS_CreateObject(DURIZ_CLASS_DOCUMENT, 1, window);
        script = JS_CreateScript(0);
        const char *position = text;
        ASSERT_EQ(JS_LoadScript(script, &position, text + std::strlen(text), 0), DURIZ_OK);
        context = JS_CreateEvalContext(window, script, nullptr, window);
        ASSERT_NE(context, nullptr);
        Evaluate(rounds);
    }
    void Evaluate(int rounds, bool collect = false) {
        for (int i = 0, status = DURIZ_BUSY; i < rounds && status == DURIZ_BUSY; i++) {
            JS_DeleteObject(result);
            result = nullptr;
            status = JS_Evaluate(context, &result);
            if (collect) CollectCycles();
        }
    }
    // Gives every handle back: the context first, or the window first.
    void Close(bool windowFirst) {
        g_document = nullptr;
        JS_DeleteObject(result);
        if (!windowFirst) JS_DeleteEvalContext(context), JS_DeleteScript(script);
        JS_DeleteObject(windowFirst ? window : document);
        JS_DeleteObject(windowFirst ? document : window);
        if (windowFirst) JS_DeleteScript(script), JS_DeleteEvalContext(context);
    }
};

class Cycles : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, DocumentOf, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override {
        JS_Destroy();
        EXPECT_EQ(g_blocksLeftAtShutDown, 0u) << "blocks that only the shutdown freed";
    }
};

TEST_F(Cycles, EveryPageIsReclaimedWhenItsHandlesGoBack) {
    for (const char *text : {
             "var o = new Object(); o.v = 'x'; function f() { return o } f()", "w = window",
             "var me = self; var t = 'a kept text'", "d = document; d.mine = window",
             "function Node() { this.next = this } var n = new Node()", "var o = new Object(); o.self = o",
             "var a = new Array(); a[0] = a; a[1] = 'x'",
             "function g() { var o = new Object(); o.me = o; return 1 } g(); g()",
             "function K() {} K.prototype.self = K; K.back = K.prototype; var k = new K()",
             "var a = new Object(); var b = new Object(); a.b = b; b.a = a; a = 0; b = 0",
             "var s = new String('abc'); s.me = s", "function h(x) { x.me = x; return x } h(new Object())"}) {
        for (bool windowFirst : {false, true}) {
            Page warm;
            warm.Open(text);
            warm.Close(windowFirst);
            const size_t blocks = JsBlocksInUse();
            for (int i = 0; i < 20; i++) {
                Page page;
                page.Open(text);
                page.Close(windowFirst);
            }
            // Pools and the list of candidates may take a block or two.
            EXPECT_LE(JsBlocksInUse(), blocks + 2) << text << (windowFirst ? ", window first" : ", context first");
        }
    }
}

TEST_F(Cycles, WhatTheHostOrAPausedContextHoldsIsKept) {
    Page page;
    page.Open("var o = new Object(); o.self = o; o.name = 'kept'; o");
    JsValue *kept = page.result;
    ASSERT_NE(kept, nullptr);
    page.result = nullptr;
    page.Close(false);
    // The page is gone, but the host's handle holds the object and its loop.
    EXPECT_EQ(JS_GetObjectByName(kept, "self"), kept);
    EXPECT_STREQ(JS_GetObjectStringValue(JS_GetObjectByName(kept, "self"), 2, 1), "kept");
    const size_t blocks = JsBlocksInUse();
    JS_DeleteObject(kept);
    CollectCycles();
    EXPECT_LT(JsBlocksInUse(), blocks);
    // The window's handle goes back while the script is half way; its run
    // goes on and sees its values.
    Page paused;
    paused.Open("var o = new Object(); o.self = o; o.n = 0; for (i = 0; i < 30000; i++) o.n = o.n + 1; o.self.n", 1);
    JS_DeleteObject(paused.window);
    JS_DeleteObject(paused.document);
    g_document = nullptr;
    paused.window = paused.document = nullptr;
    CollectCycles();
    paused.Evaluate(1000, true);
    ASSERT_NE(paused.result, nullptr);
    EXPECT_STREQ(JS_GetStringValue(paused.result), "30000");
    paused.Close(false);
}

TEST_F(Cycles, ALongLoopIsCollectedWithoutDeepRecursion) {
    const size_t blocks = JsBlocksInUse();
    Page page;
    page.Open("h = new Object(); p = h; for (i = 0; i < 200000; i++) { q = new Object(); p.n = q; p = q } p.n = h; "
              "a = new Array(); b = a; for (i = 0; i < 50000; i++) { c = new Array(); b[0] = c; b = c } b[0] = a; 1",
              100000);
    EXPECT_STREQ(JS_GetStringValue(page.result), "1");
    page.Close(true);
    EXPECT_LE(JsBlocksInUse(), blocks + 64);  // of the 250,000 objects, none is left
}

TEST_F(Cycles, CandidatesPilingUpInALongRunAreCollected) {
    // One page that makes loops all the time: memory stays bounded without
    // the page ever going away (60,000 loops, far fewer alive at once).
    Page page;
    page.Open("function m() { var o = new Object(); o.o = o; o.t = 'text text text'; return 0 } 0");
    JsScript *loops = page.script;
    const char *text = "for (i = 0; i < 200; i++) m()", *position = text;
    page.script = JS_CreateScript(0);
    ASSERT_EQ(JS_LoadScript(page.script, &position, text + std::strlen(text), 0), DURIZ_OK);
    size_t most = 0;
    for (int round = 0; round < 300; round++) {
        JS_DeleteEvalContext(page.context);
        page.context = JS_CreateEvalContext(page.window, page.script, nullptr, page.window);
        page.Evaluate(1000);
        most = std::max(most, JsBlocksInUse());
    }
    EXPECT_LT(most, 60000u);
    JS_DeleteScript(loops);
    page.Close(false);
}

TEST_F(Cycles, ForgottenHandlesAreReclaimedAtShutdown) {
    Page page;
    page.Open("w = window; o = new Object(); o.o = o; 'a result'");
    // The host forgets everything: JS_Destroy gives the memory back all the
    // same (the check at the end of each test is skipped here).
    JS_Destroy();
    EXPECT_GT(g_blocksLeftAtShutDown, 0u);
    EXPECT_EQ(JsBlocksInUse(), 0u);
    JS_Init(nullptr, DocumentOf, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
