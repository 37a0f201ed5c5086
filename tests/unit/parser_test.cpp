// The compiler: the lexer's tokens (the fixed codes of operators,
// punctuation and keywords, literal kinds and texts, strings, comments,
// longest-match operators, the end of a chunk); the parser's tree shapes
// (precedence, associativity, calls, statements, unfinished text) and the
// texts it refuses with the one report and excerpt made through the host's
// error callback; loading in chunks, where every byte value in every place
// that matters gets a defined answer without a read past the end of the
// text; the compact text the printer writes within the room rules of its
// fixed buffer; and input nested a million deep, compiled, printed and
// destroyed without the C stack growing with the depth.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "compiler/lexer.h"
#include "compiler/parser.h"
#include "compiler/printer.h"
#include "compiler/tree_dump.h"
#include "engine/callbacks.h"
#include "engine/memory.h"

namespace {

// Lexes text (up to end bytes, all of it by default) until 700 or 1000 and
// writes each token as its code, with ":" and its text when it carries one.
// *stop receives the offset where lexing ended.
std::string Scan(const std::string &text, int more, size_t *stop = nullptr, int lineEndsAreSpace = 1,
                 size_t end = std::string::npos) {
    const char *pos = text.data();
    const char *last = text.data() + (end == std::string::npos ? text.size() : end);
    std::string out;
    for (int guard = 0; guard < 200; guard++) {
        const char *tokenText = nullptr;
        size_t tokenLength = 0;
        const int code = Lex(&pos, &tokenText, &tokenLength, last, more, lineEndsAreSpace);
        out += (out.empty() ? "" : " ") + std::to_string(code);
        if (tokenText) out += ":" + std::string(tokenText, tokenLength);
        if (code == 700 || code == 1000) break;
    }
    if (stop) *stop = static_cast<size_t>(pos - text.data());
    return out;
}

struct Lexed {
    const char *text;
    const char *tokens;  // without the final 700
};

// Each written form followed by " x": the code, and exactly its bytes taken.
const Lexed kCodes[] = {
    {"+", "300"}, {"++", "301"}, {"+=", "302"}, {"-", "303"}, {"--", "304"}, {"-=", "305"}, {"/", "306"},
    {"/=", "307"}, {"*", "308"}, {"*=", "309"}, {"%", "310"}, {"%=", "311"}, {"&", "312"}, {"&&", "313"},
    {"&=", "314"}, {"|", "315"}, {"||", "316"}, {"|=", "317"}, {"^", "318"}, {"^=", "319"}, {"!", "320"},
    {"!=", "321"}, {"=", "322"}, {"==", "323"}, {"<", "324"}, {"<=", "325"}, {"<<", "326"}, {"<<=", "327"},
    {">", "328"}, {">=", "329"}, {">>", "330"}, {">>=", "331"}, {">>>", "332"}, {">>>=", "333"},
    {"(", "40"}, {")", "41"}, {",", "44"}, {".", "46"}, {":", "58"}, {";", "59"}, {"?", "63"}, {"[", "91"},
    {"]", "93"}, {"{", "123"}, {"}", "125"}, {"~", "126"}, {"typeof", "400"}, {"new", "401"}, {"void", "402"},
    {"break", "500"}, {"continue", "501"}, {"for", "502"}, {"in", "503"}, {"function", "504"}, {"if", "505"},
    {"else", "506"}, {"return", "507"}, {"var", "508"}, {"while", "509"}, {"with", "511"}, {"null", "900"},
    {"false", "901"}, {"true", "902"}, {"this", "903"},
};

// Every other text lexed alone (more = 0, line ends as space).
const Lexed kLexed[] = {
    // numbers: kind and text as written
    {"123", "950:123"}, {"0x1F", "952:0x1F"}, {"0xff;", "952:0xff 59"}, {"0x", "952:0x"},
    {"0xg", "952:0x 800:g"}, {"0X1F", "951:0 800:X1F"}, {"017", "951:017"}, {"00", "951:00"},
    {"019", "950:019"}, {"08", "950:08"}, {"0;", "951:0 59"}, {"0", "950:0"}, {"7", "950:7"},
    {"0.5", "953:0.5"}, {"0e1", "953:0e1"}, {".5", "953:.5"}, {"1.", "953:1."}, {"08.5", "953:08.5"},
    {"1e+5", "953:1e+5"}, {"2E-3", "953:2E-3"}, {"1.5e3", "953:1.5e3"}, {"1e", "953:1e"}, {"1e+", "953:1e+"},
    {"1.2.3", "953:1.2 953:.3"}, {"1e5.5", "953:1e5.5"}, {"1e5e5", "953:1e5 800:e5"},
    {"1e-2-3", "953:1e-2 303 950:3"}, {"1-2", "950:1 303 950:2"}, {"5px", "950:5 800:px"},
    {"3+4", "950:3 300 950:4"},
    // strings: the text between the quotes, escapes left as written (961)
    {"\"abc\"", "960:abc"}, {"'abc'", "960:abc"}, {"\"a'b\"", "960:a'b"}, {"'a\"b'", "960:a\"b"},
    {"\"\"", "960:"}, {"'x''y'", "960:x 960:y"}, {"\"a\\tb\"", "961:a\\tb"}, {"'it\\'s'", "961:it\\'s"},
    {"\"a\\\"b\" x", "961:a\\\"b 800:x"}, {"\"a\\\\\" x", "961:a\\\\ 800:x"},
    {"\"line\nend\"", "960:line\nend"}, {"\"abc", "960:abc"}, {"\"abc\\", "961:abc\\"},
    {"'ab\\'c", "961:ab\\'c"}, {"\"", "34"}, {"'", "39"},
    // words and white space
    {"$a_1 _ $", "800:$a_1 800:_ 800:$"}, {"return1 Return returns", "800:return1 800:Return 800:returns"},
    {"if(x)", "505 40 800:x 41"}, {"var x=new Foo", "508 800:x 322 401 800:Foo"},
    {"typeof this.a", "400 903 46 800:a"}, {"a.b", "800:a 46 800:b"}, {"a . b", "800:a 46 800:b"},
    {" \t\n\v\f\r x", "800:x"},
    // the longest match of up to four characters
    {"x>>>=1", "800:x 333 950:1"}, {"a===b", "800:a 323 322 800:b"}, {"a!==b", "800:a 321 322 800:b"},
    {"a+++b", "800:a 301 300 800:b"}, {"a---b", "800:a 304 303 800:b"}, {"a<<<b", "800:a 326 324 800:b"},
    {"a<<=b", "800:a 327 800:b"}, {"a>>>>b", "800:a 332 328 800:b"}, {"a>>>>=b", "800:a 332 329 800:b"},
    {"a>>=b", "800:a 331 800:b"}, {"a&&=b", "800:a 313 322 800:b"}, {"a|||b", "800:a 316 315 800:b"},
    {"a**b", "800:a 308 308 800:b"}, {"a!!b", "800:a 320 320 800:b"}, {"a%%b", "800:a 310 310 800:b"},
    {"a^^b", "800:a 318 318 800:b"}, {"a=>b", "800:a 322 328 800:b"}, {"a=!b", "800:a 322 320 800:b"},
    {"a-=-b", "800:a 305 303 800:b"}, {"a/b", "800:a 306 800:b"}, {"a/=b", "800:a 307 800:b"},
    {"<-1", "324 303 950:1"}, {"<!x", "324 320 800:x"}, {"~a", "126 800:a"},
    // an operator character before any kind of space stands alone
    {"a+ b", "800:a 300 800:b"}, {"a- -b", "800:a 303 303 800:b"}, {"a =\t1", "800:a 322 950:1"},
    {"a >\v= b", "800:a 328 322 800:b"}, {"a &\f& b", "800:a 312 312 800:b"}, {"! x", "320 800:x"},
    {"a * b % c ^ d | e", "800:a 308 800:b 310 800:c 318 800:d 315 800:e"},
    {"a / / b", "800:a 306 306 800:b"}, {"a /\r* b */", "800:a 306 308 800:b 308 306"},
    {"a <\n!-- b", "800:a 324 320 304 800:b"}, {"a. b", "800:a 46 800:b"}, {". 5", "46 950:5"}, {"+ +", "300 300"},
    // comments answer 600
    {"// c\nx", "600 800:x"}, {"// c\rx", "600 800:x"}, {"<!-- hidden\nx", "600 800:x"},
    {"a<!--b\nc", "800:a 600 800:c"}, {"<!--", "600"}, {"/*/ x */", "600 800:x 308 306"}, {"/**/x", "600 800:x"},
    {"/***/z", "600 800:z"}, {"/* a * b / c */y", "600 800:y"}, {"/* open", "600"}, {"// to the end", "600"},
};

TEST(Lexer, CodesKindsAndTexts) {
    for (const Lexed &c : kCodes) EXPECT_EQ(Scan(std::string(c.text) + " x", 0), std::string(c.tokens) + " 800:x 700");
    for (const Lexed &c : kLexed) EXPECT_EQ(Scan(c.text, 0), std::string(c.tokens) + " 700") << c.text;
    // Keywords match only whole and case-exact; later reserved words are names.
    std::vector<std::string> words = {"do", "switch", "case", "default", "delete", "instanceof", "try",
                                      "catch", "throw", "undefined", "let", "const", "Function"};
    for (const Lexed &k : kCodes) {
        const std::string word = k.text;
        if (word[0] < 'a' || word[0] > 'z') continue;
        std::string capital = word;
        capital[0] = static_cast<char>(capital[0] - 'a' + 'A');
        for (const std::string &v : {word + "s", word + "1", word + "_", word + "$", "_" + word, capital,
                                     word.substr(0, word.size() - 1)})
            words.push_back(v);
    }
    for (const std::string &v : words) EXPECT_EQ(Scan(v + " x", 0), "800:" + v + " 800:x 700");
}

TEST(Lexer, LineEndsAndBytesThatStartNoToken) {
    // Line ends are tokens only when asked for; a line comment leaves its own.
    const struct {
        const char *text;
        int lineEndsAreSpace;
        const char *tokens;
    } cases[] = {{"// c\nx", 0, "600 10 800:x 700"}, {"<!-- c\rx", 0, "600 10 800:x 700"},
                 {"a\nb", 0, "800:a 10 800:b 700"}, {"a\r\n b", 0, "800:a 10 10 800:b 700"},
                 {"a\r\n b", 1, "800:a 800:b 700"}, {"\"a\nb\"", 0, "960:a\nb 700"},
                 {"", 1, "700"}, {" \t\r\n", 1, "700"}};
    for (const auto &c : cases) EXPECT_EQ(Scan(c.text, 0, nullptr, c.lineEndsAreSpace), c.tokens) << c.text;
    EXPECT_EQ(Scan("", 1), "700");
    // A character that starts no token answers 1000 and does not move.
    for (const char *text : {"#", "@x", "\\", "`", "ab#"}) {
        size_t stop = 99;
        EXPECT_EQ(Scan(text, 0, &stop), text[0] == 'a' ? "800:ab 1000" : "1000") << text;
        EXPECT_EQ(stop, text[0] == 'a' ? 2u : 0u) << text;
    }
}

// One text lexed with more text announced (the tokens, and where the
// position stands) and as the last text.
const struct ChunkCase {
    const char *text;
    const char *whenMore;
    size_t stop;
    const char *whenLast;
} kChunkEnds[] = {
    {"a+", "800:a 700", 1, "800:a 300 700"}, {"abc", "700", 0, "800:abc 700"}, {"if", "700", 0, "505 700"},
    {"if(", "505 40 700", 3, "505 40 700"}, {"x=12", "800:x 322 700", 2, "800:x 322 950:12 700"},
    {"7", "700", 0, "950:7 700"}, {"0", "700", 0, "950:0 700"}, {"07", "700", 0, "951:07 700"},
    {"0x1F", "700", 0, "952:0x1F 700"}, {"0x", "700", 0, "952:0x 700"}, {"1.5", "700", 0, "953:1.5 700"},
    {"1e+", "700", 0, "953:1e+ 700"}, {".", "700", 0, "46 700"}, {".5", "700", 0, "953:.5 700"},
    {"a.", "800:a 700", 1, "800:a 46 700"}, {"\"abc", "700", 0, "960:abc 700"},
    {"s='ab\\'c", "800:s 322 700", 2, "800:s 322 961:ab\\'c 700"}, {"\"", "700", 0, "34 700"},
    {"'", "700", 0, "39 700"}, {"<", "700", 0, "324 700"}, {"<!", "700", 0, "324 320 700"},
    {"<!-", "700", 0, "324 320 303 700"}, {"<!-- c", "700", 0, "600 700"},
    {"a<<", "800:a 700", 1, "800:a 326 700"}, {"a>>", "800:a 700", 1, "800:a 330 700"},
    {"a>>>", "800:a 700", 1, "800:a 332 700"}, {"a>>=", "800:a 331 700", 4, "800:a 331 700"},
    {"a>>>=", "800:a 333 700", 5, "800:a 333 700"}, {"a==", "800:a 323 700", 3, "800:a 323 700"},
    {"a&&", "800:a 313 700", 3, "800:a 313 700"}, {"a+=", "800:a 302 700", 3, "800:a 302 700"},
    {"a!", "800:a 700", 1, "800:a 320 700"}, {"a/", "800:a 700", 1, "800:a 306 700"},
    {"/*c", "700", 0, "600 700"}, {"x //c", "800:x 700", 2, "800:x 600 700"},
    {"x /* c */", "800:x 600 700", 9, "800:x 600 700"}, {"a+ ", "800:a 300 700", 3, "800:a 300 700"},
    {"a. ", "800:a 46 700", 3, "800:a 46 700"}, {"ab;", "800:ab 59 700", 3, "800:ab 59 700"},
    {"ab ", "800:ab 700", 3, "800:ab 700"}, {"12 ", "950:12 700", 3, "950:12 700"},
    {"12e", "700", 0, "953:12e 700"},
};

TEST(Lexer, AnUnfinishedTokenAsksForMoreAndKeepsItsStart) {
    for (const ChunkCase &c : kChunkEnds) {
        size_t stop = 99;
        EXPECT_EQ(Scan(c.text, 1, &stop), c.whenMore) << c.text;
        EXPECT_EQ(stop, c.stop) << c.text;
        EXPECT_EQ(Scan(c.text, 0), c.whenLast) << c.text;
    }
    // A chunk that ends inside a longer buffer: the bytes beyond its end
    // (here a space that would end the token) decide nothing.
    const struct {
        const char *text;
        size_t end;
        const char *tokens;
        size_t stop;
    } inside[] = {{"a+ b", 2, "800:a 700", 1}, {"a. b", 2, "800:a 700", 1}, {"ab cd", 2, "700", 0},
                  {"x = 1", 3, "800:x 700", 2}, {"12 ", 2, "700", 0}, {"x<  ", 2, "800:x 700", 1}};
    for (const auto &c : inside) {
        size_t stop = 99;
        EXPECT_EQ(Scan(c.text, 1, &stop, 1, c.end), c.tokens) << c.text;
        EXPECT_EQ(stop, c.stop) << c.text;
    }
    // Lexed again from the kept position, the rest gives the whole tokens.
    const std::string text = "count>>>=0x1F";
    for (size_t cut = 1; cut < text.size(); cut++) {
        size_t stop = 0;
        std::string tokens = Scan(text, 1, &stop, 1, cut);
        tokens = tokens.substr(0, tokens.size() - 3) + Scan(text.substr(stop), 0);
        EXPECT_EQ(tokens, "800:count 333 952:0x1F 700") << "cut at " << cut;
    }
}

struct Report {
    int count = 0;
    uint32_t handle = 99;
    int code = 0;
    std::string text;
} g_report;

int DURIZ_CALL RecordError(uint32_t handle, int code, const char *text) {
    g_report = {g_report.count + 1, handle, code, text ? text : "(null)"};
    return 0;
}

class Parser : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_host;
        g_host = HostCallbacks{};
        g_host.reportError = RecordError;
        g_report = Report{};
    }
    void TearDown() override { g_host = saved_; }
    HostCallbacks saved_;
};

