// Elements by number: GetByKey and PutByKey with a number key on an array go
// through the element table, and must answer, store, count and leave
// g_lastFoundPosition exactly as the key given as a text (by name) does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "engine_fixture.h"
#include "values/array.h"
#include "values/object.h"

namespace {

struct Read {
    JsValue *value;
    int position;
    int duplicates;
};

class ElementTable : public EngineTest {
protected:
    JsArray *NewArray(int32_t positional = 0) { return Keep(new JsArray(positional)); }
    JsNumber *Number(double v) { return Keep(MakeNumber(v)); }
    JsString *Str(const std::string &text) { return Keep(JsString::Make(text.c_str())); }

    static Read Get(JsArray *a, JsValue *key) {
        g_lastFoundPosition = -1;
        JsValue *value = a->GetByKey(key);
        return Read{value, g_lastFoundPosition, a->DuplicatesBeforeLastFound()};
    }
    Read Get(JsArray *a, double key) { return Get(a, Number(key)); }
    // The number key reads what the name as a text key reads, twice.
    void ExpectSameRead(JsArray *a, JsValue *key, const std::string &name) {
        SCOPED_TRACE("key " + std::string(key->ToText()) + ", name " + name);
        JsString *text = Str(name);
        for (int round = 0; round < 2; round++) {
            const Read want = Get(a, text), got = Get(a, key);
            EXPECT_EQ(got.value, want.value) << "round " << round;
            EXPECT_EQ(got.position, want.position) << "round " << round;
            EXPECT_EQ(got.duplicates, want.duplicates) << "round " << round;
        }
    }
    void ExpectSameRead(JsArray *a, double key) {
        ExpectSameRead(a, Number(key), std::to_string(int64_t(key)));
    }
    // The same store on twins, by number key and by text key: same answer, slots and count.
    void StoreBoth(JsArray *byNumber, JsArray *byText, JsValue *key, const std::string &name, JsValue *value,
                   int op, int create) {
        SCOPED_TRACE("store to key " + std::string(key->ToText()) + ", name " + name + ", op " +
                     std::to_string(op));
        g_lastFoundPosition = -3;
        const std::string want = Take(byText->PutByKey(Str(name), value, op, create));
        const int wantPosition = g_lastFoundPosition;
        g_lastFoundPosition = -3;
        const std::string got = Take(byNumber->PutByKey(key, value, op, create));
        EXPECT_EQ(got, want);
        EXPECT_EQ(g_lastFoundPosition, wantPosition);
        EXPECT_EQ(Slots(byNumber), Slots(byText));
    }
    void StoreBoth(JsArray *byNumber, JsArray *byText, double key, JsValue *value, int op, int create) {
        StoreBoth(byNumber, byText, Number(key), std::to_string(int64_t(key)), value, op, create);
    }
    // The count, then the slots as name=value in order.
    static std::string Slots(JsArray *a) {
        std::string text = "count " + std::to_string(a->count) + ":";
        for (JsProperty *slot = a->FirstProperty(); slot; slot = slot->Next())
            text += std::string(slot->name) + "=" +
                    (slot->value && slot->value->ToText() ? slot->value->ToText() : "<none>") + ";";
        return text;
    }
    // Where the first slot of a name sits, found by walking the slots; 0 when missing.
    static int PositionOfName(JsArray *a, const std::string &name) {
        int position = 1;
        for (JsProperty *slot = a->FirstProperty(); slot; slot = slot->Next(), position++)
            if (name == slot->name) return position;
        return 0;
    }
};

TEST_F(ElementTable, FillAndReadAgreeWithNames) {
    // Forty elements: past the index threshold and two growths of the table.
    JsArray *a = NewArray(), *b = NewArray();
    for (int i = 0; i < 40; i++) StoreBoth(a, b, i, Number(i * 3), TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 40);
    EXPECT_EQ(a->slotCount, 40);
    for (int i = 0; i < 40; i++) {
        ExpectSameRead(a, i);
        const Read r = Get(a, i);
        ASSERT_NE(r.value, nullptr) << i;
        EXPECT_EQ(r.value->ToNumber(), i * 3);
        EXPECT_EQ(r.position, i + 1);
    }
    // Arithmetic in place through the keys.
    for (int i = 0; i < 40; i++) {
        StoreBoth(a, b, i, g_shared.one, TK_ADD_ASSIGN, 0);
        StoreBoth(a, b, i, g_shared.minusOne, TK_POSTINC, 0);
        StoreBoth(a, b, i, g_shared.one, TK_PREDEC, 0);
        StoreBoth(a, b, i, Number(2), TK_MUL_ASSIGN, 1);
    }
    for (int i = 0; i < 40; i++) EXPECT_EQ(a->ValueAt(i)->ToNumber(), 6 * i + 2) << i;
    // Missing elements: nothing, and no own slot found.
    for (int i : {40, 41, 63, 64, 1000}) {
        ExpectSameRead(a, i);
        EXPECT_EQ(Get(a, i).value, nullptr);
        EXPECT_EQ(Get(a, i).position, 0);
    }
    EXPECT_EQ(a->count, 40);
}

TEST_F(ElementTable, AppendedElementsAreFoundByNumber) {
    // The elements of new Array(...) are appended without the table.
    JsArray *a = NewArray();
    const char *texts[] = {"zero", "one", "two", "three", "four"};
    for (const char *t : texts) a->AppendElement(Str(t));
    for (int i = 0; i < 5; i++) {
        ExpectSameRead(a, i);
        EXPECT_STREQ(Get(a, i).value->ToText(), texts[i]);
    }
    // NaN keys, the engine's own NaN and an IEEE one, read element zero.
    for (JsNumber *nan : {Keep(JsNumber::MakeNaN()), Number(std::numeric_limits<double>::quiet_NaN())}) {
        ExpectSameRead(a, nan, "0");
        EXPECT_STREQ(Get(a, nan).value->ToText(), "zero");
        EXPECT_EQ(Get(a, nan).position, 1);
    }
    JsString *x = Str("x"), *tail = Str("tail");
    EXPECT_EQ(a->PutByKey(Number(1), x, TK_ASSIGN, 1), x);
    EXPECT_EQ(a->GetProperty("1"), x);
    EXPECT_EQ(a->slotCount, 5);
    EXPECT_EQ(a->count, 5);
    EXPECT_EQ(a->PutByKey(Number(5), tail, TK_ASSIGN, 1), tail);
    EXPECT_EQ(a->count, 6);
    EXPECT_EQ(PositionOfName(a, "5"), 6);
    ExpectSameRead(a, 5);
}

TEST_F(ElementTable, ReverseAndSortForgetWhereElementsWere) {
    JsArray *a = NewArray();
    JsString *cycle[] = {Str("c"), Str("a"), Str("b")};
    const int n = 20;
    JsValue *held[n];
    for (int i = 0; i < n; i++) a->AppendElement(held[i] = cycle[i % 3]);
    // Reads by key agree with the names, wherever reordering put them.
    auto expectAgree = [&](const char *when) {
        SCOPED_TRACE(when);
        for (int i = 0; i < n; i++) {
            ExpectSameRead(a, i);
            const Read r = Get(a, i);
            EXPECT_EQ(r.value, held[i]) << i;
            EXPECT_EQ(r.position, PositionOfName(a, std::to_string(i))) << i;
        }
    };
    expectAgree("appended");
    a->Reverse();
    expectAgree("reversed");
    for (int i = 0; i < n; i++) EXPECT_EQ(PositionOfName(a, std::to_string(i)), n - i) << i;
    a->Sort();
    EXPECT_STREQ(a->ValueAt(0)->ToText(), "a");
    expectAgree("sorted");
    // A store after the reordering goes to the slot of that name.
    a->PutByKey(Number(7), held[7] = Str("changed"), TK_ASSIGN, 1);
    EXPECT_EQ(a->ValueAt(PositionOfName(a, "7") - 1), held[7]);
    EXPECT_EQ(a->count, n);
    // And reads keep agreeing after a second round of each.
    a->Reverse();
    a->Sort();
    a->Reverse();
    expectAgree("again");
}

TEST_F(ElementTable, DuplicatesAnswerWithTheFirstSlot) {
    JsArray *a = NewArray(), *b = NewArray();
    JsString *first = Str("first"), *second = Str("second"), *third = Str("third"), *pad = Str("pad");
    for (JsArray *t : {a, b}) {
        t->AddProperty("pad", pad);
        t->AddProperty("2", first);
        t->AddProperty("2", second);
    }
    ExpectSameRead(a, 2);
    EXPECT_EQ(Get(a, 2).value, first);
    EXPECT_EQ(Get(a, 2).position, 2);
    // A duplicate appended once the element is known.
    for (JsArray *t : {a, b}) t->AddProperty("2", third);
    ExpectSameRead(a, 2);
    EXPECT_EQ(Get(a, 2).value, first);
    // A store goes to the first slot and counts the element.
    StoreBoth(a, b, 2, Str("x"), TK_ASSIGN, 1);
    EXPECT_EQ(Slots(a), "count 3:pad=pad;2=x;2=second;2=third;");
    // An element made by a number store, then given a duplicate.
    JsString *v = Str("v"), *w = Str("w");
    StoreBoth(a, b, 4, v, TK_ASSIGN, 1);
    for (JsArray *t : {a, b}) t->AddProperty("4", w);
    ExpectSameRead(a, 4);
    EXPECT_EQ(Get(a, 4).value, v);
    EXPECT_EQ(Get(a, 4).position, 5);
    StoreBoth(a, b, 4, w, TK_ADD_ASSIGN, 0);
    EXPECT_EQ(Slots(a), "count 5:pad=pad;2=x;2=second;2=third;4=vw;4=w;");
}

TEST_F(ElementTable, TextAndNumberKeysNameTheSameSlot) {
    JsArray *a = NewArray();
    JsString *x = Str("x"), *y = Str("y"), *z = Str("z"), *w = Str("w"), *q = Str("q");
    EXPECT_EQ(a->PutByKey(Str("3"), x, TK_ASSIGN, 1), x);
    EXPECT_EQ(a->GetByKey(Number(3)), x);
    EXPECT_EQ(a->PutByKey(Number(3), y, TK_ASSIGN, 1), y);
    EXPECT_EQ(a->GetByKey(Str("3")), y);
    EXPECT_EQ(a->slotCount, 1);
    EXPECT_EQ(a->count, 4);
    EXPECT_EQ(a->PutByKey(Number(8), z, TK_ASSIGN, 1), z);
    EXPECT_EQ(a->PutByKey(Str("8"), w, TK_ASSIGN, 1), w);
    EXPECT_EQ(a->GetByKey(Number(8)), w);
    EXPECT_EQ(a->slotCount, 2);
    EXPECT_EQ(a->count, 9);
    // Other spellings of the number are other names.
    EXPECT_EQ(a->PutByKey(Str("03"), q, TK_ASSIGN, 1), q);
    EXPECT_EQ(a->GetByKey(Number(3)), y);
    EXPECT_EQ(a->slotCount, 3);
    ExpectSameRead(a, 3);
    ExpectSameRead(a, 8);
}

TEST_F(ElementTable, KeysNameTheirIntegerView) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double key;
        bool nanNumber;  // a NaN number rather than a plain one
        const char *name;
        int32_t count;  // after a store to an empty array
    } cases[] = {
        {1.9, false, "1", 2},
        {-0.5, false, "0", 1},
        {-2.5, false, "-2", 0},
        {-1, false, "-1", 0},
        {0, true, "0", 1},
        {nan, false, "0", 1},
        {HUGE_VAL, false, "0", 1},
        {4294967299.0, false, "3", 4},
        {1e20, false, "1661992960", 1661992961},
        {2147483648.0, false, "-2147483648", 0},
        {-2147483649.0, false, "2147483647", 0},
        {2147483647.0, false, "2147483647", 0},
        {2147483646.0, false, "2147483646", INT32_MAX},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        JsArray *a = NewArray(), *b = NewArray();
        JsNumber *key = c.nanNumber ? Keep(JsNumber::MakeNaN()) : Number(c.key);
        JsString *v = Str("v"), *w = Str("w");
        StoreBoth(a, b, key, c.name, v, TK_ASSIGN, 1);
        ASSERT_EQ(a->slotCount, 1);
        EXPECT_STREQ(a->FirstProperty()->name, c.name);
        EXPECT_EQ(a->count, c.count);
        ExpectSameRead(a, key, c.name);
        EXPECT_EQ(Get(a, key).value, v);
        // The existing slot, through the key again.
        StoreBoth(a, b, key, c.name, w, TK_ADD_ASSIGN, 0);
        EXPECT_STREQ(a->FirstProperty()->value->ToText(), "vw");
        EXPECT_EQ(a->slotCount, 1);
    }
}

