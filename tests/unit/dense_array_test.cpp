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
    // A store's answer may be a fresh number: it is dropped here, as the
    // interpreter drops it, and only whether the store took is kept.
    static bool Put(JsArray *a, double key, JsValue *value, int op = TK_ASSIGN, int create = 1) {
        JsNumber *k = MakeNumber(key);
        JsValue *result = a->PutElement(k, value, op, create);
        DropIfUnowned(k);
        DropIfUnowned(result);
        return result != nullptr;
    }
    // A read as text ("none" when nothing is found); a fresh answer is dropped.
    static std::string Get(JsArray *a, double key) {
        JsNumber *k = MakeNumber(key);
        JsValue *result = a->GetElement(k);
        DropIfUnowned(k);
        const std::string text = result ? result->ToText() : "none";
        DropIfUnowned(result);
        return text;
    }
    // A store's answer as text ("none" when the store did not take).
    static std::string PutText(JsArray *a, double key, double v, int op) {
        JsNumber *k = MakeNumber(key);
        JsNumber *n = MakeNumber(v);
        n->refs = 1;
        JsValue *result = a->PutElement(k, n, op, 1);
        DropIfUnowned(k);
        const std::string text = result ? result->ToText() : "none";
        DropIfUnowned(result);
        ReleaseRef(n);
        return text;
    }
    static bool PutNumber(JsArray *a, double key, double v, int op = TK_ASSIGN, int create = 1) {
        JsNumber *n = MakeNumber(v);
        n->refs = 1;
        const bool ok = Put(a, key, n, op, create);
        ReleaseRef(n);
        return ok;
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
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            JsNumber *nan = JsNumber::MakeNaN();
            nan->refs = 1;
            Put(a, 0, nan);
            ReleaseRef(nan);
            PutNumber(a, 0, 5);  // an element that holds a NaN keeps it
            PutNumber(a, 0, 5, TK_ADD_ASSIGN);
            PutNumber(a, 1, 2);
            PutNumber(a, 1, 0.5, TK_DIV_ASSIGN);
        },
        [](JsArray *a) {
            for (int i = 0; i < 3; i++) a->AppendElement(MakeNumber(i + 0.25));
            PutNumber(a, 1, 3, TK_SUB_ASSIGN);
            JsString *s = JsString::Make("x");
            s->refs = 1;
            Put(a, 2, s, TK_ADD_ASSIGN);  // a number joined to a text
            ReleaseRef(s);
            PutNumber(a, 0, 1, TK_POSTDEC);
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
    EXPECT_EQ(Get(a, 2), "2.5");
    EXPECT_EQ(g_lastFoundPosition, 3);  // the one-based position its slot would have
    EXPECT_EQ(Get(a, 1.7), "1.5");
    EXPECT_EQ(Get(a, 3), "none");
    EXPECT_EQ(Get(a, 100000), "none");
    JsString *joined = a->Join("-");
    EXPECT_STREQ(joined->ToText(), "0.5-1.5-2.5-");
    DropIfUnowned(joined);
    EXPECT_TRUE(a->denseElements);  // nothing above needed slots
    EXPECT_EQ(Get(a, -1), "none");  // a negative key is searched for by name
    EXPECT_FALSE(a->denseElements);
    EXPECT_EQ(Get(a, 2), "2.5");
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
    for (int i = 0; i < 500; i++) ASSERT_TRUE(PutNumber(a, i, 1));
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
    EXPECT_EQ(a->ValueAt(499)->ToNumber(), 1);
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
    EXPECT_TRUE(PutNumber(a, 1, 2));
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
    // Elements that wait as doubles give back what their numbers took.
    for (size_t &after : held) {
        const size_t before = JsMemoryInUse();
        JsArray *a = Held(JsArray::MakeDense());
        for (int i = 0; i < 40; i++) PutNumber(a, i, i * 1.5);
        PutNumber(a, 3, 1, TK_ADD_ASSIGN);
        EXPECT_EQ(Get(a, 3), "5.5");
        ReleaseRef(a);
        after = JsMemoryInUse() - before;
    }
    EXPECT_EQ(held[1], 0u);
}

// Every operator answers on a dense array as on one with slots, and a
// number stored from outside never changes with the element.
TEST_F(DenseArrays, OperatorsAnswerAsOnSlotsAndLeaveSharedNumbersAlone) {
    const int ops[] = {TK_ASSIGN, TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_DIV_ASSIGN, TK_POSTINC, TK_POSTDEC, TK_PREINC};
    for (int op : ops) {
        JsArray *dense = Held(JsArray::MakeDense());
        JsArray *slots = Held(new JsArray(0));
        JsNumber *outside = MakeNumber(3);
        outside->refs = 1;
        for (JsArray *a : {dense, slots}) {
            PutNumber(a, 0, 7);
            Put(a, 1, outside);
        }
        for (int round = 0; round < 2; round++) {
            EXPECT_EQ(PutText(dense, 0, 2, op), PutText(slots, 0, 2, op)) << "op " << op;
            EXPECT_EQ(PutText(dense, 1, 2, op), PutText(slots, 1, 2, op)) << "op " << op;
        }
        EXPECT_EQ(outside->ToNumber(), 3) << "op " << op;
        EXPECT_TRUE(dense->denseElements);
        EXPECT_EQ(Slots(dense), Slots(slots)) << "op " << op;
        ReleaseRef(outside);
        ReleaseRef(dense);
        ReleaseRef(slots);
    }
}

}  // namespace