// A node as its label and its children in parentheses: identifiers and
// numbers by their text, strings quoted, every other node by its code.
std::string Shape(const JsToken *node) {
    std::string out;
    if (node->code == 800 || (node->code >= 950 && node->code <= 953)) {
        out = node->text ? node->text : "?";
    } else if (node->code == 960) {
        out = std::string("\"") + (node->text ? node->text : "?") + "\"";
    } else {
        out = std::to_string(node->code) + (node->text ? std::string(":") + node->text : "");
    }
    if (const JsToken *child = node->FirstChild()) {
        for (out += '('; child; child = child->Next()) out += Shape(child) + (child->Next() ? "," : ")");
    }
    return out;
}

// The top-level statements of text, separated by " | ", or the result code
// when compiling did not succeed.
std::string Statements(const std::string &text, int handlerMode = 0) {
    JsScript *script = JsScript::Create(0, handlerMode);
    const char *pos = text.data();
    const int rc = Compile(script, &pos, text.data() + text.size(), 0);
    std::string out;
    for (const JsToken *s = script->root->FirstChild(); s; s = s->Next()) out += (out.empty() ? "" : " | ") + Shape(s);
    EXPECT_EQ(script->root->code, 888);
    JsScript::Destroy(script);
    return rc == 1111 ? out : "error " + std::to_string(rc);
}

