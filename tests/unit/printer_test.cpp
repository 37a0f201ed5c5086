// The source printer: the compact text written for each construct, the
// constructs that print as nothing, and the room rules of the fixed buffer.
#include "compiler/printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "compiler/parser.h"
#include "engine/callbacks.h"

namespace {

class Printer : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_host;
        g_host = HostCallbacks{};
    }
    void TearDown() override {
        for (JsScript *s : scripts_) JsScript::Destroy(s);
        g_host = saved_;
    }

    // Compiles text as an event handler (so that return is allowed at the
    // top) and answers its first statement.
    const JsToken *First(const std::string &text) {
        JsScript *script = JsScript::Create(0, 1);
        scripts_.push_back(script);
        const char *pos = text.data();
        EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1111) << text;
        return script->root->FirstChild();
    }

    // Prints node into a buffer of the given size; checks the answered
    // count against the zero that must follow the text.
    static std::string Print(const JsToken *node, size_t size = 1024) {
        std::vector<char> buffer(size + 16, 'X');
        const size_t n = PrintSource(node, buffer.data(), size);
        EXPECT_LT(n, size);
        EXPECT_EQ(buffer[n], 0);
        EXPECT_EQ(std::strlen(buffer.data()), n);
        return std::string(buffer.data(), n);
    }

    HostCallbacks saved_;
    std::vector<JsScript *> scripts_;
};

struct Case {
    const char *source;
    const char *printed;
};

const Case kConstructs[] = {
    {"a = (b + c) * d", "a=b+c*d"}, {"f(x, \"s\")", "f(x,\"s\")"}, {"f()", "f()"}, {"f(g(x), y)", "f(g(x),y)"},
    {"a.b.c(1, 2)", "a.b.c(1,2)"}, {"a.b[c + 1].d", "a.b[c+1].d"}, {"this.x", ".x"}, {"typeof v", "typeof(v)"},
    {"typeof a.b", "typeof(a.b)"}, {"i++", "i++"}, {"i--", "i--"}, {"++i", "++i"}, {"--i", "--i"}, {"-n", "-n"},
    {"x = -a - -b", "x=-a--b"}, {"x = a ? b : c", "x=(a) ? b : c"}, {"new Foo", "new Foo"},
    {"new Foo(1, 'two')", "new Foo(1,\"two\")"}, {"var a = 1", "var a=1"}, {"var a, b = 2", "var a,b=2"},
    {"if (x) y; else z;", "if (x) y"}, {"if (a) { b; c }", "if (a) {b;c}"}, {"if (a) ;", "if (a) "},
    {"while (i < 10) i++", "while (i<10) i++"}, {"while (a) break", "while (a) "}, {"{ a; b; c }", "{a;b;c}"},
    {"{ }", "{}"}, {"return a + 1", "return a+1"}, {"x = 'it\\'s'", "x=\"it's\""},
    {"s = \"a\\tb\"", "s=\"a\tb\""}, {"n = 0x1F + 017 + 1.5e3", "n=0x1F+017+1.5e3"}, {"a = b = c", "a=b=c"},
    {"x = !y", "x="}, {"x = ~y", "x="}, {"x = void 0", "x="}, {"f(true, this, null)", "f(,,)"},
    {"x = a +", "x=a+"}, {"a.", "a."},
};

TEST_F(Printer, EachConstructPrintsItsCompactForm) {
    for (const Case &c : kConstructs) EXPECT_EQ(Print(First(c.source)), c.printed) << c.source;
}

TEST_F(Printer, BinaryOperatorsPrintTheirWrittenFormWithoutSpaces) {
    for (const char *op :
         {"+",  "-",  "*",   "/", "%",  "&",  "&&", "|",  "||", "^",  "==", "!=", "<",   "<=",  ">",   ">=",
          "<<", ">>", ">>>", "=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=", ">>>="}) {
        const std::string source = std::string("a ") + op + " b";
        EXPECT_EQ(Print(First(source)), std::string("a") + op + "b") << source;
    }
}

TEST_F(Printer, StatementsAndValuesWithoutAFormPrintNothing) {
    for (const char *source : {"null", "true", "false", "this", "!done", "~x", "void x", "for (;;) x",
                               "for (k in o) x", "function f(a) { a }", "with (o) a", "return"}) {
        EXPECT_EQ(Print(First(source)), "") << source;
    }
    const JsToken *ifNode = First("if (x) y; else z;");
    ASSERT_EQ(ifNode->ChildCount(), 3);
    EXPECT_EQ(ifNode->LastChild()->code, 506);
    EXPECT_EQ(Print(ifNode->LastChild()), "");
    EXPECT_EQ(Print(First("a; b")->Parent()), "");  // the script root
}

