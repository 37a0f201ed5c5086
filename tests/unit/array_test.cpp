// Arrays: element naming, length, construction, join, reverse and sort.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "builtins/function.h"
#include "values/array.h"

namespace {

class Arrays : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override { JS_Destroy(); }

    // An argument list holding the given numbers.
    JsArray *Args(std::initializer_list<double> values) {
        JsArray *args = new JsArray(1);
        args->refs = 1;
        int i = 0;
        for (double v : values) {
            JsNumber *n = MakeNumber(v);
            args->AddProperty(("a" + std::to_string(i++)).c_str(), n);
            DropIfUnowned(n);  // the slot holds a number of its own
        }
        return args;
    }
    static int Length(JsArray *a) {
        JsValue *length = a->GetProperty("length");
        int n = length->ToInteger();
        DropIfUnowned(length);
        return n;
    }
    static std::string Joined(JsArray *a, const char *separator) {
        JsString *s = a->Join(separator);
        std::string text = s->ToText();
        DropIfUnowned(s);
        return text;
    }
    static JsArray *Hold(JsArray *a) {
        a->refs = 1;
        return a;
    }
    static void Append(JsArray *a, const char *text) {
        JsString *s = JsString::Make(text);
        a->AppendElement(s);
    }
};

TEST_F(Arrays, ConstructorWithOneArgumentCountsInSixteenBits) {
    const struct {
        double argument;
        int length;
    } cases[] = {{0, 0}, {-1, 0}, {65536, 0}, {2.9, 2}, {3, 3}, {70000, 4464}};
    for (const auto &c : cases) {
        JsArray *args = Args({c.argument});
        JsArray *a = Hold(JsArray::Construct(args));
        EXPECT_EQ(Length(a), c.length) << c.argument;
        a->Spread();
        EXPECT_EQ(a->properties.Count(), c.length) << c.argument;
        if (c.length) {
            EXPECT_EQ(a->GetProperty("0"), g_shared.undefinedValue);
        }
        ReleaseRef(a);
        ReleaseRef(args);
    }
}

TEST_F(Arrays, ConstructorWithSeveralArgumentsAppendsThem) {
    JsArray *args = Args({7, 8, 9});
    JsArray *a = Hold(JsArray::Construct(args));
    EXPECT_EQ(Length(a), 3);
    EXPECT_EQ(Joined(a, ","), "7,8,9,");
    a->Spread();
    EXPECT_STREQ(a->FirstProperty()->name, "0");
    ReleaseRef(a);
    ReleaseRef(args);
    JsArray *empty = Hold(JsArray::Construct(nullptr));
    EXPECT_EQ(Length(empty), 0);
    ReleaseRef(empty);
}

TEST_F(Arrays, StoringPastTheEndGrowsLengthWithOneSlot) {
    JsArray *a = Hold(new JsArray(0));
    JsString *x = JsString::Make("x");
    EXPECT_NE(a->PutProperty("10", x, TK_ASSIGN, 1), nullptr);
    EXPECT_EQ(Length(a), 11);
    EXPECT_EQ(a->properties.Count(), 1);
    EXPECT_EQ(Joined(a, ";"), "x;");
    // A store without the create flag on a missing index changes nothing.
    JsString *y = JsString::Make("y");
    EXPECT_EQ(a->PutProperty("20", y, TK_ASSIGN, 0), nullptr);
    DropIfUnowned(y);
    EXPECT_EQ(Length(a), 11);
    ReleaseRef(a);
}

TEST_F(Arrays, AssigningLengthMakesAnOrdinarySlotThatIsNeverRead) {
    JsArray *a = Hold(new JsArray(0));
    Append(a, "a");
    JsNumber *five = MakeNumber(5);
    a->PutProperty("length", five, TK_ASSIGN, 1);
    DropIfUnowned(five);
    EXPECT_EQ(Length(a), 1);
    EXPECT_EQ(a->properties.Count(), 2);
    ReleaseRef(a);
}

TEST_F(Arrays, JoinPutsTheSeparatorAfterEveryElement) {
    JsArray *args = Args({1, 2, 3});
    JsArray *a = Hold(JsArray::Construct(args));
    EXPECT_EQ(Joined(a, ","), "1,2,3,");
    EXPECT_EQ(Joined(a, nullptr), "123");
    ReleaseRef(a);
    ReleaseRef(args);
}

TEST_F(Arrays, ReverseChangesOrderButNotNames) {
    JsArray *a = Hold(new JsArray(0));
    Append(a, "a");
    Append(a, "b");
    Append(a, "c");
    a->Reverse();
    EXPECT_EQ(Joined(a, nullptr), "cba");
    EXPECT_STREQ(a->GetProperty("0")->ToText(), "a");
    EXPECT_STREQ(a->ValueAt(0)->ToText(), "c");
    ReleaseRef(a);
}

TEST_F(Arrays, SortOrdersByText) {
    JsArray *args = Args({10, 9, 1});
    JsArray *a = Hold(JsArray::Construct(args));
    a->Sort();
    EXPECT_EQ(Joined(a, ","), "1,10,9,");
    EXPECT_STREQ(a->GetProperty("0")->ToText(), "10");
    ReleaseRef(a);
    ReleaseRef(args);
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
    JsArray *a = Hold(new JsArray(0));
    EXPECT_EQ(a->GetProperty("join"), NativeFunction(DURIZ_NATIVE_ARRAY_JOIN));
    EXPECT_EQ(a->GetProperty("sort"), NativeFunction(DURIZ_NATIVE_ARRAY_SORT));
    EXPECT_EQ(a->GetProperty("toString"), nullptr);  // not a plain object's member
    EXPECT_EQ(a->ClassNumber(), 6);
    ReleaseRef(a);
}

}  // namespace

namespace {

std::string SlotsOf(JsArray *list) {
    std::string text;
    for (JsProperty *slot = list->FirstProperty(); slot; slot = slot->Next())
        text += std::string(slot->name) + "=" + (slot->value ? slot->value->ToText() : "?") + " ";
    return text;
}

void FillNumber(JsArray *list, const char *name, double v) {
    JsNumber *n = MakeNumber(v);
    list->Fill(name, n);
    DropIfUnowned(n);
}

}  // namespace

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
    FillNumber(list, "a0", 1);
    FillNumber(list, "a1", 2);
    FillNumber(list, "a2", 3);
    FillNumber(list, "a3", 4);
    list->Filled();
    EXPECT_EQ(SlotsOf(list), "a0=1 a1=2 a2=3 a3=4 ");
    EXPECT_EQ(list->slotCount, 4);
    ReleaseRef(list);
}

TEST_F(Arrays, AFilledListWhoseNamesDifferGetsNewSlotsFromThere) {
    JsArray *list = Args({1, 2});
    JsNumber *extra = MakeNumber(9);
    list->AddProperty("z", extra);  // a member a running call added
    DropIfUnowned(extra);
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
    JsArray *plain = Hold(new JsArray(0));  // an array, not an argument list
    EXPECT_FALSE(f->KeepList(plain));
    ReleaseRef(plain);
    std::vector<JsArray *> lists;
    for (int i = 0; i < JsFunction::kKeptLists + 2; i++) lists.push_back(Args({1, 2}));
    int kept = 0;
    for (JsArray *list : lists) {
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