const struct Case {
    const char *text;
    const char *shape;
} kShapes[] = {
    // precedence and associativity
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
    // members, subscripts, calls and construction
    {"a.b.c(1, 2)", "650(46(46(a,b),c),44(1,2))"}, {"f()", "650(f,44)"},
    {"f(a + b, c)", "650(f,44(300(a,b),c))"}, {"f(g(x), y)", "650(f,44(650(g,44(x)),y))"},
    {"f(a)(b)", "650(f,44(a)) | b"}, {"a[b][c]", "299(299(a,b),c)"}, {"a.b[c]", "299(46(a,b),c)"},
    {"a[b].c", "46(299(a,b),c)"}, {"a.b(c).d", "46(650(46(a,b),44(c)),d)"},
    {"x = a + b.c", "322(x,300(a,46(b,c)))"}, {"(a + b).c", "46(300(a,b),c)"},
    {"\"s\".length", "46(\"s\",length)"}, {"this.x = 1", "322(46(903,x),1)"}, {"a. 1", "46(a,1)"},
    {"new Foo", "401(Foo)"}, {"new Foo(1, 2)", "401(650(Foo,44(1,2)))"},
    {"x = new a.b(c)", "322(x,401(650(46(a,b),44(c))))"}, {"new Foo.bar", "401(46(Foo,bar))"},
    // statements
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
    {"return 1", "error 1000"},
    // escaped strings are stored resolved; an unknown escape is its letter
    {"'a\\tb'", "\"a\tb\""}, {"'it\\'s'", "\"it's\""}, {"'\\n\\r\\t\\b\\f'", "\"\n\r\t\b\f\""},
    {"'\\q\\\\\\\"\\''", "\"q\\\"'\""}, {"'abc\\", "\"abc\""}, {"'\\\\n'", "\"\\n\""},
    // unfinished text leaves an accepted partial tree
    {"if (a", "505(40(a))"}, {"f(1,", "650(f,44(1))"}, {"a +", "300(a)"}, {"x =", "322(x)"},
    {"{ x = 1", "651(322(x,1))"}, {"while (a) {", "509(a,651)"}, {"x = a ?", "322(x,340(a))"},
    {"function f(a", "504(40(f,a))"}, {"function f()", "504(f,652)"},
    {"for (i = 0; i <", "502(40(322(i,0),324(i)))"}, {"a[", "91(a)"}, {"a.", "46(a)"},
};

