// Tree shapes built by the parser: precedence and associativity, groups,
// calls and members, statements, and the trees left by unfinished text.
#include <gtest/gtest.h>

#include <string>

#include "compiler/parser.h"
#include "engine/callbacks.h"

namespace {

// A node as its label and its children in parentheses: identifiers and
// numbers by their text, strings quoted, every other node by its code.
std::string Shape(const JsToken *node) {
    std::string out;
    if (node->code == 800 || (node->code >= 950 && node->code <= 953)) {
        out = node->text ? node->text : "?";
    } else if (node->code == 960) {
        out = std::string("\"") + (node->text ? node->text : "?") + "\"";
    } else {
        out = std::to_string(node->code);
        if (node->text) out += std::string(":") + node->text;
    }
    if (const JsToken *child = node->FirstChild()) {
        out += '(';
        for (; child; child = child->Next()) {
            out += Shape(child);
            if (child->Next()) out += ',';
        }
        out += ')';
    }
    return out;
}

// The top-level statements of text, separated by " | ", or the result
// code when compiling did not succeed.
std::string Statements(const std::string &text, int handlerMode = 0) {
    JsScript *script = JsScript::Create(0, handlerMode);
    const char *pos = text.data();
    const int rc = Compile(script, &pos, text.data() + text.size(), 0);
    std::string out;
    for (const JsToken *s = script->root->FirstChild(); s; s = s->Next()) {
        if (!out.empty()) out += " | ";
        out += Shape(s);
    }
    EXPECT_EQ(script->root->code, 888);
    JsScript::Destroy(script);
    return rc == 1111 ? out : "error " + std::to_string(rc);
}

class ParserShape : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_host;
        g_host = HostCallbacks{};
    }
    void TearDown() override { g_host = saved_; }
    HostCallbacks saved_;
};

struct Case {
    const char *text;
    const char *shape;
};

void ExpectShapes(const Case *cases, size_t count, int handlerMode = 0) {
    for (size_t i = 0; i < count; i++)
        EXPECT_EQ(Statements(cases[i].text, handlerMode), cases[i].shape) << cases[i].text;
}

const Case kExpressions[] = {
    {"a = b + c * d;", "322(a,300(b,308(c,d)))"}, {"a * b + c", "300(308(a,b),c)"},
    {"a - b - c", "293(293(a,b),c)"}, {"a % b / c * d", "308(306(310(a,b),c),d)"},
    {"a << b + c", "326(a,300(b,c))"}, {"a < b << c", "324(a,326(b,c))"}, {"a == b < c", "323(a,324(b,c))"},
    {"a != b == c", "323(321(a,b),c)"}, {"a | b ^ c & d", "315(a,318(b,312(c,d)))"},
    {"a & b ^ c | d", "315(318(312(a,b),c),d)"}, {"a || b && c", "316(a,313(b,c))"},
    {"a && b || c", "316(313(a,b),c)"}, {"a >>> b >> c", "330(332(a,b),c)"},
    {"a >= b > c <= d", "325(328(329(a,b),c),d)"}, {"a = b = c", "322(a,322(b,c))"},
    {"a += b -= c", "302(a,305(b,c))"}, {"a <<= b >>>= c >>= d", "327(a,333(b,331(c,d)))"},
    {"a = b || c", "322(a,316(b,c))"}, {"-a * b", "308(303(a),b)"}, {"a * -b", "308(a,303(b))"},
    {"a - -b", "293(a,303(b))"}, {"!a && b", "313(320(a),b)"}, {"typeof x + 1", "300(400(x),1)"},
    {"void 0", "402(0)"}, {"~a + b", "126(300(a,b))"}, {"-a.b", "303(46(a,b))"},
    {"(a + b) * c", "308(300(a,b),c)"}, {"((a))", "a"}, {"x = (a, b)", "error 1000"},
    {"x = a ? b : c", "322(x,340(a,b,c))"}, {"a ? b + 1 : c", "340(a,300(b,1),c)"},
    {"a || b ? c : d", "340(316(a,b),c,d)"}, {"a ? b : c ? d : e", "340(340(a,b,c),d,e)"}, {"i++", "291(i)"},
    {"++i", "301(i)"}, {"i--", "294(i)"}, {"--i", "304(i)"}, {"a * b++", "308(a,291(b))"},
    {"a + ++b", "300(a,301(b))"}, {"a[i]++", "291(299(a,i))"}, {"a.b--", "294(46(a,b))"},
    {"++a.b", "301(46(a,b))"}, {"x = y++", "322(x,291(y))"},
};

TEST_F(ParserShape, ExpressionsFollowPrecedenceAndAssociativity) {
    ExpectShapes(kExpressions, sizeof kExpressions / sizeof *kExpressions);
}

const Case kMembersAndCalls[] = {
    {"a.b.c(1, 2)", "650(46(46(a,b),c),44(1,2))"}, {"f()", "650(f,44)"},
    {"f(a + b, c)", "650(f,44(300(a,b),c))"}, {"f(g(x), y)", "650(f,44(650(g,44(x)),y))"},
    {"f(a)(b)", "650(f,44(a)) | b"}, {"a[b][c]", "299(299(a,b),c)"}, {"a.b[c]", "299(46(a,b),c)"},
    {"a[b].c", "46(299(a,b),c)"}, {"a.b(c).d", "46(650(46(a,b),44(c)),d)"},
    {"x = a + b.c", "322(x,300(a,46(b,c)))"}, {"(a + b).c", "46(300(a,b),c)"},
    {"\"s\".length", "46(\"s\",length)"}, {"this.x = 1", "322(46(903,x),1)"}, {"a. 1", "46(a,1)"},
    {"new Foo", "401(Foo)"}, {"new Foo(1, 2)", "401(650(Foo,44(1,2)))"},
    {"x = new a.b(c)", "322(x,401(650(46(a,b),44(c))))"}, {"new Foo.bar", "401(46(Foo,bar))"},
};

