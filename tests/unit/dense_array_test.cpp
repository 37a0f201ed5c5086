// Dense arrays: a script's array keeps its in-order elements in a row until
// something needs slots. Whatever is done to it, spreading must give the
// very slots (names, values, order) and length that an array with slots
// from the start has after the same steps, and the row's slots must fit
// under the memory limit that let the row grow.
#include <gtest/gtest.h>

#include <string>

#include "compiler/token.h"
#include "duriz.h"
#include "engine/memory.h"
#include "engine/shared.h"
#include "values/array.h"

namespace {

class DenseArrays : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override { JS_Destroy(); }

    static JsArray *Held(JsArray *a) {
        a->refs = 1;
        return a;
    }
    // The slots as "name=value" in order, spreading first, and the length.
    static std::string Slots(JsArray *a) {
        a->Spread();
        std::string text;
        for (JsProperty *slot = a->FirstProperty(); slot; slot = slot->Next())
            text += std::string(slot->name) + "=" + (slot->value ? slot->value->ToText() : "?") + " ";
        JsValue *length = a->GetProperty("length");
        text += "length " + std::string(length->ToText()) + " slots " + std::to_string(a->slotCount);
        DropIfUnowned(length);
        return text;
    }
    static JsValue *Put(JsArray *a, double key, JsValue *value, int op = TK_ASSIGN, int create = 1) {
        JsNumber *k = MakeNumber(key);
        JsValue *result = a->PutElement(k, value, op, create);
        DropIfUnowned(k);
        return result;
    }
    static JsValue *Get(JsArray *a, double key) {
        JsNumber *k = MakeNumber(key);
        JsValue *result = a->GetElement(k);
        DropIfUnowned(k);
        return result;
    }
    static JsValue *PutNumber(JsArray *a, double key, double v, int op = TK_ASSIGN, int create = 1) {
        JsNumber *n = MakeNumber(v);
        JsValue *result = Put(a, key, n, op, create);
        DropIfUnowned(n);
        return result;
    }
};

// The same steps on a dense array and on one with slots from the start.
TEST_F(DenseArrays, SpreadingGivesTheSlotsOfTheSameSteps) {
    typedef void (*Steps)(JsArray *);
    const Steps cases[] = {
        [](JsArray *a) {
            for (int i = 0; i < 20; i++) PutNumber(a, i, i * 2);
        },
        [](JsArray *a) {
            for (int i = 0; i < 5; i++) PutNumber(a, i, i);
            PutNumber(a, 2, 7, TK_ADD_ASSIGN);
            PutNumber(a, 3, 1, TK_POSTINC);
            PutNumber(a, 4, 1, TK_PREDEC);
            PutNumber(a, 0.9, 5, TK_MUL_ASSIGN);  // the integer view: element 0
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            PutNumber(a, 5, 1, TK_ASSIGN, 0);  // no slot and no create: nothing
            PutNumber(a, 1, 1, TK_ASSIGN, 0);  // the next element, not created
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            for (int i = 0; i < 3; i++) a->AppendElement(g_shared.undefinedValue);
            PutNumber(a, 1, 9);
            a->AppendElement(g_shared.trueValue);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            PutNumber(a, 3, 3);  // past the end
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            PutNumber(a, -1, 4);  // below 0
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            JsString *s = JsString::Make("named");
            a->PutProperty("x", s, TK_ASSIGN, 1);  // a member after the elements
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            a->AddProperty("y", g_shared.trueValue);  // appended without a search
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            for (int i = 0; i < 4; i++) PutNumber(a, i, 10 - i);
            a->Sort();
            PutNumber(a, 4, 0);
        },
        [](JsArray *a) {
            for (int i = 0; i < 4; i++) PutNumber(a, i, i);
            a->Reverse();
            PutNumber(a, 1, 5);
        },
    };
    int n = 0;
    for (Steps steps : cases) {
        JsArray *dense = Held(JsArray::MakeDense());
        JsArray *slots = Held(new JsArray(0));
        ASSERT_TRUE(dense->denseElements);
        steps(dense);
        steps(slots);
        EXPECT_EQ(Slots(dense), Slots(slots)) << "case " << n;
        EXPECT_FALSE(dense->denseElements);
        ReleaseRef(dense);
        ReleaseRef(slots);
        n++;
    }
}