TEST_F(Parser, TreeShapes) {
    for (const Case &c : kShapes) EXPECT_EQ(Statements(c.text), c.shape) << c.text;
    // A return at the top is allowed in event handlers.
    const Case handler[] = {{"return 1", "507(1)"}, {"return;", "507"}, {"return false", "507(901)"}};
    for (const Case &c : handler) EXPECT_EQ(Statements(c.text, 1), c.shape) << c.text;
    // Literal nodes keep their kind; strings are stored resolved.
    JsScript *script = JsScript::Create(0, 0);
    const std::string text = "f(null, false, true, this, 42, 017, 0x1F, 1.5e3, 'a', \"b\\n\", k)";
    const char *pos = text.data();
    ASSERT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1111);
    std::string codes;
    for (const JsToken *a = script->root->FirstChild()->LastChild()->FirstChild(); a; a = a->Next())
        codes += std::to_string(a->code) + (a->text ? std::string(":") + a->text : "") + " ";
    EXPECT_EQ(codes, "900 901 902 903 950:42 951:017 952:0x1F 953:1.5e3 960:a 960:b\n 800:k ");
    JsScript::Destroy(script);
    EXPECT_EQ(g_report.count, 2);  // "x = (a, b)" and "return 1", once each
}

// Compiles the whole text into a fresh script and answers the result.
int CompileAll(const std::string &text, int handlerMode = 0) {
    JsScript *script = JsScript::Create(0, handlerMode);
    const char *pos = text.data();
    const int rc = Compile(script, &pos, text.data() + text.size(), 0);
    JsScript::Destroy(script);
    return rc;
}

