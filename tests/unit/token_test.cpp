// Token codes and tree nodes: the numbers the lexer hands out for each
// written form, the codes the parser leaves in a finished tree, and how a
// node takes (and resolves) its text.
#include "compiler/token.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "compiler/lexer.h"
#include "compiler/parser.h"
#include "engine/callbacks.h"

namespace {

struct Written {
    const char *text;
    int code;
};

// Lexes the first token of text followed by " x", so that no token touches
// the end of the text; answers the code and the number of bytes consumed.
int FirstCode(const char *written, size_t *consumed) {
    const std::string text = std::string(written) + " x";
    const char *pos = text.data();
    const char *tokenText = nullptr;
    size_t tokenLength = 0;
    const int code = Lex(&pos, &tokenText, &tokenLength, text.data() + text.size(), 0, 1);
    *consumed = static_cast<size_t>(pos - text.data());
    return code;
}

// Operators, then punctuation, which is its own character code and always
// one byte long.
const Written kSymbols[] = {
    {"+", 300},  {"++", 301}, {"+=", 302}, {"-", 303},   {"--", 304},  {"-=", 305},   {"/", 306},
    {"/=", 307}, {"*", 308},  {"*=", 309}, {"%", 310},   {"%=", 311},  {"&", 312},    {"&&", 313},
    {"&=", 314}, {"|", 315},  {"||", 316}, {"|=", 317},  {"^", 318},   {"^=", 319},   {"!", 320},
    {"!=", 321}, {"=", 322},  {"==", 323}, {"<", 324},   {"<=", 325},  {"<<", 326},   {"<<=", 327},
    {">", 328},  {">=", 329}, {">>", 330}, {">>=", 331}, {">>>", 332}, {">>>=", 333},
    {"(", 40},   {")", 41},   {",", 44},   {".", 46},    {":", 58},    {";", 59},
    {"?", 63},   {"[", 91},   {"]", 93},   {"{", 123},   {"}", 125},   {"~", 126},
};

const Written kKeywords[] = {
    {"typeof", 400}, {"new", 401},      {"void", 402}, {"break", 500}, {"continue", 501}, {"for", 502},
    {"in", 503},     {"function", 504}, {"if", 505},   {"else", 506},  {"return", 507},   {"var", 508},
    {"while", 509},  {"with", 511},     {"null", 900}, {"false", 901}, {"true", 902},     {"this", 903},
};

TEST(TokenCodes, OperatorsPunctuationAndKeywordsHaveTheirFixedCodes) {
    std::vector<Written> all(std::begin(kSymbols), std::end(kSymbols));
    all.insert(all.end(), std::begin(kKeywords), std::end(kKeywords));
    for (const Written &w : all) {
        size_t consumed = 0;
        EXPECT_EQ(FirstCode(w.text, &consumed), w.code) << w.text;
        EXPECT_EQ(consumed, std::strlen(w.text)) << w.text;
    }
}

// Keywords match only whole and case-exact; the words later versions of the
// language reserve are identifiers here.
TEST(TokenCodes, OtherWordsAreIdentifiers) {
    std::vector<std::string> words = {"do",  "switch", "case",  "default",   "delete", "instanceof", "try",
                                      "catch", "throw", "undefined", "let", "const", "Function"};
    for (const Written &k : kKeywords) {
        const std::string word = k.text;
        std::string capital = word;
        capital[0] = static_cast<char>(capital[0] - 'a' + 'A');
        for (const std::string &v : {word + "s", word + "1", word + "_", word + "$", "_" + word, capital,
                                     word.substr(0, word.size() - 1)})
            words.push_back(v);
    }
    for (const std::string &v : words) {
        size_t consumed = 0;
        EXPECT_EQ(FirstCode(v.c_str(), &consumed), 800) << v;
        EXPECT_EQ(consumed, v.size()) << v;
    }
}

// Compiles a whole text into a fresh script.
JsScript *CompileText(const std::string &text) {
    JsScript *script = JsScript::Create(0, 0);
    const char *pos = text.data();
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1111) << text;
    return script;
}