TEST_F(ElementTable, CountFollowsStores) {
    JsArray *a = NewArray(), *b = NewArray();
    JsNumber *five = Number(5);
    // A slot of an element name that was never counted.
    for (JsArray *t : {a, b}) t->AddProperty("9", g_shared.one);
    EXPECT_EQ(a->count, 0);
    // Without create an existing slot is stored into, and not counted.
    StoreBoth(a, b, 9, g_shared.one, TK_ADD_ASSIGN, 0);
    EXPECT_EQ(a->count, 0);
    EXPECT_EQ(a->ValueAt(0)->ToNumber(), 2);
    // With create it is counted, though the slot was there already.
    StoreBoth(a, b, 9, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 10);
    // A missing element without create: nothing.
    StoreBoth(a, b, 4, five, TK_ASSIGN, 0);
    EXPECT_EQ(Slots(a), "count 10:9=5;");
    StoreBoth(a, b, 12, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 13);
    StoreBoth(a, b, 6, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 13);
    // A store that fails counts nothing.
    for (JsArray *t : {a, b}) t->AddProperty("20", Str("abc"));
    StoreBoth(a, b, 20, g_shared.one, TK_SUB_ASSIGN, 1);
    EXPECT_EQ(a->count, 13);
    StoreBoth(a, b, 20, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 21);
    // Known elements below the count leave it.
    StoreBoth(a, b, 12, five, TK_ADD_ASSIGN, 1);
    StoreBoth(a, b, 9, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 21);
    // The store to the highest index the count takes, and the one past it.
    StoreBoth(a, b, 2147483646.0, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, INT32_MAX);
    StoreBoth(a, b, 2147483647.0, five, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, INT32_MAX);
}