// Each short enough that its excerpt reaches back to the start: the whole text.
const char *const kRefused[] = {
    "break;", "continue", "if (a) { break; }", "else x;", "if (a) b; c; else d;", "}", "{ } }", "a]", "()",
    "while ()", "f()()", "(a, b)", "if (a, b) x;", "a,,b", "f(a,,b)", "function f(a,) {}", "return 1",
    "{} return 1", "var", "var 5", "var /* note */ x;", "function", "function (a) {}", "function f {}",
    "function f /* c */ () {}", "new", "new 5", "new (a)", "* a", "a.+b", "a : b", "? a", "x = )", "#", "a @ b",
    "x = \"", "'", "x = [1]", "a[1, 2]", "for (a; b; c; d) x;", "for (a; b) x;", "x in y", "with (o);",
};

TEST_F(Parser, RefusedTextsReportOnceWithTheirExcerpt) {
    for (const char *text : kRefused) {
        g_report = Report{};
        EXPECT_EQ(CompileAll(text), 1000) << text;
        EXPECT_EQ(g_report.count, 1) << text;
        EXPECT_EQ(g_report.handle, 0u) << text;
        EXPECT_EQ(g_report.code, 1000) << text;
        EXPECT_EQ(g_report.text, text);
    }
    g_report = Report{};
    for (const char *text :
         {"while (a) { if (b) break; }", "function f() { return 1 }", "f(a)(b)", "if (a) ;", "x = a ? b : c",
          "for (k in o) continue;", "var a, b;", "a = ; b", "var x /* c */ = 1;", "// only a comment"})
        EXPECT_EQ(CompileAll(text), 1111) << text;
    EXPECT_EQ(CompileAll("return false", 1), 1111);
    EXPECT_EQ(g_report.count, 0);
    // Without an error callback the result is still 1000.
    g_host.reportError = nullptr;
    EXPECT_EQ(CompileAll("a ]"), 1000);
    EXPECT_EQ(g_report.count, 0);
}