TEST_F(ParserShape, MembersSubscriptsCallsAndConstruction) {
    ExpectShapes(kMembersAndCalls, sizeof kMembersAndCalls / sizeof *kMembersAndCalls);
}

const Case kStatements[] = {
    {"a b", "a | b"}, {";;", ""}, {"a, b;", "a | 44(b)"}, {"x = a, b", "322(x,a) | 44(b)"},
    {"var a;", "508(a)"}, {"var a = 1;", "508(322(a,1))"}, {"var a = 1, b;", "508(44(322(a,1),b))"},
    {"var a, b = 2", "508(44(a,322(b,2)))"}, {"var a, b, c", "508(44(a,b,c))"},
    {"if (a) b; else c;", "505(a,b,506(c))"}, {"if (a) b; x;", "505(a,b) | x"},
    {"if (a) { b; c; } else { d; }", "505(a,651(b,c),506(651(d)))"}, {"if (a) ;", "505(a,652)"},
    {"if (a) ; else ;", "505(a,652,506)"}, {"if (a) else b;", "505(a,506(b))"}, {"if a b;", "505(a,b)"},
    {"while (x);", "509(x,652)"}, {"while (i < n) i++;", "509(324(i,n),291(i))"},
    {"while (a) { }", "509(a,651)"}, {"while (a) break;", "509(a,500)"},
    {"while (a) { if (b) continue; }", "509(a,651(505(b,501)))"}, {"with (o) x = 1;", "511(o,322(x,1))"},
    {"for (i = 0; i < n; i++) s;", "502(322(i,0),324(i,n),291(i),s)"}, {"for (;;) x;", "502(652,652,652,x)"},
    {"for (;;);", "502(652,652,652)"}, {"for (i = 0; i < n; ) s;", "502(322(i,0),324(i,n),652,s)"},
    {"for (i = 0; ; i++) s;", "502(322(i,0),652,291(i),s)"},
    {"for (;;) { break; }", "502(652,652,652,651(500))"}, {"for (var k in o) s;", "512(508(k),o,s)"},
    {"for (k in o) break;", "512(k,o,500)"}, {"for (a.b in o) s;", "512(46(a,b),o,s)"},
    {"function f(a, b) { return a; }", "504(f,44(a,b),651(507(a)))"}, {"function f() {}", "504(f,652,651)"},
    {"function f(a) {}", "504(f,a,651)"}, {"function f(a, b, c) {}", "504(f,44(a,b,c),651)"},
    {"function f() {} x;", "504(f,652,651) | x"}, {"function f() { return; }", "504(f,652,651(507))"},
    {"function f() { return a + b; }", "504(f,652,651(507(300(a,b))))"},
    {"{ a; { b; } c; }", "651(a,651(b),c)"}, {"a = ; b", "322(a,b)"}, {"var a = ++b;", "291(508(322(a))) | b"},
};

TEST_F(ParserShape, StatementsHaveTheirFixedShapes) {
    ExpectShapes(kStatements, sizeof kStatements / sizeof *kStatements);
}

TEST_F(ParserShape, ReturnAtTheTopIsAllowedInHandlers) {
    const Case handler[] = {{"return 1", "507(1)"}, {"return;", "507"}, {"return false", "507(901)"}};
    ExpectShapes(handler, sizeof handler / sizeof *handler, 1);
    EXPECT_EQ(Statements("return 1", 0), "error 1000");
}

const Case kUnfinished[] = {
    {"if (a", "505(40(a))"}, {"f(1,", "650(f,44(1))"}, {"a +", "300(a)"}, {"x =", "322(x)"},
    {"{ x = 1", "651(322(x,1))"}, {"while (a) {", "509(a,651)"}, {"x = a ?", "322(x,340(a))"},
    {"function f(a", "504(40(f,a))"}, {"function f()", "504(f,652)"},
    {"for (i = 0; i <", "502(40(322(i,0),324(i)))"}, {"a[", "91(a)"}, {"a.", "46(a)"},
};

TEST_F(ParserShape, UnfinishedTextLeavesAnAcceptedPartialTree) {
    ExpectShapes(kUnfinished, sizeof kUnfinished / sizeof *kUnfinished);
}

TEST_F(ParserShape, MoreTextAnnouncedAsksForItAndKeepsTheTree) {
    JsScript *script = JsScript::Create(0, 0);
    const std::string text = "x = 1; y = x + 23";
    const char *pos = text.data();
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 1), 700);
    EXPECT_EQ(pos, text.data() + text.size() - 2);  // at the unfinished "23"
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1111);
    EXPECT_EQ(pos, text.data() + text.size());
    std::string shape;
    for (const JsToken *s = script->root->FirstChild(); s; s = s->Next()) shape += Shape(s) + " ";
    EXPECT_EQ(shape, "322(x,1) 322(y,300(x,23)) ");
    JsScript::Destroy(script);
}

}  // namespace
