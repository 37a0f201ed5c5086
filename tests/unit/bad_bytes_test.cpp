// Every byte value, in every position that matters to the lexer, gets a
// defined answer and is never read past the end of the text. Each text sits
// in a buffer of exactly its size, so AddressSanitizer catches any read
// beyond it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "compiler/parser.h"
#include "engine/callbacks.h"

namespace {

int CompileExact(const std::string &text, int more, size_t *consumed) {
    std::unique_ptr<char[]> exact(new char[text.size() ? text.size() : 1]);
    if (!text.empty()) std::memcpy(exact.get(), text.data(), text.size());
    JsScript *script = JsScript::Create(0, 0);
    const char *pos = exact.get();
    const int rc = Compile(script, &pos, exact.get() + text.size(), more);
    *consumed = static_cast<size_t>(pos - exact.get());
    JsScript::Destroy(script);
    return rc;
}

TEST(BadBytes, EveryByteInEveryPlaceHasADefinedAnswer) {
    const char *frames[][2] = {{"", ""},     {"x = ", ""}, {"'", ""},   {"\"a", ""}, {"", "'"},
                               {"a", "b"},   {"1", ""},    {"0x", ""},  {"/", ""},   {"<!-", ""},
                               {"f(", ")"}, {"// ", "\nx"}, {"/* ", ""}, {"a.", ""},  {"\\", ""}};
    for (int b = 0; b < 256; b++) {
        for (auto &frame : frames) {
            std::string text = std::string(frame[0]) + static_cast<char>(b) + frame[1];
            for (int more = 0; more <= 1; more++) {
                size_t consumed = 0;
                const int rc = CompileExact(text, more, &consumed);
                EXPECT_TRUE(rc == RC_OK || rc == RC_SYNTAX_ERROR || (more && rc == RC_MORE))
                    << "byte " << b << " in '" << frame[0] << "_" << frame[1] << "' more " << more << ": " << rc;
                EXPECT_LE(consumed, text.size());
            }
        }
    }
}

TEST(BadBytes, TheLastChunkNeverAsksForMore) {
    // Without more text to come, unfinished strings, comments and numbers
    // end with the text.
    const char *texts[] = {"'abc", "\"", "/* open", "x = 'a\\", "0x", "1e", "<!--", "a +"};
    for (const char *t : texts) {
        size_t consumed = 0;
        EXPECT_NE(CompileExact(t, 0, &consumed), RC_MORE) << t;
    }
}

}  // namespace