// The excerpt starts twenty bytes before the end of the offending token (or
// of a character that starts none), or at a line feed within them, holds at
// most 1024 bytes and never reaches before this call's text.
TEST_F(Parser, ExcerptOfTheTextAroundTheOffendingToken) {
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
    const std::string text = "alpha = 1; beta = 2; }";
    JsScript *script = JsScript::Create(0, 0);
    const char *pos = text.data();
    const char *firstEnd = text.data() + text.find('}') - 1;  // up to the last ';'
    ASSERT_EQ(Compile(script, &pos, firstEnd, 1), 700);
    ASSERT_EQ(pos, firstEnd);
    g_report = Report{};
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1000);
    EXPECT_EQ(g_report.count, 1);
    EXPECT_EQ(g_report.text, " }");
    JsScript::Destroy(script);
}

// A deleted token gives back its whole subtree, a chain a million deep
// too, without growing the stack.
TEST(TreeNode, DeletingATokenGivesBackItsWholeSubtree) {
    const size_t blocks = JsBlocksInUse();
    JsToken *top = JsToken::Make(TK_BLOCK, nullptr, -1);
    for (int k = 0; k < 3; k++) {
        JsToken *child = JsToken::Make(TK_IDENT, "name", 4);
        child->AppendToParent(top);
        for (int j = 0; j < 3; j++) JsToken::Make(TK_INT, "1", 1)->AppendToParent(child);
    }
    JsToken *tip = top->LastChild();
    for (int k = 0; k < 1000000; k++) {
        JsToken *next = JsToken::Make(TK_NEG, nullptr, -1);
        next->AppendToParent(tip);
        tip = next;
    }
    EXPECT_EQ(JsBlocksInUse(), blocks + 1 + 3 + 9 + 1000000);
    delete top;
    EXPECT_EQ(JsBlocksInUse(), blocks);
}

class Printer : public Parser {
protected:
    void TearDown() override {
        for (JsScript *s : scripts_) JsScript::Destroy(s);
        Parser::TearDown();
    }
    // Compiles text as an event handler (return allowed at the top) and
    // answers its first statement.
    const JsToken *First(const std::string &text, int want = 1111) {
        scripts_.push_back(JsScript::Create(0, 1));
        const char *pos = text.data();
        EXPECT_EQ(Compile(scripts_.back(), &pos, text.data() + text.size(), 0), want) << text.substr(0, 40);
        return scripts_.back()->root->FirstChild();
    }
    // Prints node into size bytes; the count answered must match the zero
    // that follows the text.
    static std::string Print(const JsToken *node, size_t size = 1024) {
        std::vector<char> buffer(size + 16, 'X');
        const size_t n = PrintSource(node, buffer.data(), size);
        EXPECT_LT(n, size);
        EXPECT_EQ(buffer[n], 0);
        EXPECT_EQ(std::strlen(buffer.data()), n);
        return std::string(buffer.data(), n);
    }
    std::vector<JsScript *> scripts_;
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
    // statements and values without a form print nothing
    {"null", ""}, {"true", ""}, {"false", ""}, {"this", ""}, {"!done", ""}, {"~x", ""}, {"void x", ""},
    {"for (;;) x", ""}, {"for (k in o) x", ""}, {"function f(a) { a }", ""}, {"with (o) a", ""}, {"return", ""},
};

