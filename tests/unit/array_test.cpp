// Arrays: the members they share, and the argument lists a function keeps
// and fills again.
#include "values/array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builtins/function.h"
#include "duriz.h"
#include "engine/shared.h"
#include "engine_fixture.h"

namespace {

class Arrays : public EngineTest {
protected:
    // An argument list holding the given numbers in slots a0, a1, ...; the caller holds it.
    static JsArray *Args(std::initializer_list<double> values) {
        JsArray *args = new JsArray(1);
        args->refs = 1;
        int i = 0;
        for (double v : values) FillNumber(args, ("a" + std::to_string(i++)).c_str(), v, false);
        return args;
    }
    static std::string SlotsOf(JsArray *list) {
        std::string text;
        for (JsProperty *slot = list->FirstProperty(); slot; slot = slot->Next())
            text += std::string(slot->name) + "=" + (slot->value ? slot->value->ToText() : "?") + " ";
        return text;
    }
    // A number into the list's next slot (fill) or a new slot of the name.
    static void FillNumber(JsArray *list, const char *name, double v, bool fill = true) {
        JsNumber *n = MakeNumber(v);
        fill ? list->Fill(name, n) : static_cast<void>(list->AddProperty(name, n));
        DropIfUnowned(n);  // the slot holds a number of its own
    }
};

TEST_F(Arrays, MembersAreTheSharedArrayMethods) {
    JsArray *a = Keep(new JsArray(0));
    EXPECT_EQ(a->GetProperty("join"), NativeFunction(DURIZ_NATIVE_ARRAY_JOIN));
    EXPECT_EQ(a->GetProperty("sort"), NativeFunction(DURIZ_NATIVE_ARRAY_SORT));
    EXPECT_EQ(a->GetProperty("toString"), nullptr);  // not a plain object's member
    EXPECT_EQ(a->ClassNumber(), 6);
}

TEST_F(Arrays, AKeptListHoldsNullsAndIsFilledAgainInPlace) {
    JsArray *list = Args({1, 2, 3});
    JsProperty *second = list->FirstProperty()->Next();
    list->Kept();
    EXPECT_EQ(SlotsOf(list), "a0=null a1=null a2=null ");
    EXPECT_EQ(list->FirstProperty()->value, g_shared.nullValue);
    FillNumber(list, "a0", 7);
    FillNumber(list, "a1", 8);
    list->Filled();  // the call had two arguments: the third slot goes
    EXPECT_EQ(SlotsOf(list), "a0=7 a1=8 ");
    EXPECT_EQ(list->FirstProperty()->Next(), second);  // the same slot, filled again
    EXPECT_EQ(list->slotCount, 2);
    EXPECT_EQ(list->GetProperty("1")->ToNumber(), 8);
    list->Kept();
    for (int i = 0; i < 4; i++) FillNumber(list, ("a" + std::to_string(i)).c_str(), i + 1);
    list->Filled();
    EXPECT_EQ(SlotsOf(list), "a0=1 a1=2 a2=3 a3=4 ");
    EXPECT_EQ(list->slotCount, 4);
    ReleaseRef(list);
}

TEST_F(Arrays, AFilledListWhoseNamesDifferGetsNewSlotsFromThere) {
    JsArray *list = Args({1, 2});
    FillNumber(list, "z", 9, false);  // a member a running call added
    list->identity = 77;
    list->Kept();
    FillNumber(list, "a0", 5);
    EXPECT_EQ(list->identity, 77u);  // nothing moved yet: remembered look-ups hold
    FillNumber(list, "b", 6);        // the second slot is not named b
    list->Filled();
    EXPECT_EQ(SlotsOf(list), "a0=5 b=6 ");
    EXPECT_EQ(list->slotCount, 2);
    EXPECT_EQ(list->identity, 0u);  // slots removed: what was remembered is forgotten
    EXPECT_EQ(list->GetProperty("b")->ToNumber(), 6);
    EXPECT_EQ(list->GetProperty("z"), nullptr);
    ReleaseRef(list);
}

TEST_F(Arrays, AFunctionKeepsOnlyListsNothingElseHolds) {
    JsFunction *f = JsFunction::MakeNative(kFirstNativeId);
    f->refs = 1;
    JsArray *shared = Args({1});
    shared->refs = 2;  // held by something besides the finished call
    EXPECT_FALSE(f->KeepList(shared));
    shared->refs = 1;
    EXPECT_FALSE(f->KeepList(Keep(new JsArray(0))));  // an array, not an argument list
    int kept = 0;
    for (int i = 0; i < JsFunction::kKeptLists + 2; i++) {
        JsArray *list = Args({1, 2});
        if (f->KeepList(list)) {
            kept++;
        } else {
            ReleaseRef(list);
        }
    }
    EXPECT_EQ(kept, JsFunction::kKeptLists);
    JsArray *taken = f->TakeKeptList();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->refs, 0);  // the taker counts it
    EXPECT_EQ(SlotsOf(taken), "a0=null a1=null ");
    taken->refs = 1;
    ReleaseRef(taken);
    ReleaseRef(shared);
    ReleaseRef(f);  // the ones still kept go with it
}

}  // namespace
