// Syntax errors: which texts are refused, the one report made through the
// host's error callback, and the excerpt of the text that it carries.
#include <gtest/gtest.h>

#include <string>

#include "compiler/parser.h"
#include "engine/callbacks.h"

namespace {

struct Report {
    int count = 0;
    uint32_t handle = 99;
    int code = 0;
    std::string text;
};
Report g_report;

int DURIZ_CALL RecordError(uint32_t handle, int code, const char *text) {
    g_report.count++;
    g_report.handle = handle;
    g_report.code = code;
    g_report.text = text ? text : "(null)";
    return 0;
}

class ParserError : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_host;
        g_host = HostCallbacks{};
        g_host.reportError = RecordError;
        g_report = Report{};
    }
    void TearDown() override { g_host = saved_; }

    // Compiles the whole text into a fresh script and answers the result.
    static int CompileAll(const std::string &text, int handlerMode = 0) {
        JsScript *script = JsScript::Create(0, handlerMode);
        const char *pos = text.data();
        const int rc = Compile(script, &pos, text.data() + text.size(), 0);
        JsScript::Destroy(script);
        return rc;
    }

    HostCallbacks saved_;
};

// Each text is short enough that its excerpt reaches back to the start of
// the text and so is the whole text.
const char *const kRefused[] = {
    "break;",
    "continue",
    "if (a) { break; }",
    "else x;",
    "if (a) b; c; else d;",
    "}",
    "{ } }",
    "a]",
    "()",
    "while ()",
    "f()()",
    "(a, b)",
    "if (a, b) x;",
    "a,,b",
    "f(a,,b)",
    "function f(a,) {}",
    "return 1",
    "{} return 1",
    "var",
    "var 5",
    "var /* note */ x;",
    "function",
    "function (a) {}",
    "function f {}",
    "function f /* c */ () {}",
    "new",
    "new 5",
    "new (a)",
    "* a",
    "a.+b",
    "a : b",
    "? a",
    "x = )",
    "#",
    "a @ b",
    "x = \"",
    "'",
    "x = [1]",
    "a[1, 2]",
    "for (a; b; c; d) x;",
    "for (a; b) x;",
    "x in y",
    "with (o);",
};

TEST_F(ParserError, RefusedTextsReportOnceWithCode1000) {
    for (const char *text : kRefused) {
        g_report = Report{};
        EXPECT_EQ(CompileAll(text), 1000) << text;
        EXPECT_EQ(g_report.count, 1) << text;
        EXPECT_EQ(g_report.handle, 0u) << text;
        EXPECT_EQ(g_report.code, 1000) << text;
        EXPECT_EQ(g_report.text, text);
    }
}

TEST_F(ParserError, AcceptedTextsReportNothing) {
    for (const char *text :
         {"while (a) { if (b) break; }", "function f() { return 1 }", "f(a)(b)", "if (a) ;", "x = a ? b : c",
          "for (k in o) continue;", "var a, b;", "a = ; b", "var x /* c */ = 1;", "// only a comment"}) {
        EXPECT_EQ(CompileAll(text), 1111) << text;
    }
    EXPECT_EQ(CompileAll("return false", 1), 1111);
    EXPECT_EQ(g_report.count, 0);
}

TEST_F(ParserError, WithoutAnErrorCallbackTheResultIsStill1000) {
    g_host.reportError = nullptr;
    EXPECT_EQ(CompileAll("a ]"), 1000);
    EXPECT_EQ(g_report.count, 0);
}

// The excerpt starts twenty bytes before the end of the offending token (or
// before a character that starts none), or at a line feed within those
// twenty bytes, and holds at most 1024 bytes.
TEST_F(ParserError, ExcerptOfTheTextAroundTheOffendingToken) {
    const std::string far = "x\nalpha = 1; beta = 2; gamma; ]", big = "} " + std::string(3000, 'x');
    const struct {
        std::string text, excerpt;
    } cases[] = {
        {"alpha = 1; beta = 2; gamma = 3; } tail text", "ta = 2; gamma = 3; } tail text"},
        {"alpha = 1; beta = 2; gamma# tail", "= 1; beta = 2; gamma# tail"},
        {"first = 1;\nsecond = 2; ]", "\nsecond = 2; ]"},
        {far, far.substr(far.size() - 20)},  // the line feed is more than twenty bytes back
        {"a }\nb = 1;", "\nb = 1;"},        // a line feed right after the token
        {big, big.substr(0, 1024)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CompileAll(c.text), 1000) << c.text;
        EXPECT_EQ(g_report.text, c.excerpt) << c.text;
    }
}

TEST_F(ParserError, ExcerptStopsAtTheStartOfThisCallsText) {
    const std::string text = "alpha = 1; beta = 2; }";
    JsScript *script = JsScript::Create(0, 0);
    const char *pos = text.data();
    const char *firstEnd = text.data() + text.find('}') - 1;  // up to the last ';'
    ASSERT_EQ(Compile(script, &pos, firstEnd, 1), 700);
    ASSERT_EQ(pos, firstEnd);
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1000);
    EXPECT_EQ(g_report.count, 1);
    EXPECT_EQ(g_report.text, " }");
    JsScript::Destroy(script);
}

}  // namespace