TEST_F(Printer, EachConstructPrintsItsCompactForm) {
    for (const Case &c : kConstructs) EXPECT_EQ(Print(First(c.text)), c.shape) << c.text;
    for (const char *op : {"+", "-", "*", "/", "%", "&", "&&", "|", "||", "^", "==", "!=", "<", "<=", ">", ">=", "<<",
                           ">>", ">>>", "=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=", ">>>="})
        EXPECT_EQ(Print(First(std::string("a ") + op + " b")), std::string("a") + op + "b") << op;
    const JsToken *ifNode = First("if (x) y; else z;");
    ASSERT_EQ(ifNode->ChildCount(), 3);
    EXPECT_EQ(ifNode->LastChild()->code, 506);
    EXPECT_EQ(Print(ifNode->LastChild()), "");
    EXPECT_EQ(Print(First("a; b")->Parent()), "");  // the script root
    // Shapes the parser never leaves behind: nodes missing children.
    for (int code : {340, 650, 400, 401, 507, 508, 505, 509}) {
        for (int children = 0; children <= (code == 340 ? 2 : code == 505 || code == 509 ? 1 : 0); children++) {
            JsToken *node = JsToken::Make(code, nullptr, -1);
            for (int c = 0; c < children; c++) JsToken::Make(800, "a", 1)->AppendToParent(node);
            EXPECT_EQ(Print(node), "") << code << " with " << children;
            delete node;
        }
    }
}

TEST_F(Printer, RoomRulesOfTheBuffer) {
    // Below twenty-one bytes only the zero is written.
    const JsToken *a = First("a");
    for (size_t size : {1u, 2u, 20u}) {
        std::vector<char> buffer(32, 'X');
        EXPECT_EQ(PrintSource(a, buffer.data(), size), 0u);
        EXPECT_EQ(buffer[0], 0);
        EXPECT_EQ(buffer[1], 'X');
    }
    // A name or literal needs its length plus two below the room; children
    // are printed into what remains (the right operand into size - 2).
    const std::string n18(18, 'n'), n19(19, 'n'), s18 = "\"" + std::string(18, 's') + "\"",
                      s19 = "\"" + std::string(19, 's') + "\"";
    const JsToken *t18 = First("f(" + s18 + ")")->LastChild()->FirstChild();
    const JsToken *t19 = First("f(" + s19 + ")")->LastChild()->FirstChild();
    const JsToken *sum = First("a + b"), *call = First("f(x)"), *ifNode = First("if (x) y");
    const struct {
        const JsToken *node;
        size_t size;
        std::string printed;
    } cases[] = {
        {a, 21, "a"}, {First(n18), 21, n18}, {First(n19), 21, ""}, {First(n19), 22, n19}, {t18, 21, s18},
        {t19, 21, ""}, {t19, 22, s19}, {sum, 21, "a+"}, {sum, 22, "a+"}, {sum, 23, "a+b"}, {call, 22, "f()"},
        {call, 23, "f(x)"}, {ifNode, 21, "if () "}, {ifNode, 25, "if (x) "}, {ifNode, 27, "if (x) "},
        {ifNode, 28, "if (x) y"},
    };
    for (const auto &c : cases) EXPECT_EQ(Print(c.node, c.size), c.printed) << c.printed << " in " << c.size;
    // A long sum: operands stop once fewer than 21 bytes remain, operators
    // go on while four bytes are left after them. A long block fills the
    // buffer to the last byte.
    std::string sumSource = "a", sumWant = "a", blockSource = "{", blockWant = "{a";
    for (int i = 1; i < 600; i++) sumSource += "+a";
    for (int i = 0; i < 501; i++) sumWant += "+a", blockWant += ";a";
    for (int i = 0; i < 600; i++) blockSource += "a;";
    EXPECT_EQ(Print(First(sumSource)), sumWant + std::string(17, '+'));
    EXPECT_EQ(Print(First(blockSource + "}")), blockWant + std::string(19, ';'));
}

