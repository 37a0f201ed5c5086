// Values that hold each other in cycles are reclaimed once nothing outside
// holds them, whatever the order the host gives its handles back in, and a
// value the host or a live context still reaches is never freed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "duriz.h"
#include "engine/memory.h"
#include "values/cycles.h"

namespace {

JsValue *g_document = nullptr;
JsValue *DURIZ_CALL DocumentOf(uint32_t, int nameIndex, int) {
    return nameIndex == DURIZ_NAME_DOCUMENT ? g_document : nullptr;
}

struct Page {
    JsValue *window = nullptr;
    JsValue *document = nullptr;
    JsScript *script = nullptr;
    JsEvalContext *context = nullptr;
    JsValue *result = nullptr;

    // Makes the page and runs its script for at most rounds budget rounds.
    void Open(const char *text, int rounds = 1000) {
        window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        document = JS_CreateObject(DURIZ_CLASS_DOCUMENT, 1, window);
        g_document = document;
        script = JS_CreateScript(0);
        const char *position = text;
        ASSERT_EQ(JS_LoadScript(script, &position, text + std::strlen(text), 0), DURIZ_OK);
        context = JS_CreateEvalContext(window, script, nullptr, window);
        ASSERT_NE(context, nullptr);
        for (int i = 0; i < rounds; i++) {
            JS_DeleteObject(result);
            result = nullptr;
            if (JS_Evaluate(context, &result) != DURIZ_BUSY) break;
        }
    }
    // Gives every handle back: the context first, or the window first.
    void Close(bool windowFirst) {
        g_document = nullptr;
        JS_DeleteObject(result);
        if (windowFirst) {
            JS_DeleteObject(window);
            JS_DeleteObject(document);
            JS_DeleteScript(script);
            JS_DeleteEvalContext(context);
        } else {
            JS_DeleteEvalContext(context);
            JS_DeleteScript(script);
            JS_DeleteObject(document);
            JS_DeleteObject(window);
        }
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

struct Idiom {
    const char *name;
    const char *text;
};

const Idiom kIdioms[] = {
    {"acyclic", "var o = new Object(); o.v = 'x'; function f() { return o } f()"},
    {"window in a variable", "w = window"},
    {"self in a var", "var me = self; var t = 'a kept text'"},
    {"document in a variable", "d = document; d.mine = window"},
    {"constructor makes a loop", "function Node() { this.next = this } var n = new Node()"},
    {"object holds itself", "var o = new Object(); o.self = o"},
    {"array holds itself", "var a = new Array(); a[0] = a; a[1] = 'x'"},
    {"loop made in a call", "function g() { var o = new Object(); o.me = o; return 1 } g(); g()"},
    {"function and its prototype",
     "function K() {} K.prototype.self = K; K.back = K.prototype; var k = new K()"},
    {"two objects", "var a = new Object(); var b = new Object(); a.b = b; b.a = a; a = 0; b = 0"},
    {"string object", "var s = new String('abc'); s.me = s"},
    {"arguments kept", "function h(x) { x.me = x; return x } h(new Object())"},
};

TEST_F(Cycles, EveryPageIsReclaimedWhenItsHandlesGoBack) {
    for (const Idiom &idiom : kIdioms) {
        for (bool windowFirst : {false, true}) {
            Page warm;
            warm.Open(idiom.text);
            warm.Close(windowFirst);
            const size_t blocks = JsBlocksInUse();
            for (int i = 0; i < 20; i++) {
                Page page;
                page.Open(idiom.text);
                page.Close(windowFirst);
            }
            // Pools and the list of candidates may take a block or two.
            EXPECT_LE(JsBlocksInUse(), blocks + 2) << idiom.name << (windowFirst ? ", window first" : ", context first");
        }
    }
}

TEST_F(Cycles, AValueTheHostHoldsOutlivesItsPage) {
    Page page;
    page.Open("var o = new Object(); o.self = o; o.name = 'kept'; o");
    ASSERT_NE(page.result, nullptr);
    JsValue *kept = page.result;
    page.result = nullptr;
    page.Close(false);
    // The page is gone, but the host's handle holds the object and its loop.
    EXPECT_EQ(JS_GetObjectByName(kept, "self"), kept);
    EXPECT_STREQ(JS_GetObjectStringValue(JS_GetObjectByName(kept, "self"), 2, 1), "kept");
    const size_t blocks = JsBlocksInUse();
    JS_DeleteObject(kept);
    CollectCycles();
    EXPECT_LT(JsBlocksInUse(), blocks);
}

TEST_F(Cycles, APausedContextKeepsWhatItsFramesHold) {
    // The window's handle goes back while the script is half way; its run
    // goes on and sees its values.
    Page page;
    page.Open("var o = new Object(); o.self = o; o.n = 0; for (i = 0; i < 30000; i++) o.n = o.n + 1; o.self.n", 1);
    JS_DeleteObject(page.window);
    JS_DeleteObject(page.document);
    g_document = nullptr;
    page.window = page.document = nullptr;
    CollectCycles();
    int status = DURIZ_BUSY;
    for (int i = 0; i < 1000 && status == DURIZ_BUSY; i++) {
        JS_DeleteObject(page.result);
        page.result = nullptr;
        status = JS_Evaluate(page.context, &page.result);
        CollectCycles();
    }
    ASSERT_NE(page.result, nullptr);
    EXPECT_STREQ(JS_GetStringValue(page.result), "30000");
    page.Close(false);
}

TEST_F(Cycles, ALongLoopIsCollectedWithoutDeepRecursion) {
    const size_t blocks = JsBlocksInUse();
    Page page;
    page.Open(
        "h = new Object(); p = h; for (i = 0; i < 200000; i++) { q = new Object(); p.n = q; p = q } p.n = h; "
        "a = new Array(); b = a; for (i = 0; i < 50000; i++) { c = new Array(); b[0] = c; b = c } b[0] = a; 1",
        100000);
    EXPECT_STREQ(JS_GetStringValue(page.result), "1");
    page.Close(true);
    EXPECT_LE(JsBlocksInUse(), blocks + 64);  // of the 250,000 objects, none is left
}

TEST_F(Cycles, CandidatesPilingUpInALongRunAreCollected) {
    // One page that makes loops all the time: memory stays bounded without
    // the page ever going away.
    Page page;
    page.Open("function m() { var o = new Object(); o.o = o; o.t = 'text text text'; return 0 } 0");
    JsScript *script = JS_CreateScript(0);
    const char *text = "for (i = 0; i < 200; i++) m()";
    const char *position = text;
    ASSERT_EQ(JS_LoadScript(script, &position, text + std::strlen(text), 0), DURIZ_OK);
    size_t most = 0;
    for (int round = 0; round < 300; round++) {
        JsEvalContext *context = JS_CreateEvalContext(page.window, script, nullptr, page.window);
        JsValue *result = nullptr;
        while (JS_Evaluate(context, &result) == DURIZ_BUSY) {
            JS_DeleteObject(result);
            result = nullptr;
        }
        JS_DeleteObject(result);
        JS_DeleteEvalContext(context);
        if (JsBlocksInUse() > most) most = JsBlocksInUse();
    }
    // 60,000 loops were made; far fewer are ever alive at once.
    EXPECT_LT(most, 60000u);
    JS_DeleteScript(script);
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
