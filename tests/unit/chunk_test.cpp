// Incremental loading: a script compiled in chunks, wherever the text is
// split, gives the same result and the same tree as the whole text.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/parser.h"
#include "compiler/tree_dump.h"
#include "engine/callbacks.h"

namespace {

struct Outcome {
    int result;
    std::string tree;
    bool operator==(const Outcome &o) const { return result == o.result && tree == o.tree; }
};

// Feeds text as a host does: on 700 the position stays where the compiler
// left it and the next call brings more text. Chunks end at the given cuts.
Outcome CompileCut(const std::string &text, const std::vector<size_t> &cuts) {
    JsScript *script = JsScript::Create(0, 0);
    const char *begin = text.data();
    const char *pos = begin;
    int rc = RC_MORE;
    for (size_t cut : cuts) {
        rc = Compile(script, &pos, begin + cut, 1);
        if (rc != RC_MORE) break;
    }
    if (rc == RC_MORE) rc = Compile(script, &pos, begin + text.size(), 0);
    Outcome out{rc, DumpTree(script->root)};
    JsScript::Destroy(script);
    return out;
}

Outcome CompileInChunks(const std::string &text, size_t size) {
    std::vector<size_t> cuts;
    for (size_t at = size; at < text.size(); at += size) cuts.push_back(at);
    return CompileCut(text, cuts);
}

std::vector<std::string> Corpus(std::vector<std::string> *namesOut = nullptr) {
    std::vector<std::string> texts;
    DIR *dir = opendir(DURIZ_CORPUS_DIR);
    if (!dir) return texts;
    std::vector<std::string> names;
    while (dirent *e = readdir(dir)) {
        std::string name = e->d_name;
        if (name.size() > 3 && name.compare(name.size() - 3, 3, ".js") == 0) names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        std::ifstream in(std::string(DURIZ_CORPUS_DIR) + "/" + name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        texts.push_back(ss.str());
    }
    if (namesOut) *namesOut = names;
    return texts;
}

class SilentErrors : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_host;
        g_host = HostCallbacks{};
    }
    void TearDown() override { g_host = saved_; }
    HostCallbacks saved_;
};

using ChunkedLoading = SilentErrors;

TEST_F(ChunkedLoading, EverySplitPointGivesTheWholeTextsTree) {
    for (const std::string &text : Corpus()) {
        const Outcome whole = CompileCut(text, {});
        for (size_t k = 0; k <= text.size(); k++)
            ASSERT_EQ(CompileCut(text, {k}), whole) << "split at " << k << " of:\n" << text;
    }
}

TEST_F(ChunkedLoading, SmallChunksGiveTheWholeTextsTree) {
    for (const std::string &text : Corpus()) {
        const Outcome whole = CompileCut(text, {});
        for (size_t size : {1, 2, 3, 5, 7, 64})
            ASSERT_EQ(CompileInChunks(text, size), whole) << "chunks of " << size << " in:\n" << text;
    }
}

TEST_F(ChunkedLoading, MostCorpusScriptsCompile) {
    // The corpus holds one deliberately broken script; the rest are valid,
    // so the split checks above compare real trees, not only failures.
    std::vector<std::string> names;
    std::vector<std::string> texts = Corpus(&names);
    ASSERT_GE(texts.size(), 8u);
    for (size_t i = 0; i < texts.size(); i++) {
        const int want = names[i].rfind("errors_", 0) == 0 ? RC_SYNTAX_ERROR : RC_OK;
        EXPECT_EQ(CompileCut(texts[i], {}).result, want) << names[i];
    }
}

TEST_F(ChunkedLoading, ACommentAfterAKeywordIsAnErrorWhereverTheSplitFalls) {
    std::string text = "var /* note */ x;";
    EXPECT_EQ(CompileCut(text, {}).result, RC_SYNTAX_ERROR);
    for (size_t k = 0; k <= text.size(); k++) EXPECT_EQ(CompileCut(text, {k}).result, RC_SYNTAX_ERROR) << k;
}

TEST_F(ChunkedLoading, AnEmptyLastCallCompletesTheScript) {
    JsScript *script = JsScript::Create(0, 0);
    std::string text = "a = 1;";
    const char *pos = text.data();
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 1), RC_MORE);
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 0), RC_OK);
    EXPECT_EQ(pos, text.data() + text.size());
    JsScript::Destroy(script);
}

TEST_F(ChunkedLoading, PositionStopsAtTheStartOfAnUnfinishedToken) {
    JsScript *script = JsScript::Create(0, 0);
    std::string text = "alpha = \"unfinished";
    const char *pos = text.data();
    EXPECT_EQ(Compile(script, &pos, text.data() + text.size(), 1), RC_MORE);
    EXPECT_EQ(pos, text.data() + text.find('"'));
    JsScript::Destroy(script);
}

}  // namespace
