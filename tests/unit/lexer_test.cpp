// The lexer, token by token: literal kinds and texts, strings, comments,
// longest-match operators, and what happens at the end of a chunk.
#include "compiler/lexer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Lexes text until 700 or 1000 and writes each token as its code, followed
// by ":" and the token text for the tokens that carry one. *stop receives
// the offset of the position when lexing ended.
std::string Scan(const std::string &text, int more, size_t *stop = nullptr, int lineEndsAreSpace = 1) {
    const char *pos = text.data();
    const char *end = text.data() + text.size();
    std::string out;
    for (int guard = 0; guard < 200; guard++) {
        const char *tokenText = nullptr;
        size_t tokenLength = 0;
        const int code = Lex(&pos, &tokenText, &tokenLength, end, more, lineEndsAreSpace);
        if (!out.empty()) out += ' ';
        out += std::to_string(code);
        if (tokenText) out += ":" + std::string(tokenText, tokenLength);
        if (code == 700 || code == 1000) break;
    }
    if (stop) *stop = static_cast<size_t>(pos - text.data());
    return out;
}

struct Case {
    const char *text;
    const char *tokens;  // without the final 700
};

void ExpectScans(const Case *cases, size_t count) {
    for (size_t i = 0; i < count; i++)
        EXPECT_EQ(Scan(cases[i].text, 0), std::string(cases[i].tokens) + " 700") << cases[i].text;
}

const Case kNumbers[] = {
    {"123", "950:123"}, {"0x1F", "952:0x1F"}, {"0xff;", "952:0xff 59"}, {"0x", "952:0x"},
    {"0xg", "952:0x 800:g"}, {"0X1F", "951:0 800:X1F"}, {"017", "951:017"}, {"00", "951:00"},
    {"019", "950:019"}, {"08", "950:08"}, {"0;", "951:0 59"}, {"0", "950:0"}, {"7", "950:7"},
    {"0.5", "953:0.5"}, {"0e1", "953:0e1"}, {".5", "953:.5"}, {"1.", "953:1."}, {"08.5", "953:08.5"},
    {"1e+5", "953:1e+5"}, {"2E-3", "953:2E-3"}, {"1.5e3", "953:1.5e3"}, {"1e", "953:1e"}, {"1e+", "953:1e+"},
    {"1.2.3", "953:1.2 953:.3"}, {"1e5.5", "953:1e5.5"}, {"1e5e5", "953:1e5 800:e5"},
    {"1e-2-3", "953:1e-2 303 950:3"}, {"1-2", "950:1 303 950:2"}, {"5px", "950:5 800:px"},
    {"3+4", "950:3 300 950:4"},
};

TEST(LexerNumbers, KindAndTextAsWritten) {
    ExpectScans(kNumbers, sizeof kNumbers / sizeof *kNumbers);
}

const Case kStrings[] = {
    {"\"abc\"", "960:abc"}, {"'abc'", "960:abc"}, {"\"a'b\"", "960:a'b"}, {"'a\"b'", "960:a\"b"},
    {"\"\"", "960:"}, {"'x''y'", "960:x 960:y"}, {"\"a\\tb\"", "961:a\\tb"}, {"'it\\'s'", "961:it\\'s"},
    {"\"a\\\"b\" x", "961:a\\\"b 800:x"}, {"\"a\\\\\" x", "961:a\\\\ 800:x"},
    {"\"line\nend\"", "960:line\nend"}, {"\"abc", "960:abc"}, {"\"abc\\", "961:abc\\"},
    {"'ab\\'c", "961:ab\\'c"}, {"\"", "34"}, {"'", "39"},
};

TEST(LexerStrings, TextBetweenQuotesWithEscapesLeftAsWritten) {
    ExpectScans(kStrings, sizeof kStrings / sizeof *kStrings);
}

const Case kWords[] = {
    {"$a_1 _ $", "800:$a_1 800:_ 800:$"},  {"return1 Return returns", "800:return1 800:Return 800:returns"},
    {"if(x)", "505 40 800:x 41"},          {"var x=new Foo", "508 800:x 322 401 800:Foo"},
    {"typeof this.a", "400 903 46 800:a"}, {"a.b", "800:a 46 800:b"},
    {"a . b", "800:a 46 800:b"},           {" \t\n\v\f\r x", "800:x"},
};

TEST(LexerWords, IdentifiersKeywordsAndWhiteSpace) {
    ExpectScans(kWords, sizeof kWords / sizeof *kWords);
}

const Case kOperators[] = {
    {"x>>>=1", "800:x 333 950:1"},    {"a===b", "800:a 323 322 800:b"},  {"a!==b", "800:a 321 322 800:b"},
    {"a+++b", "800:a 301 300 800:b"}, {"a---b", "800:a 304 303 800:b"},  {"a<<<b", "800:a 326 324 800:b"},
    {"a<<=b", "800:a 327 800:b"},     {"a>>>>b", "800:a 332 328 800:b"}, {"a>>>>=b", "800:a 332 329 800:b"},
    {"a>>=b", "800:a 331 800:b"},     {"a&&=b", "800:a 313 322 800:b"},  {"a|||b", "800:a 316 315 800:b"},
    {"a**b", "800:a 308 308 800:b"},  {"a!!b", "800:a 320 320 800:b"},   {"a%%b", "800:a 310 310 800:b"},
    {"a^^b", "800:a 318 318 800:b"},  {"a=>b", "800:a 322 328 800:b"},   {"a=!b", "800:a 322 320 800:b"},
    {"a-=-b", "800:a 305 303 800:b"}, {"a/b", "800:a 306 800:b"},        {"a/=b", "800:a 307 800:b"},
    {"<-1", "324 303 950:1"},         {"<!x", "324 320 800:x"},          {"~a", "126 800:a"},
};