TEST_F(ElementTable, SparseKeysAreFoundByName) {
    JsArray *a = NewArray(), *b = NewArray();
    JsString *e = Str("e"), *far = Str("far");
    for (JsArray *t : {a, b})
        for (int i = 0; i < 3; i++) t->AppendElement(e);
    StoreBoth(a, b, 100000, far, TK_ASSIGN, 1);
    EXPECT_EQ(a->count, 100001);
    EXPECT_EQ(a->slotCount, 4);
    ExpectSameRead(a, 100000);
    EXPECT_EQ(Get(a, 100000).value, far);
    EXPECT_EQ(Get(a, 100000).position, 4);
    // Keys around how far past the slots the table reaches.
    for (int i : {23, 24, 25, 26, 27, 40, 41}) StoreBoth(a, b, i, Number(i), TK_ASSIGN, 1);
    // Filling the gaps grows the table past the keys stored before.
    for (int i = 3; i < 60; i++) StoreBoth(a, b, i, Number(-i), TK_ADD_ASSIGN, 1);
    for (int i : {0, 3, 22, 23, 24, 25, 26, 27, 40, 41, 59, 60, 100000}) {
        ExpectSameRead(a, i);
        EXPECT_EQ(Get(a, i).position, PositionOfName(a, std::to_string(i))) << i;
    }
    EXPECT_EQ(Get(a, 100000).value, far);
    EXPECT_EQ(a->count, 100001);
}