TEST_F(Printer, MillionDeepInputCompilesPrintsAndDissolves) {
    constexpr int kDepth = 1000000;
    std::string leftDeep = "a", assignments, calls;
    for (int i = 0; i < kDepth; i++) leftDeep += "-b", assignments += "a=";
    for (int i = 0; i < kDepth / 4; i++) calls += "f(";
    const struct {
        std::string text;
        int rc;
        std::string printed;  // the print of the first statement (its start with prefix)
        bool prefix;
    } cases[] = {
        {std::string(kDepth, '(') + "a" + std::string(kDepth, ')') + ";", 1111, "a", false},
        {std::string(kDepth, '(') + "a )", 1111, "", true},  // unfinished trees are accepted
        {std::string(kDepth, '!') + "x;", 1111, "", false},
        {leftDeep, 1111, "a-b-b", true},  // nests to the left: the innermost operand first
        {assignments + "1;", 1111, "a=a=", true},
        {std::string(kDepth, '{') + std::string(kDepth, '}'), 1111, "{{{{", true},
        {calls, 1111, "", true},
        {std::string(kDepth, '!') + "x }", 1000, "", true},
    };
    for (const auto &c : cases) {
        const JsToken *first = First(c.text, c.rc);
        if (c.rc != 1111 || !first) continue;
        const std::string printed = Print(first);
        EXPECT_EQ(c.prefix ? printed.substr(0, c.printed.size()) : printed, c.printed) << c.text.substr(0, 20);
        if (c.printed == "a-b-b") {
            EXPECT_GT(printed.size(), 1000u);
        }
    }
    // The doubled parentheses dissolve into the one name.
    EXPECT_EQ(First("((((a))));")->code, TK_IDENT);
    EXPECT_EQ(scripts_[0]->root->FirstChild()->Next(), nullptr);
    // The syntax error's excerpt: twenty bytes back from just after the "}".
    EXPECT_EQ(g_report.count, 1);
    EXPECT_EQ(g_report.text, std::string(17, '!') + "x }");
}

// Feeds text as a host does, from a buffer of exactly its size (so that
// AddressSanitizer sees any read beyond it): chunks end at the given cuts,
// on 700 the next call brings more. The result, the tree and the bytes taken.
struct Outcome {
    int result;
    std::string tree;
    size_t consumed;
    bool operator==(const Outcome &o) const { return result == o.result && tree == o.tree; }
};

Outcome CompileCut(const std::string &text, const std::vector<size_t> &cuts, int more = 0) {
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::memcpy(exact.get(), text.data(), text.size());
    JsScript *script = JsScript::Create(0, 0);
    const char *begin = exact.get(), *pos = begin;
    int rc = RC_MORE;
    for (size_t cut : cuts)
        if ((rc = Compile(script, &pos, begin + cut, 1)) != RC_MORE) break;
    if (rc == RC_MORE) rc = Compile(script, &pos, begin + text.size(), more);
    Outcome out{rc, DumpTree(script->root), static_cast<size_t>(pos - begin)};
    JsScript::Destroy(script);
    return out;
}

using ChunkedLoading = Parser;

// (Every split of the script tests is checked by their runs in chunks of
// one byte.) A comment after a keyword is an error wherever the split falls.
TEST_F(ChunkedLoading, ACommentAfterAKeywordIsAnErrorWhereverTheSplitFalls) {
    const std::string text = "var /* note */ x;";
    const Outcome whole = CompileCut(text, {});
    EXPECT_EQ(whole.result, RC_SYNTAX_ERROR);
    for (size_t k = 0; k <= text.size(); k++) EXPECT_EQ(CompileCut(text, {k}), whole) << k;
}

TEST_F(ChunkedLoading, EveryByteInEveryPlaceHasADefinedAnswer) {
    const char *frames[][2] = {{"", ""},  {"x = ", ""}, {"'", ""},  {"\"a", ""}, {"", "'"},   {"a", "b"},
                               {"1", ""}, {"0x", ""},   {"/", ""},  {"<!-", ""}, {"f(", ")"}, {"// ", "\nx"},
                               {"/* ", ""}, {"a.", ""}, {"\\", ""}};
    for (int b = 0; b < 256; b++) {
        for (auto &frame : frames) {
            const std::string text = std::string(frame[0]) + static_cast<char>(b) + frame[1];
            for (int more = 0; more <= 1; more++) {
                const Outcome out = CompileCut(text, {}, more);
                EXPECT_TRUE(out.result == RC_OK || out.result == RC_SYNTAX_ERROR || (more && out.result == RC_MORE))
                    << "byte " << b << " in '" << frame[0] << "_" << frame[1] << "' more " << more;
                EXPECT_LE(out.consumed, text.size());
            }
        }
    }
    // Without more text to come, unfinished strings, comments and numbers
    // end with the text.
    for (const char *t : {"'abc", "\"", "/* open", "x = 'a\\", "0x", "1e", "<!--", "a +"})
        EXPECT_NE(CompileCut(t, {}).result, RC_MORE) << t;
}

}  // namespace
