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
#include "engine_fixture.h"
#include "values/array.h"

namespace {

class DenseArrays : public EngineTest {
protected:
    JsArray *Dense() { return Keep(JsArray::MakeDense()); }
    JsArray *WithSlots() { return Keep(new JsArray(0)); }

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
    // A store's answer as text ("none" when the store did not take). The
    // answer may be a fresh number: it is dropped here, as the interpreter drops it.
    static std::string Put(JsArray *a, double key, JsValue *value, int op = TK_ASSIGN, int create = 1) {
        JsNumber *k = MakeNumber(key);
        JsValue *result = a->PutElement(k, value, op, create);
        DropIfUnowned(k);
        const std::string text = result ? result->ToText() : "none";
        DropIfUnowned(result);
        return text;
    }
    static std::string PutNumber(JsArray *a, double key, double v, int op = TK_ASSIGN, int create = 1) {
        JsNumber *n = MakeNumber(v);
        n->refs = 1;
        const std::string text = Put(a, key, n, op, create);
        ReleaseRef(n);
        return text;
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
    static int Length(JsArray *a) {
        JsValue *length = a->GetProperty("length");
        const int n = length->ToInteger();
        DropIfUnowned(length);
        return n;
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
        // Past the end, below 0, a member made by a search, one appended without one.
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            PutNumber(a, 3, 3);
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            PutNumber(a, -1, 4);
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            a->PutProperty("x", JsString::Make("named"), TK_ASSIGN, 1);
            PutNumber(a, 1, 2);
        },
        [](JsArray *a) {
            PutNumber(a, 0, 1);
            a->AddProperty("y", g_shared.trueValue);
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
    for (const Steps steps : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &steps - cases);
        JsArray *dense = Dense(), *slots = WithSlots();
        ASSERT_TRUE(dense->denseElements);
        steps(dense);
        steps(slots);
        EXPECT_EQ(Slots(dense), Slots(slots));
        EXPECT_FALSE(dense->denseElements);
    }
}

TEST_F(DenseArrays, ReadsAnswerAsTheSlotsWouldWithoutSpreading) {
    JsArray *a = Dense();
    for (int i = 0; i < 3; i++) PutNumber(a, i, i + 0.5);
    EXPECT_EQ(Get(a, 2), "2.5");
    EXPECT_EQ(g_lastFoundPosition, 3);  // the one-based position its slot would have
    EXPECT_EQ(Get(a, 1.7), "1.5");
    EXPECT_EQ(Get(a, 3), "none");
    EXPECT_EQ(Get(a, 100000), "none");
    EXPECT_EQ(Take(a->Join("-")), "0.5-1.5-2.5-");
    EXPECT_TRUE(a->denseElements);  // nothing above needed slots
    EXPECT_EQ(Get(a, -1), "none");  // a negative key is searched for by name
    EXPECT_FALSE(a->denseElements);
    EXPECT_EQ(Get(a, 2), "2.5");
}

TEST_F(DenseArrays, WalksAndSearchesSpreadFirst) {
    const struct {
        const char *what;
        void (*use)(JsArray *);
    } probes[] = {
        {"enumeration", [](JsArray *a) { DropIfUnowned(a->NextPropertyName(nullptr)); }},
        {"last name", [](JsArray *a) { DropIfUnowned(a->LastPropertyName()); }},
        {"by position", [](JsArray *a) { a->ValueAt(1); }},
        {"by text", [](JsArray *a) { a->GetProperty("1"); }},
        {"slot search", [](JsArray *a) { a->FindSlot("0"); }},
    };
    for (const auto &p : probes) {
        JsArray *a = Dense();
        PutNumber(a, 0, 4);
        PutNumber(a, 1, 5);
        p.use(a);
        EXPECT_FALSE(a->denseElements) << p.what;
        EXPECT_EQ(a->slotCount, 2) << p.what;
        EXPECT_EQ(a->ValueAt(1)->ToNumber(), 5) << p.what;
    }
}

TEST_F(DenseArrays, UnderTheLimitStoresFailAsNewSlotsWouldAndTheRowsSlotsFit) {
    for (int n : {1, 500}) {
        SCOPED_TRACE(testing::Message() << n << " elements");
        JsArray *a = Dense();
        const size_t before = JsMemoryInUse();
        for (int i = 0; i < n; i++) ASSERT_EQ(PutNumber(a, i, 1), "1");
        // Counted while dense: at least every slot's record and name.
        EXPECT_GE(JsMemoryInUse() - before, n * sizeof(JsProperty));
        // Nothing more may be taken: the new element cannot be counted, and the row stays as it was.
        JsSetMemoryLimit(JsMemoryInUse());
        EXPECT_EQ(Put(a, n, g_shared.trueValue), "none");
        JsSetMemoryLimit(0);
        EXPECT_EQ(Length(a), n);
        EXPECT_TRUE(a->denseElements);
        EXPECT_EQ(Put(a, n, g_shared.trueValue), "true");
        // Again nothing more may be taken, yet the slots come.
        JsSetMemoryLimit(JsMemoryInUse());
        a->Spread();
        JsSetMemoryLimit(0);
        EXPECT_FALSE(a->denseElements);
        ASSERT_EQ(a->slotCount, n + 1);
        EXPECT_EQ(a->ValueAt(n - 1)->ToNumber(), 1);
        EXPECT_STREQ(a->PropertyAt(n)->name, std::to_string(n).c_str());
        EXPECT_STREQ(a->ValueAt(n)->ToText(), "true");
    }
}

TEST_F(DenseArrays, ARowGivesBackItsValuesAndItsCountedBytes) {
    // Strings the row holds, and elements that wait as doubles and give
    // back what their numbers took; the second round of each starts with
    // the pools the first one filled.
    JsString *s = Keep(JsString::Make("kept"));
    for (bool numbers : {false, true}) {
        SCOPED_TRACE(numbers ? "numbers" : "strings");
        size_t held[2];
        for (size_t &after : held) {
            const size_t before = JsMemoryInUse();
            JsArray *a = JsArray::MakeDense();
            a->refs = 1;
            for (int i = 0; i < 40; i++) numbers ? PutNumber(a, i, i * 1.5) : Put(a, i, s);
            if (numbers) {
                EXPECT_EQ(PutNumber(a, 3, 1, TK_ADD_ASSIGN), "5.5");
                EXPECT_EQ(Get(a, 3), "5.5");
                ReleaseRef(a);
            } else {
                EXPECT_EQ(s->refs, 41);
                ReleaseRef(a);
                EXPECT_EQ(s->refs, 1);
            }
            after = JsMemoryInUse() - before;
        }
        EXPECT_EQ(held[1], 0u);
    }
}

// Every operator answers on a dense array as on one with slots, and a
// number stored from outside never changes with the element.
TEST_F(DenseArrays, OperatorsAnswerAsOnSlotsAndLeaveSharedNumbersAlone) {
    for (int op :
         {TK_ASSIGN, TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_DIV_ASSIGN, TK_POSTINC, TK_POSTDEC, TK_PREINC}) {
        SCOPED_TRACE(testing::Message() << "op " << op);
        JsArray *dense = Dense(), *slots = WithSlots();
        JsNumber *outside = Keep(MakeNumber(3));
        for (JsArray *a : {dense, slots}) {
            PutNumber(a, 0, 7);
            Put(a, 1, outside);
        }
        for (int round = 0; round < 2; round++) {
            EXPECT_EQ(PutNumber(dense, 0, 2, op), PutNumber(slots, 0, 2, op));
            EXPECT_EQ(PutNumber(dense, 1, 2, op), PutNumber(slots, 1, 2, op));
        }
        EXPECT_EQ(outside->ToNumber(), 3);
        EXPECT_TRUE(dense->denseElements);
        EXPECT_EQ(Slots(dense), Slots(slots));
    }
}

}  // namespace
