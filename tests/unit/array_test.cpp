// Arrays: element naming, length, construction, join, reverse and sort;
// argument lists kept by a function and filled again.
#include "values/array.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builtins/function.h"
#include "compiler/token.h"
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
    // The array new Array(values...) makes, held until the test ends.
    JsArray *Construct(std::initializer_list<double> values) {
        JsArray *args = Args(values);
        JsArray *a = Keep(JsArray::Construct(args));
        ReleaseRef(args);
        return a;
    }
    static int Length(JsArray *a) {
        JsValue *length = a->GetProperty("length");
        const int n = length->ToInteger();
        DropIfUnowned(length);
        return n;
    }
    static std::string Joined(JsArray *a, const char *separator) { return Take(a->Join(separator)); }
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

TEST_F(Arrays, ConstructorWithOneArgumentCountsInSixteenBits) {
    const struct {
        double argument;
        int length;
    } cases[] = {{0, 0}, {-1, 0}, {65536, 0}, {2.9, 2}, {3, 3}, {70000, 4464}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.argument);
        JsArray *a = Construct({c.argument});
        EXPECT_EQ(Length(a), c.length);
        a->Spread();
        EXPECT_EQ(a->properties.Count(), c.length);
        EXPECT_EQ(a->GetProperty("0"), c.length ? g_shared.undefinedValue : nullptr);
    }
}

TEST_F(Arrays, ConstructorWithSeveralArgumentsAppendsThemAndJoinEndsEachWithTheSeparator) {
    JsArray *a = Construct({7, 8, 9});
    EXPECT_EQ(Length(a), 3);
    EXPECT_EQ(Joined(a, ","), "7,8,9,");
    EXPECT_EQ(Joined(a, nullptr), "789");
    a->Spread();
    EXPECT_STREQ(a->FirstProperty()->name, "0");
    EXPECT_EQ(Length(Keep(JsArray::Construct(nullptr))), 0);
}

TEST_F(Arrays, LengthFollowsElementStoresAndNotAStoreToLength) {
    JsArray *a = Keep(new JsArray(0));
    // Storing past the end grows the length with one slot.
    EXPECT_NE(a->PutProperty("10", JsString::Make("x"), TK_ASSIGN, 1), nullptr);
    EXPECT_EQ(Length(a), 11);
    EXPECT_EQ(a->properties.Count(), 1);
    EXPECT_EQ(Joined(a, ";"), "x;");
    // A store without the create flag on a missing index changes nothing.
    JsString *y = JsString::Make("y");
    EXPECT_EQ(a->PutProperty("20", y, TK_ASSIGN, 0), nullptr);
    DropIfUnowned(y);
    EXPECT_EQ(Length(a), 11);
    // Assigning length makes an ordinary slot that is never read.
    JsNumber *five = MakeNumber(5);
    a->PutProperty("length", five, TK_ASSIGN, 1);
    DropIfUnowned(five);
    EXPECT_EQ(Length(a), 11);
    EXPECT_EQ(a->properties.Count(), 2);
}

TEST_F(Arrays, ReverseAndSortChangeOrderButNotNames) {
    JsArray *a = Keep(new JsArray(0));
    for (const char *text : {"a", "b", "c"}) a->AppendElement(JsString::Make(text));
    a->Reverse();
    EXPECT_EQ(Joined(a, nullptr), "cba");
    EXPECT_STREQ(a->GetProperty("0")->ToText(), "a");
    EXPECT_STREQ(a->ValueAt(0)->ToText(), "c");
    // Numbers sort by their texts.
    JsArray *numbers = Construct({10, 9, 1});
    numbers->Sort();
    EXPECT_EQ(Joined(numbers, ","), "1,10,9,");
    EXPECT_STREQ(numbers->GetProperty("0")->ToText(), "10");
}

TEST_F(Arrays, PositionalListsReadDigitNamesByPosition) {
    JsArray *args = Args({4, 5, 6});
    EXPECT_EQ(args->GetProperty("1")->ToNumber(), 5);
    EXPECT_EQ(args->GetProperty("")->ToNumber(), 4);
    EXPECT_EQ(args->GetProperty("3"), nullptr);
    EXPECT_EQ(args->GetProperty("a2")->ToNumber(), 6);
    ReleaseRef(args);
}

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
