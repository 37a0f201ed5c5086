// The name index a node keeps for its text: NameIndexOf answers from it only
// for that node's own text while the hint lives, and answers as before for
// every other text and afterwards.
#include <gtest/gtest.h>

#include <cstring>

#include "builtins/names.h"
#include "duriz.h"
#include "compiler/token.h"
#include "values/object.h"

namespace {


JsToken *Ident(const char *text) { return JsToken::Make(TK_IDENT, text, static_cast<ptrdiff_t>(std::strlen(text))); }

TEST(NameIndexHint, AnswersForTheNodesTextAndKeepsTheIndex) {
    JsToken *node = Ident("location");
    const int expected = LookupName("location", 8);
    ASSERT_GE(expected, 0);
    {
        NameIndexHint hint(node);
        EXPECT_EQ(NameIndexOf(node->text), expected);
        EXPECT_EQ(node->numberKnown, JsToken::kNameIndexKnown);
        EXPECT_EQ(node->integer, expected);
        // Another text, even an equal one elsewhere, is looked up.
        char copy[] = "location";
        EXPECT_EQ(NameIndexOf(copy), expected);
        EXPECT_EQ(NameIndexOf("length"), LookupName("length", 6));
        EXPECT_EQ(NameIndexOf("counter"), -1);
    }
    EXPECT_EQ(NameIndexOf(node->text), expected);
    delete node;
}

TEST(NameIndexHint, ANameOutsideTheTableStaysOutside) {
    JsToken *node = Ident("counter");
    {
        NameIndexHint hint(node);
        EXPECT_EQ(NameIndexOf(node->text), -1);
        EXPECT_EQ(NameIndexOf("title"), LookupName("title", 5));
    }
    {
        NameIndexHint again(node);  // from the kept index this time
        EXPECT_EQ(NameIndexOf(node->text), -1);
    }
    delete node;
}

TEST(NameIndexHint, NestedHintsRestoreTheOuterOne) {
    JsToken *outer = Ident("document");
    JsToken *inner = Ident("title");
    {
        NameIndexHint a(outer);
        {
            NameIndexHint b(inner);
            EXPECT_EQ(NameIndexOf(inner->text), LookupName("title", 5));
            EXPECT_EQ(NameIndexOf(outer->text), LookupName("document", 8));
        }
        EXPECT_EQ(NameIndexOf(outer->text), LookupName("document", 8));
    }
    delete outer;
    delete inner;
}

TEST(NameIndexHint, NumberLiteralsKeepTheirValueRoom) {
    JsToken *number = JsToken::Make(TK_INT, "5", 1);
    {
        NameIndexHint hint(number);
        EXPECT_EQ(number->numberKnown, 0);  // left for the literal's value
    }
    NameIndexHint none(nullptr);  // no node: nothing changes
    EXPECT_EQ(NameIndexOf("length"), LookupName("length", 6));
    delete number;
}

TEST(NameIndexHint, ConstantNamesAnswerTheIndexGiven) {
    // The interpreter's constant names carry the indices the table gives them.
    EXPECT_EQ(LookupName("length", 6), DURIZ_NAME_LENGTH);
    EXPECT_EQ(LookupName("String", 6), DURIZ_NAME_STRING);
    static const char kName[] = "length";
    char copy[] = "length";
    {
        NameIndexHint hint(kName, DURIZ_NAME_LENGTH);
        EXPECT_EQ(NameIndexOf(kName), DURIZ_NAME_LENGTH);
        EXPECT_EQ(NameIndexOf(copy), DURIZ_NAME_LENGTH);  // another pointer: looked up
        NameIndexHint inner(copy, 5);
        EXPECT_EQ(NameIndexOf(copy), 5);
    }
    EXPECT_EQ(NameIndexOf(copy), DURIZ_NAME_LENGTH);
}

}  // namespace
