// Deeply nested input compiles, prints its error excerpt and is destroyed
// without the C stack growing with the depth.
#include <gtest/gtest.h>

#include <string>

#include "compiler/parser.h"
#include "compiler/printer.h"
#include "engine/callbacks.h"

namespace {

constexpr int kDepth = 1000000;

std::string g_report;
int g_reports = 0;
int DURIZ_CALL Record(uint32_t, int, const char *text) {
    g_report = text;
    g_reports++;
    return 0;
}

class DeepNesting : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_host;
        g_host = HostCallbacks{};
        g_host.reportError = Record;
        g_reports = 0;
    }
    void TearDown() override { g_host = saved_; }
    HostCallbacks saved_;
};

int CompileWhole(JsScript *script, const std::string &text) {
    const char *pos = text.data();
    return Compile(script, &pos, text.data() + text.size(), 0);
}

TEST_F(DeepNesting, MillionParenthesesCompileAndDissolve) {
    std::string text = std::string(kDepth, '(') + "a" + std::string(kDepth, ')') + ";";
    JsScript *script = JsScript::Create(0, 0);
    ASSERT_EQ(CompileWhole(script, text), RC_OK);
    JsToken *only = script->root->FirstChild();
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(only->code, TK_IDENT);
    EXPECT_EQ(only->Next(), nullptr);
    JsScript::Destroy(script);
}

TEST_F(DeepNesting, UnclosedParenthesesAreDestroyedSafely) {
    std::string text = std::string(kDepth, '(') + "a )";
    JsScript *script = JsScript::Create(0, 0);
    EXPECT_EQ(CompileWhole(script, text), RC_OK);  // unfinished trees are accepted
    JsScript::Destroy(script);
}

TEST_F(DeepNesting, MillionNotsCompilePrintAndDestroy) {
    std::string text = std::string(kDepth, '!') + "x;";
    JsScript *script = JsScript::Create(0, 0);
    ASSERT_EQ(CompileWhole(script, text), RC_OK);
    char buffer[1024];
    EXPECT_EQ(PrintSource(script->root->FirstChild(), buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    JsScript::Destroy(script);
}

TEST_F(DeepNesting, MillionNotsWithASyntaxErrorReportAnExcerpt) {
    std::string text = std::string(kDepth, '!') + "x }";
    JsScript *script = JsScript::Create(0, 0);
    EXPECT_EQ(CompileWhole(script, text), RC_SYNTAX_ERROR);
    EXPECT_EQ(g_reports, 1);
    // Twenty bytes back from just after the offending "}".
    EXPECT_EQ(g_report, std::string(17, '!') + "x }");
    JsScript::Destroy(script);
}

TEST_F(DeepNesting, LeftDeepChainPrintsWithoutRecursion) {
    // a-b-b-b-... nests to the left: the printer must reach the innermost
    // operand first without recursing once per level.
    std::string text = "a";
    for (int i = 0; i < kDepth; i++) text += "-b";
    JsScript *script = JsScript::Create(0, 0);
    ASSERT_EQ(CompileWhole(script, text), RC_OK);
    char buffer[1024];
    size_t n = PrintSource(script->root->FirstChild(), buffer, sizeof buffer);
    EXPECT_GT(n, 1000u);
    EXPECT_LT(n, sizeof buffer);
    EXPECT_EQ(std::string(buffer, 5), "a-b-b");
    EXPECT_EQ(buffer[n], 0);
    JsScript::Destroy(script);
}

TEST_F(DeepNesting, RightDeepAssignmentsPrintAndDestroy) {
    std::string text;
    for (int i = 0; i < kDepth; i++) text += "a=";
    text += "1;";
    JsScript *script = JsScript::Create(0, 0);
    ASSERT_EQ(CompileWhole(script, text), RC_OK);
    char buffer[64];
    size_t n = PrintSource(script->root->FirstChild(), buffer, sizeof buffer);
    EXPECT_LT(n, sizeof buffer);
    EXPECT_EQ(std::string(buffer, 4), "a=a=");
    JsScript::Destroy(script);
}

TEST_F(DeepNesting, NestedBlocksAndCallsDestroySafely) {
    std::string text = std::string(kDepth, '{') + std::string(kDepth, '}');
    JsScript *script = JsScript::Create(0, 0);
    EXPECT_EQ(CompileWhole(script, text), RC_OK);
    JsScript::Destroy(script);
    text.clear();
    for (int i = 0; i < kDepth / 4; i++) text += "f(";
    script = JsScript::Create(0, 0);
    EXPECT_EQ(CompileWhole(script, text), RC_OK);
    JsScript::Destroy(script);
}

}  // namespace