// Builds a node below parent (or a detached one) for shapes that the
// parser never leaves behind.
JsToken *Add(JsToken *parent, int code, const char *text = nullptr) {
    JsToken *node = JsToken::Make(code, text, text ? static_cast<ptrdiff_t>(std::strlen(text)) : -1);
    if (parent) node->AppendToParent(parent);
    return node;
}

TEST_F(Printer, NodesMissingChildrenPrintNothing) {
    for (int code : {340, 650, 400, 401, 507, 508, 505, 509}) {
        JsToken *bare = Add(nullptr, code);
        EXPECT_EQ(Print(bare), "") << code;
        delete bare;
    }
    JsToken *cond = Add(nullptr, 340);
    Add(cond, 800, "a");
    Add(cond, 800, "b");
    EXPECT_EQ(Print(cond), "");
    delete cond;
    for (int code : {505, 509}) {
        JsToken *statement = Add(nullptr, code);
        Add(statement, 800, "x");
        EXPECT_EQ(Print(statement), "") << code;
        delete statement;
    }
}

TEST_F(Printer, BelowTwentyOneBytesOnlyTheZeroIsWritten) {
    const JsToken *node = First("a");
    for (size_t size : {1u, 2u, 20u}) {
        std::vector<char> buffer(32, 'X');
        EXPECT_EQ(PrintSource(node, buffer.data(), size), 0u);
        EXPECT_EQ(buffer[0], 0);
        EXPECT_EQ(buffer[1], 'X');
    }
    EXPECT_EQ(Print(node, 21), "a");
}

TEST_F(Printer, NameOrLiteralNeedsItsLengthPlusTwoBelowTheRoom) {
    const std::string name18(18, 'n'), name19(19, 'n');
    EXPECT_EQ(Print(First(name18), 21), name18);
    EXPECT_EQ(Print(First(name19), 21), "");
    EXPECT_EQ(Print(First(name19), 22), name19);
    const JsToken *text18 = First("f(\"" + std::string(18, 's') + "\")")->LastChild()->FirstChild();
    const JsToken *text19 = First("f(\"" + std::string(19, 's') + "\")")->LastChild()->FirstChild();
    EXPECT_EQ(Print(text18, 21), "\"" + std::string(18, 's') + "\"");
    EXPECT_EQ(Print(text19, 21), "");
    EXPECT_EQ(Print(text19, 22), "\"" + std::string(19, 's') + "\"");
}

TEST_F(Printer, ChildrenArePrintedIntoTheRemainingRoom) {
    // The right operand is printed into size - 2 bytes, so it needs 23.
    const JsToken *sum = First("a + b");
    EXPECT_EQ(Print(sum, 21), "a+");
    EXPECT_EQ(Print(sum, 22), "a+");
    EXPECT_EQ(Print(sum, 23), "a+b");
    const JsToken *call = First("f(x)");
    EXPECT_EQ(Print(call, 22), "f()");
    EXPECT_EQ(Print(call, 23), "f(x)");
    const JsToken *ifNode = First("if (x) y");
    EXPECT_EQ(Print(ifNode, 21), "if () ");
    EXPECT_EQ(Print(ifNode, 25), "if (x) ");
    EXPECT_EQ(Print(ifNode, 27), "if (x) ");
    EXPECT_EQ(Print(ifNode, 28), "if (x) y");
}

TEST_F(Printer, LongSumFillsTheBufferWithOperatorsLast) {
    // Operands stop once fewer than 21 bytes remain; operators go on while
    // four bytes of room are left after them.
    std::string source = "a";
    for (int i = 1; i < 600; i++) source += "+a";
    std::string want = "a";
    for (int i = 0; i < 501; i++) want += "+a";
    want += std::string(17, '+');
    EXPECT_EQ(Print(First(source), 1024), want);
}

TEST_F(Printer, LongBlockFillsTheBufferToTheLastByte) {
    std::string source = "{";
    for (int i = 0; i < 600; i++) source += "a;";
    source += "}";
    std::string want = "{a";
    for (int i = 0; i < 501; i++) want += ";a";
    want += std::string(19, ';');
    ASSERT_EQ(want.size(), 1023u);
    EXPECT_EQ(Print(First(source), 1024), want);
}

}  // namespace