TEST(LexerOperators, LongestMatchOfUpToFourCharacters) {
    ExpectScans(kOperators, sizeof kOperators / sizeof *kOperators);
}

// An operator character with a space after it is taken as a whole token at
// once; each kind of space ends it, and what follows the space is a token
// of its own.
const Case kBeforeSpace[] = {
    {"a+ b", "800:a 300 800:b"},   {"a- -b", "800:a 303 303 800:b"}, {"a =\t1", "800:a 322 950:1"},
    {"a >\v= b", "800:a 328 322 800:b"}, {"a &\f& b", "800:a 312 312 800:b"}, {"! x", "320 800:x"},
    {"a * b % c ^ d | e", "800:a 308 800:b 310 800:c 318 800:d 315 800:e"},
    {"a / / b", "800:a 306 306 800:b"}, {"a /\r* b */", "800:a 306 308 800:b 308 306"},
    {"a <\n!-- b", "800:a 324 320 304 800:b"}, {"a. b", "800:a 46 800:b"}, {". 5", "46 950:5"},
    {"+ +", "300 300"},
};

TEST(LexerOperators, OperatorBeforeASpaceStandsAlone) {
    ExpectScans(kBeforeSpace, sizeof kBeforeSpace / sizeof *kBeforeSpace);
}

const Case kComments[] = {
    {"// c\nx", "600 800:x"}, {"// c\rx", "600 800:x"}, {"<!-- hidden\nx", "600 800:x"},
    {"a<!--b\nc", "800:a 600 800:c"}, {"<!--", "600"}, {"/*/ x */", "600 800:x 308 306"},
    {"/**/x", "600 800:x"}, {"/***/z", "600 800:z"}, {"/* a * b / c */y", "600 800:y"}, {"/* open", "600"},
    {"// to the end", "600"},
};

TEST(LexerComments, SkippedCommentsAnswer600) {
    ExpectScans(kComments, sizeof kComments / sizeof *kComments);
}

TEST(LexerWords, LineEndsAreTokensOnlyWhenAskedFor) {
    // A line comment leaves the line end behind it.
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
}

TEST(LexerWords, CharacterThatStartsNoTokenDoesNotMove) {
    for (const char *text : {"#", "@x", "\\", "`"}) {
        size_t stop = 99;
        EXPECT_EQ(Scan(text, 0, &stop), "1000") << text;
        EXPECT_EQ(stop, 0u) << text;
    }
    size_t stop = 99;
    EXPECT_EQ(Scan("ab#", 0, &stop), "800:ab 1000");
    EXPECT_EQ(stop, 2u);
}

// One text lexed twice: with more text announced, where the scan must stop
// and where the position must stand; and as the last text.
struct ChunkCase {
    const char *text;
    const char *whenMore;
    size_t stop;
    const char *whenLast;
};

const ChunkCase kChunkEnds[] = {
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

TEST(LexerChunks, UnfinishedTokenAsksForMoreAndKeepsItsStart) {
    for (const ChunkCase &c : kChunkEnds) {
        size_t stop = 99;
        EXPECT_EQ(Scan(c.text, 1, &stop), c.whenMore) << c.text;
        EXPECT_EQ(stop, c.stop) << c.text;
        EXPECT_EQ(Scan(c.text, 0), c.whenLast) << c.text;
    }
}

TEST(LexerChunks, BytesPastTheEndDecideNothing) {
    // The chunk ends inside a longer buffer: what lies beyond, here a space
    // that would end the token, must not be looked at.
    const struct {
        const char *text;
        size_t end;
        const char *tokens;
        size_t stop;
    } cases[] = {{"a+ b", 2, "800:a 700", 1}, {"a. b", 2, "800:a 700", 1}, {"ab cd", 2, "700", 0},
                 {"x = 1", 3, "800:x 700", 2},  {"12 ", 2, "700", 0},          {"x<  ", 2, "800:x 700", 1}};
    for (const auto &c : cases) {
        const std::string text = c.text;
        const char *pos = text.data();
        std::string out;
        for (int guard = 0; guard < 20; guard++) {
            const char *t = nullptr;
            size_t n = 0;
            const int code = Lex(&pos, &t, &n, text.data() + c.end, 1, 1);
            if (!out.empty()) out += ' ';
            out += std::to_string(code) + (t ? ":" + std::string(t, n) : "");
            if (code == 700) break;
        }
        EXPECT_EQ(out, c.tokens) << c.text;
        EXPECT_EQ(static_cast<size_t>(pos - text.data()), c.stop) << c.text;
    }
}

TEST(LexerChunks, RescanFromTheKeptPositionGivesTheWholeToken) {
    const std::string text = "count>>>=0x1F";
    for (size_t cut = 1; cut < text.size(); cut++) {
        const char *pos = text.data();
        std::string tokens;
        // First chunk: lex until it asks for more.
        for (;;) {
            const char *t = nullptr;
            size_t n = 0;
            const int code = Lex(&pos, &t, &n, text.data() + cut, 1, 1);
            if (code == 700) break;
            tokens += std::to_string(code) + (t ? ":" + std::string(t, n) : "") + " ";
        }
        tokens += Scan(std::string(pos, text.data() + text.size()), 0);
        EXPECT_EQ(tokens, "800:count 333 952:0x1F 700") << "cut at " << cut;
    }
}

}  // namespace
