// Releasing values: long chains of holders are freed without deep C
// recursion, and the integer view is defined for every double.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "compiler/token.h"
#include "duriz.h"
#include "engine/memory.h"
#include "values/array.h"
#include "values/object.h"

namespace {

class Release : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override { JS_Destroy(); }
};

TEST_F(Release, MillionObjectChainIsFreedFromItsHead) {
    const size_t before = JsBlocksInUse();
    JsObject *head = new JsObject();
    head->refs = 1;
    JsObject *tail = head;
    for (int i = 0; i < 1000000; i++) {
        JsObject *next = new JsObject();
        ASSERT_NE(next, nullptr);
        tail->PutProperty("next", next, TK_ASSIGN, 1);  // the slot holds the only reference
        tail = next;
    }
    EXPECT_GT(JsBlocksInUse(), before + 1000000);
    ReleaseRef(head);
    // Everything is back but the worklist the release used, kept for reuse.
    EXPECT_LE(JsBlocksInUse(), before + 1);
    FreeValueWorklist();
    EXPECT_EQ(JsBlocksInUse(), before);
}

TEST_F(Release, MillionArrayNestingIsFreedFromTheOutside) {
    const size_t before = JsBlocksInUse();
    JsArray *outer = new JsArray();
    outer->refs = 1;
    JsArray *inner = outer;
    for (int i = 0; i < 1000000; i++) {
        JsArray *a = new JsArray();
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(inner->AppendElement(a));
        inner = a;
    }
    ReleaseRef(outer);
    FreeValueWorklist();
    EXPECT_EQ(JsBlocksInUse(), before);
}

TEST(IntegerViewOfDoubles, TruncatesModulo2To32AndGivesZeroForNonFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(IntegerView(std::nan("")), 0);
    EXPECT_EQ(IntegerView(inf), 0);
    EXPECT_EQ(IntegerView(-inf), 0);
    EXPECT_EQ(IntegerView(1e300), 0);                   // a multiple of 2^32
    EXPECT_EQ(IntegerView(4294967296.0 * 3 + 5), 5);
    EXPECT_EQ(IntegerView(-4294967296.0 * 7 - 2), -2);
    EXPECT_EQ(IntegerView(9007199254740993.0), 0);      // 2^53 + 1 rounds to 2^53
    EXPECT_EQ(IntegerView(18446744073709551616.0 + 4096.0), 4096);  // beyond 64 bits
    EXPECT_EQ(IntegerView(-0.9), 0);
    EXPECT_EQ(IntegerView(2147483648.5), INT32_MIN);
    EXPECT_EQ(IntegerView(-2147483649.0), INT32_MAX);
}

}  // namespace
