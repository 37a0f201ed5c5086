// Which script functions are plain, so that a call of one can run inside an
// expression like a built-in: guards and a closing return over expressions
// without calls or assignments, nothing declared, no window of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builtins/function.h"
#include "duriz.h"
#include "interp/interpreter.h"

namespace {

class PlainBodies : public ::testing::Test {
protected:
    void SetUp() override {
        JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        window_ = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    }
    void TearDown() override {
        for (JsScript *script : scripts_) JS_DeleteScript(script);
        JS_DeleteObject(window_);
        JS_Destroy();
    }

    // Runs text in the window and answers the function it defines as f
    // (its script kept until the test ends), or null.
    JsFunction *Define(const std::string &text) {
        JsScript *script = JS_CreateScript(0);
        if (!script) return nullptr;
        scripts_.push_back(script);
        const char *position = text.c_str();
        if (JS_LoadScript(script, &position, text.c_str() + text.size(), 0) != DURIZ_OK) return nullptr;
        JsEvalContext *context = JS_CreateEvalContext(window_, script, nullptr, nullptr);
        int status = DURIZ_BUSY;
        for (int round = 0; context && status == DURIZ_BUSY && round < 10; round++) {
            JsValue *value = nullptr;
            status = JS_Evaluate(context, &value);
            if (value) JS_DeleteObject(value);
        }
        JS_DeleteEvalContext(context);
        JsValue *f = JS_GetObjectByName(window_, "f");
        JsValue *function = f ? f->AsFunction() : nullptr;
        return static_cast<JsFunction *>(function);
    }

    JsValue *window_ = nullptr;
    std::vector<JsScript *> scripts_;
};

TEST_F(PlainBodies, GuardsAndAClosingReturnOverSimpleExpressions) {
    for (const char *text : {
             "function f(a) { return a * 2 + 1 }",
             "function f(a, b) { if (a > b) return a; if (a == b) return 0; return b }",
             "function f(o) { return o.x + f.arguments.length + f[1] }",
             "function f() { return this }",
             "function f(s) { return s.length > 2 ? 'long' : 'short' }",
         }) {
        JsFunction *f = Define(text);
        ASSERT_NE(f, nullptr) << text;
        EXPECT_TRUE(IsPlainBody(f)) << text;
        EXPECT_TRUE(IsPlainBody(f)) << text << " (asked again)";
    }
}

TEST_F(PlainBodies, AnythingElseKeepsItsFrames) {
    std::string big = "function f(a) { return a";
    for (int i = 0; i < 30; i++) big += " + a";
    big += " }";
    std::vector<std::string> texts = {
        "function f(a) { return g(a) }",
        "function f(a) { return Math.abs(a) }",
        "function f(a) { return a = 1 }",
        "function f(a) { return a++ }",
        "function f(a) { var b = a; return b }",
        "function f(a) { if (a) return 1; var b; return 2 }",
        "function f(a) { if (a) return 1; else return 2 }",
        "function f(a) { if (a) return 1 }",
        "function f(a) { return }",
        "function f(a) { a; return a }",
        "function f(a) { if (a) { return 1 } return 2 }",
        "function f(a) { for (x in a) a; return 1 }",
        "function f(a) { while (a) return 1; return 2 }",
        big,
    };
    for (const std::string &text : texts) {
        JsFunction *f = Define(text);
        ASSERT_NE(f, nullptr) << text;
        EXPECT_FALSE(IsPlainBody(f)) << text;
    }
}

TEST_F(PlainBodies, BuiltinsAreNone) {
    EXPECT_FALSE(IsPlainBody(NativeFunction(DURIZ_NATIVE_MATH_ABS)));
}

}  // namespace