TEST(TokenCodes, LiteralNodesCarryTheirTextOrNone) {
    JsScript *script = CompileText("f(null, false, true, this, 42, 017, 0x1F, 1.5e3, 'a', \"b\\n\", k)");
    const JsToken *args = script->root->FirstChild()->LastChild();
    struct Expect {
        int code;
        const char *text;
    };
    const Expect want[] = {{900, nullptr}, {901, nullptr}, {902, nullptr}, {903, nullptr},
                           {950, "42"},    {951, "017"},   {952, "0x1F"},  {953, "1.5e3"},
                           {960, "a"},     {960, "b\n"},   {800, "k"}};
    ASSERT_EQ(args->ChildCount(), 11);
    const JsToken *arg = args->FirstChild();
    for (const Expect &e : want) {
        ASSERT_NE(arg, nullptr);
        EXPECT_EQ(arg->code, e.code);
        if (e.text) {
            ASSERT_NE(arg->text, nullptr) << e.code;
            EXPECT_STREQ(arg->text, e.text);
        } else {
            EXPECT_EQ(arg->text, nullptr) << e.code;
        }
        arg = arg->Next();
    }
    JsScript::Destroy(script);
}

TEST(TokenNode, MadeNodeResolvesEscapesAndCopiesExactlyTheGivenLength) {
    // An escaped string (961) is stored as a string (960) of its resolved text.
    const struct {
        const char *raw, *resolved;
    } escapes[] = {
        {"a\\tb", "a\tb"}, {"it\\'s", "it's"}, {"\\n\\r\\t\\b\\f", "\n\r\t\b\f"},
        {"\\q\\\\\\\"\\'", "q\\\"'"}, {"abc\\", "abc"}, {"\\\\n", "\\n"}, {"plain", "plain"},
    };
    for (const auto &e : escapes) {
        JsToken *node = JsToken::Make(961, e.raw, static_cast<ptrdiff_t>(std::strlen(e.raw)));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->code, 960) << e.raw;
        ASSERT_NE(node->text, nullptr);
        EXPECT_EQ(std::string(node->text), e.resolved) << e.raw;
        delete node;
    }
    const char source[] = "abcdef";
    JsToken *node = JsToken::Make(800, source, 3);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->code, 800);
    EXPECT_STREQ(node->text, "abc");
    EXPECT_NE(node->text, source);
    delete node;
    // A null text or a negative length leave no text.
    for (JsToken *bare : {JsToken::Make(800, nullptr, 3), JsToken::Make(800, "abc", -1)}) {
        ASSERT_NE(bare, nullptr);
        EXPECT_EQ(bare->text, nullptr);
        delete bare;
    }
}

TEST(TokenNode, NodeInBlockKeepsItsTextRightBehindTheRecord) {
    const char raw[] = "x\\ty";
    const size_t length = std::strlen(raw);
    std::vector<unsigned char> storage(sizeof(JsToken) + length + 1 + alignof(JsToken));
    void *block = storage.data();
    size_t room = storage.size();
    ASSERT_NE(std::align(alignof(JsToken), sizeof(JsToken) + length + 1, block, room), nullptr);
    JsToken *node = JsToken::MakeInBlock(block, 961, raw, static_cast<ptrdiff_t>(length));
    ASSERT_EQ(static_cast<void *>(node), block);
    EXPECT_EQ(node->code, 960);
    EXPECT_EQ(node->text, static_cast<char *>(block) + sizeof(JsToken));
    EXPECT_STREQ(node->text, "x\ty");
    // A node in a host block is never destroyed by the engine.
}

// A host heap that records the size of every block asked for.
std::vector<size_t> g_blockSizes;
std::vector<void *> g_blocks;
void *DURIZ_CALL RecordingAlloc(uintptr_t, size_t size) {
    g_blockSizes.push_back(size);
    void *block = std::malloc(size);
    g_blocks.push_back(block);
    return block;
}

TEST(TokenNode, HostHeapBlocksHoldTheRecordAndTheRawText) {
    const HostCallbacks saved = g_host;
    g_host = HostCallbacks{};
    g_host.hostAlloc = RecordingAlloc;
    g_blockSizes.clear();
    g_blocks.clear();
    JsScript *script = JsScript::Create(1, 0);
    ASSERT_NE(script, nullptr);
    const std::string text = "ab = \"c\\td\" + \"\"";
    const char *pos = text.data();
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), 1111);
    const size_t record = sizeof(JsToken);
    // root, "ab", =, the escaped string (4 raw bytes), +, the empty string.
    EXPECT_EQ(g_blockSizes, (std::vector<size_t>{record, record + 3, record, record + 5, record, record}));
    const JsToken *sum = script->root->FirstChild()->LastChild();
    ASSERT_NE(sum, nullptr);
    ASSERT_EQ(sum->code, 300);
    EXPECT_STREQ(sum->FirstChild()->text, "c\td");
    JsScript::Destroy(script);
    for (void *block : g_blocks) std::free(block);
    g_host = saved;
}

}  // namespace