TEST_F(DenseArrays, ReadsAnswerAsTheSlotsWouldWithoutSpreading) {
    JsArray *a = Held(JsArray::MakeDense());
    for (int i = 0; i < 3; i++) PutNumber(a, i, i + 0.5);
    EXPECT_EQ(Get(a, 2)->ToNumber(), 2.5);
    EXPECT_EQ(g_lastFoundPosition, 3);  // the one-based position its slot would have
    EXPECT_EQ(Get(a, 1.7)->ToNumber(), 1.5);
    EXPECT_EQ(Get(a, 3), nullptr);
    EXPECT_EQ(Get(a, 100000), nullptr);
    JsString *joined = a->Join("-");
    EXPECT_STREQ(joined->ToText(), "0.5-1.5-2.5-");
    DropIfUnowned(joined);
    EXPECT_TRUE(a->denseElements);  // nothing above needed slots
    EXPECT_EQ(Get(a, -1), nullptr);  // a negative key is searched for by name
    EXPECT_FALSE(a->denseElements);
    EXPECT_EQ(Get(a, 2)->ToNumber(), 2.5);
    ReleaseRef(a);
}

TEST_F(DenseArrays, WalksAndSearchesSpreadFirst) {
    struct Probe {
        const char *what;
        void (*use)(JsArray *);
    };
    const Probe probes[] = {
        {"enumeration", [](JsArray *a) { DropIfUnowned(a->NextPropertyName(nullptr)); }},
        {"last name", [](JsArray *a) { DropIfUnowned(a->LastPropertyName()); }},
        {"by position", [](JsArray *a) { a->ValueAt(1); }},
        {"by text", [](JsArray *a) { a->GetProperty("1"); }},
        {"slot search", [](JsArray *a) { a->FindSlot("0"); }},
    };
    for (const Probe &p : probes) {
        JsArray *a = Held(JsArray::MakeDense());
        PutNumber(a, 0, 4);
        PutNumber(a, 1, 5);
        p.use(a);
        EXPECT_FALSE(a->denseElements) << p.what;
        EXPECT_EQ(a->slotCount, 2) << p.what;
        EXPECT_EQ(a->ValueAt(1)->ToNumber(), 5) << p.what;
        ReleaseRef(a);
    }
}

TEST_F(DenseArrays, TheSlotsFitUnderTheLimitThatLetTheRowGrow) {
    JsArray *a = Held(JsArray::MakeDense());
    const size_t before = JsMemoryInUse();
    for (int i = 0; i < 500; i++) ASSERT_NE(PutNumber(a, i, 1), nullptr);
    // Counted while dense: at least every slot's record and name.
    EXPECT_GE(JsMemoryInUse() - before, 500 * sizeof(JsProperty));
    JsNumber *key = MakeNumber(500);
    key->refs = 1;
    JsSetMemoryLimit(JsMemoryInUse());
    // Nothing more may be taken, yet the slots come.
    EXPECT_EQ(a->PutElement(key, g_shared.trueValue, TK_ASSIGN, 1), nullptr);
    a->Spread();
    JsSetMemoryLimit(0);
    EXPECT_FALSE(a->denseElements);
    EXPECT_EQ(a->slotCount, 500);
    ReleaseRef(key);
    ReleaseRef(a);
}

TEST_F(DenseArrays, StoresUnderTheLimitFailAsNewSlotsWould) {
    JsArray *a = Held(JsArray::MakeDense());
    PutNumber(a, 0, 1);
    JsNumber *key = MakeNumber(1);
    key->refs = 1;
    JsSetMemoryLimit(JsMemoryInUse());
    // The new element cannot be counted.
    EXPECT_EQ(a->PutElement(key, g_shared.trueValue, TK_ASSIGN, 1), nullptr);
    JsSetMemoryLimit(0);
    ReleaseRef(key);
    JsValue *length = a->GetProperty("length");
    EXPECT_EQ(length->ToNumber(), 1);
    DropIfUnowned(length);
    EXPECT_TRUE(a->denseElements);
    EXPECT_NE(PutNumber(a, 1, 2), nullptr);
    EXPECT_EQ(Slots(a), "0=1 1=2 length 2 slots 2");
    ReleaseRef(a);
}

TEST_F(DenseArrays, ARowGivesBackItsValuesAndItsCountedBytes) {
    JsString *s = JsString::Make("kept");
    s->refs = 1;
    size_t held[2];
    for (size_t &after : held) {
        // The second round starts with the pools the first one filled.
        const size_t before = JsMemoryInUse();
        JsArray *a = Held(JsArray::MakeDense());
        for (int i = 0; i < 40; i++) Put(a, i, s);
        EXPECT_EQ(s->refs, 41);
        ReleaseRef(a);
        EXPECT_EQ(s->refs, 1);
        after = JsMemoryInUse() - before;
    }
    EXPECT_EQ(held[1], 0u);
    ReleaseRef(s);
}

}  // namespace