TEST_F(ElementTable, PositionalListsSelectDigitsByPosition) {
    // Argument lists: a key of digits is a position, whatever the slot's name.
    JsArray *args = NewArray(1), *twin = NewArray(1);
    JsString *p = Str("p"), *q = Str("q"), *r = Str("r"), *s = Str("s");
    for (JsArray *t : {args, twin}) {
        t->AddProperty("x", p);
        t->AddProperty("y", q);
        t->AddProperty("0", r);
    }
    const struct {
        double key;
        JsValue *value;
    } reads[] = {{0, p}, {1, q}, {2, r}, {3, nullptr}, {1.5, q}};
    for (const auto &read : reads) EXPECT_EQ(Get(args, read.key).value, read.value) << read.key;
    for (int i = 0; i < 4; i++) ExpectSameRead(args, i);
    // Stores go by name, as the text does.
    StoreBoth(args, twin, 0.0, s, TK_ASSIGN, 1);
    EXPECT_EQ(args->ValueAt(2), s);
    EXPECT_EQ(Get(args, 0.0).value, p);
    StoreBoth(args, twin, 5, s, TK_ASSIGN, 1);
    EXPECT_EQ(args->slotCount, 4);
    EXPECT_EQ(Get(args, 3).value, s);
    ExpectSameRead(args, 5);
}

}  // namespace
