// Remembered look-ups: GetPropertyAt and PutPropertyAt answer for a node's
// name as GetProperty and PutProperty do, on every call, whatever happened
// to the object, its slots or the node in between.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "builtins/function.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/memory.h"
#include "engine/shared.h"
#include "engine_fixture.h"
#include "values/array.h"
#include "values/object.h"
#include "values/slot_cache.h"

namespace {

// One read: the value (null for a fresh one, compared by text only), its
// text, g_lastFoundPosition and the duplicates before that slot.
struct Answer {
    JsValue *value;
    std::string text;
    int position;
    int duplicates;
};

class SlotCache : public EngineTest {
protected:
    void TearDown() override {
        for (JsToken *site : sites_) delete site;
        sites_.clear();
        EngineTest::TearDown();
    }

    // An identifier node, freed when the test ends.
    JsToken *Site(const char *name) {
        JsToken *site = JsToken::Make(TK_IDENT, name, name ? static_cast<ptrdiff_t>(std::strlen(name)) : -1);
        EXPECT_NE(site, nullptr);
        sites_.push_back(site);
        return site;
    }
    JsString *Str(const char *text) { return Keep(JsString::Make(text)); }
    JsArray *NewArray(int32_t positional = 0) { return Keep(new JsArray(positional)); }

    static Answer Describe(JsObject *o, JsValue *found) {
        Answer a{found, found && found->ToText() ? found->ToText() : "<none>", g_lastFoundPosition,
                 o->DuplicatesBeforeLastFound()};
        if (found && found->refs == 0) {
            a.value = nullptr;
            DropIfUnowned(found);
        }
        return a;
    }
    static Answer ByName(JsObject *o, const char *name) {
        g_lastFoundPosition = -1;
        return Describe(o, o->GetProperty(name));
    }
    static Answer AtSite(JsObject *o, const JsToken *site) {
        g_lastFoundPosition = -1;
        return Describe(o, o->GetPropertyAt(site));
    }
    // The site's answer, on a first and a second read, is the name's.
    static void ExpectSameAsName(JsObject *o, const JsToken *site, const char *context) {
        SCOPED_TRACE(std::string(context) + ", name '" + (site->text ? site->text : "<null>") + "'");
        const Answer want = ByName(o, site->text);
        for (int round = 0; round < 2; round++) {
            const Answer got = AtSite(o, site);
            EXPECT_EQ(got.value, want.value) << "round " << round;
            EXPECT_EQ(got.text, want.text) << "round " << round;
            EXPECT_EQ(got.position, want.position) << "round " << round;
            EXPECT_EQ(got.duplicates, want.duplicates) << "round " << round;
        }
    }
    // The slots of an object as name=value, in order.
    static std::string Slots(JsObject *o) {
        std::string text;
        for (JsProperty *slot = o->FirstProperty(); slot; slot = slot->Next()) {
            text += slot->name;
            text += "=";
            text += slot->value && slot->value->ToText() ? slot->value->ToText() : "<none>";
            text += ";";
        }
        return text;
    }
    static void PutNumber(JsObject *o, const char *name, double value) {
        JsNumber *n = MakeNumber(value);
        o->PutProperty(name, n, TK_ASSIGN, 1);
        DropIfUnowned(n);
    }

private:
    std::vector<JsToken *> sites_;
};

TEST_F(SlotCache, ReadsAnswerAsTheNamePathDoes) {
    JsObject *o = NewObject();
    JsString *a = Str("first"), *b = Str("second");
    o->PutProperty("a", a, TK_ASSIGN, 1);
    o->PutProperty("b", b, TK_ASSIGN, 1);
    PutNumber(o, "c", 3);
    JsToken *siteB = Site("b"), *siteC = Site("c"), *missing = Site("zz");
    ExpectSameAsName(o, siteB, "fresh object");
    EXPECT_EQ(AtSite(o, siteB).value, b);
    EXPECT_EQ(AtSite(o, siteB).position, 2);
    ExpectSameAsName(o, siteC, "fresh object");
    ExpectSameAsName(o, missing, "fresh object");
    EXPECT_EQ(AtSite(o, missing).value, nullptr);
    EXPECT_EQ(AtSite(o, missing).position, 0);

    // The slot takes other values: the remembered slot answers the new one.
    JsString *changed = Str("changed");
    o->PutProperty("b", changed, TK_ASSIGN, 0);
    EXPECT_EQ(AtSite(o, siteB).value, changed);
    ExpectSameAsName(o, siteB, "after the value changed");
    JsNumber *ten = MakeNumber(10);
    o->PutProperty("c", ten, TK_ADD_ASSIGN, 0);
    DropIfUnowned(ten);
    EXPECT_EQ(AtSite(o, siteC).text, "13");
    ExpectSameAsName(o, siteC, "after +=");

    // A name that was missing is found once its slot exists; slots added
    // after a remembered one leave its position alone.
    o->PutProperty("zz", a, TK_ASSIGN, 1);
    EXPECT_EQ(AtSite(o, missing).value, a);
    EXPECT_EQ(AtSite(o, missing).position, 4);
    for (const char *name : {"d", "e", "f"}) PutNumber(o, name, 1);
    ExpectSameAsName(o, siteB, "after more slots");
    ExpectSameAsName(o, missing, "after more slots");

    // A member answered while there is no own slot, then the own slot.
    JsToken *member = Site("toString");
    ExpectSameAsName(o, member, "member");
    EXPECT_EQ(AtSite(o, member).value, NativeFunction(DURIZ_NATIVE_HOST_TOSTRING));
    o->PutProperty("toString", b, TK_ASSIGN, 1);
    EXPECT_EQ(AtSite(o, member).value, b);
    ExpectSameAsName(o, member, "own slot over the member");
}

TEST_F(SlotCache, ReadsOnManySlotsAgreeWithTheIndexedPath) {
    // Past a dozen slots names are found through the index.
    JsObject *o = NewObject();
    std::vector<std::string> names;
    for (int i = 0; i < 40; i++) names.push_back("n" + std::to_string(i));
    for (int i = 0; i < 40; i++) PutNumber(o, names[i].c_str(), i * 2);
    std::vector<JsToken *> sites;
    for (const std::string &name : names) sites.push_back(Site(name.c_str()));
    for (int i = 0; i < 40; i++) {
        ExpectSameAsName(o, sites[i], "indexed");
        EXPECT_EQ(AtSite(o, sites[i]).position, i + 1);
        EXPECT_EQ(AtSite(o, sites[i]).text, std::to_string(i * 2));
    }
}

TEST_F(SlotCache, StoresAnswerAsTheNamePathDoes) {
    // The same stores on twins, by name and through one site per name: the
    // first round finds or makes the slots, the second uses what sites remember.
    JsObject *byName = NewObject(), *bySite = NewObject();
    JsString *word = Str("word");
    JsNumber *five = Keep(MakeNumber(5)), *two = Keep(MakeNumber(2));
    struct Store {
        const char *name;
        JsValue *value;
        int op;
        int create;
    };
    const Store stores[] = {
        {"x", five, TK_ASSIGN, 0},     // missing, no create: nothing
        {"x", five, TK_ASSIGN, 1},     // made: 5
        {"x", two, TK_ADD_ASSIGN, 0},  // 7
        {"x", two, TK_MUL_ASSIGN, 1},  // 14
        {"x", g_shared.minusOne, TK_POSTINC, 0}, {"x", g_shared.one, TK_PREDEC, 0},
        {"x", two, TK_SUB_ASSIGN, 0},  // 12
        {"s", word, TK_ASSIGN, 1},
        {"s", two, TK_ADD_ASSIGN, 0},  // joined text
        {"s", two, TK_SUB_ASSIGN, 0},  // fails on a text
        {"s", g_shared.minusOne, TK_POSTINC, 0},
        {"y", five, TK_SUB_ASSIGN, 1},  // made holding null; the operator fails
        {"y", five, TK_ADD_ASSIGN, 0},  // fails on null
        {"y", five, TK_ASSIGN, 0},
        {"y", two, TK_MOD_ASSIGN, 0},   // 1
        {"length", two, TK_ASSIGN, 1},  // no built-in name of a plain object
    };
    // One site per name, made before the first store.
    std::vector<JsToken *> sites;
    for (const char *name : {"x", "s", "y", "length"}) sites.push_back(Site(name));
    auto siteOf = [&sites](const char *name) {
        for (JsToken *site : sites)
            if (std::strcmp(site->text, name) == 0) return site;
        return static_cast<JsToken *>(nullptr);
    };
    for (int round = 0; round < 2; round++) {
        for (size_t i = 0; i < sizeof stores / sizeof stores[0]; i++) {
            const Store &store = stores[i];
            SCOPED_TRACE("round " + std::to_string(round) + ", store " + std::to_string(i) + " to " +
                         store.name);
            g_lastFoundPosition = -5;
            const std::string want =
                Take(byName->PutProperty(store.name, store.value, store.op, store.create));
            EXPECT_EQ(g_lastFoundPosition, -5);  // stores never tell a position
            const std::string got =
                Take(bySite->PutPropertyAt(siteOf(store.name), store.value, store.op, store.create));
            EXPECT_EQ(g_lastFoundPosition, -5);
            EXPECT_EQ(got, want);
            EXPECT_EQ(Slots(bySite), Slots(byName));
            EXPECT_EQ(bySite->slotCount, byName->slotCount);
        }
    }
    EXPECT_EQ(Slots(bySite), "x=12;s=word2;y=1;length=2;");
    // Every store left the operands alone.
    EXPECT_EQ(five->ToNumber(), 5);
    EXPECT_EQ(two->ToNumber(), 2);
    EXPECT_STREQ(word->ToText(), "word");
}

TEST_F(SlotCache, RepeatedStoresAtOneSiteGoToTheSameSlot) {
    JsObject *byName = NewObject(), *bySite = NewObject();
    JsToken *site = Site("count");
    for (int i = 0; i < 5; i++) {
        const int op = i == 0 ? TK_ASSIGN : TK_ADD_ASSIGN;
        JsNumber *step = MakeNumber(i + 1);
        const std::string want = Take(byName->PutProperty("count", step, op, op == TK_ASSIGN));
        const std::string got = Take(bySite->PutPropertyAt(site, step, op, op == TK_ASSIGN));
        DropIfUnowned(step);
        EXPECT_EQ(got, want) << i;
        EXPECT_EQ(Slots(bySite), Slots(byName)) << i;
        ExpectSameAsName(bySite, site, "between stores");
    }
    EXPECT_EQ(Slots(bySite), "count=15;");
}

TEST_F(SlotCache, TheFirstSlotOfANameStaysTheAnswer) {
    JsObject *o = NewObject();
    JsString *pad = Str("pad"), *first = Str("first"), *second = Str("second"), *third = Str("third");
    o->PutProperty("p", pad, TK_ASSIGN, 1);
    o->AddProperty("d", first);
    JsToken *site = Site("d");
    EXPECT_EQ(AtSite(o, site).value, first);
    // A duplicate appended after the look-up was remembered.
    o->AddProperty("d", second);
    ExpectSameAsName(o, site, "duplicate after");
    EXPECT_EQ(AtSite(o, site).value, first);
    EXPECT_EQ(AtSite(o, site).position, 2);
    // A store goes to the first slot too.
    EXPECT_EQ(o->PutPropertyAt(site, third, TK_ASSIGN, 1), third);
    EXPECT_EQ(o->ValueAt(1), third);
    EXPECT_EQ(o->ValueAt(2), second);
    EXPECT_EQ(o->slotCount, 3);
    // A site that first sees the object with duplicates already there.
    JsToken *late = Site("d");
    ExpectSameAsName(o, late, "duplicates before");
    EXPECT_EQ(AtSite(o, late).value, third);
}

TEST_F(SlotCache, PositionsFollowReverseAndSort) {
    // Named slots among elements, several of one value, so duplicates tell positions apart.
    JsArray *a = NewArray();
    JsString *m = Str("m"), *z = Str("z"), *b = Str("b");
    a->AppendElement(m);  // 0
    a->AppendElement(z);  // 1
    a->PutProperty("p", m, TK_ASSIGN, 1);
    a->AppendElement(b);  // 2
    a->PutProperty("q", m, TK_ASSIGN, 1);
    a->AppendElement(m);  // 3
    a->PutProperty("r", b, TK_ASSIGN, 1);
    JsToken *p = Site("p"), *q = Site("q"), *r = Site("r");
    ExpectSameAsName(a, p, "before");
    ExpectSameAsName(a, q, "before");
    ExpectSameAsName(a, r, "before");
    EXPECT_EQ(AtSite(a, q).position, 5);
    EXPECT_EQ(AtSite(a, q).duplicates, 2);

    a->Reverse();  // r 3 q 2 p 1 0
    ExpectSameAsName(a, p, "reversed");
    ExpectSameAsName(a, q, "reversed");
    ExpectSameAsName(a, r, "reversed");
    EXPECT_EQ(AtSite(a, q).position, 3);
    EXPECT_EQ(AtSite(a, q).duplicates, 1);
    EXPECT_EQ(AtSite(a, r).position, 1);

    a->Sort();  // by text: b b m m m m z, stable
    ExpectSameAsName(a, p, "sorted");
    ExpectSameAsName(a, q, "sorted");
    ExpectSameAsName(a, r, "sorted");
    EXPECT_EQ(AtSite(a, r).position, 1);
    EXPECT_EQ(AtSite(a, q).position, 4);
    EXPECT_EQ(AtSite(a, q).duplicates, 1);
    EXPECT_EQ(AtSite(a, p).position, 5);
    EXPECT_EQ(AtSite(a, p).duplicates, 2);

    // Stores after the reordering go to the named slot.
    JsString *changed = Str("changed");
    a->PutPropertyAt(p, changed, TK_ASSIGN, 1);
    EXPECT_EQ(a->GetProperty("p"), changed);
    EXPECT_EQ(a->ValueAt(4), changed);
    ExpectSameAsName(a, q, "after a store");
}

TEST_F(SlotCache, PositionsFollowReverseOnAPlainlyIndexedArray) {
    // Names found through the index, which the reordering throws away.
    JsArray *a = NewArray();
    JsString *same = Str("same");
    std::vector<std::string> names;
    for (int i = 0; i < 20; i++) names.push_back("k" + std::to_string(i));
    for (const std::string &name : names) a->PutProperty(name.c_str(), same, TK_ASSIGN, 1);
    std::vector<JsToken *> sites;
    for (const std::string &name : names) sites.push_back(Site(name.c_str()));
    for (JsToken *site : sites) ExpectSameAsName(a, site, "before");
    a->Reverse();
    for (size_t i = 0; i < sites.size(); i++) {
        ExpectSameAsName(a, sites[i], "reversed");
        EXPECT_EQ(AtSite(a, sites[i]).position, static_cast<int>(sites.size() - i));
        EXPECT_EQ(AtSite(a, sites[i]).duplicates, static_cast<int>(sites.size() - i - 1));
    }
}

TEST_F(SlotCache, BuiltInNamesOfClassedObjectsComeFirst) {
    JsArray *a = NewArray();
    JsString *e = Str("e"), *mine = Str("mine");
    a->AppendElement(e);
    a->AppendElement(e);
    a->AppendElement(e);
    // A script slot named length is made, but length reads the count.
    PutNumber(a, "length", 99);
    EXPECT_EQ(a->slotCount, 4);
    JsToken *length = Site("length");
    for (int round = 0; round < 3; round++) {
        ExpectSameAsName(a, length, "length");
        EXPECT_EQ(AtSite(a, length).text, "3") << round;
    }
    a->AppendElement(e);
    EXPECT_EQ(AtSite(a, length).text, "4");
    // A store through the site goes where the name's store goes: the slot.
    JsNumber *seven = MakeNumber(7);
    EXPECT_EQ(Take(a->PutPropertyAt(length, seven, TK_ASSIGN, 1)), "7");
    DropIfUnowned(seven);
    EXPECT_EQ(a->ValueAt(3)->ToNumber(), 7);
    EXPECT_EQ(AtSite(a, length).text, "4");
    // A method's name with an own slot: the method answers.
    a->PutProperty("join", mine, TK_ASSIGN, 1);
    JsToken *join = Site("join");
    ExpectSameAsName(a, join, "join");
    EXPECT_EQ(AtSite(a, join).value, NativeFunction(DURIZ_NATIVE_ARRAY_JOIN));
    // Any other name on the array is its slot.
    a->PutProperty("custom", mine, TK_ASSIGN, 1);
    JsToken *custom = Site("custom");
    ExpectSameAsName(a, custom, "custom");
    EXPECT_EQ(AtSite(a, custom).value, mine);

    // The shared Math object answers its constants over an own slot.
    JsClassObject *math = static_cast<JsClassObject *>(g_shared.prototypes[7]);
    PutNumber(math, "PI", 3);
    JsToken *pi = Site("PI");
    for (int round = 0; round < 2; round++) EXPECT_EQ(AtSite(math, pi).text, "3.141592653589793") << round;
    ExpectSameAsName(math, pi, "PI");
}

TEST_F(SlotCache, DigitAndEmptyNamesOfArgumentListsSelectByPosition) {
    // Argument lists read digit names (and the empty name) by position.
    JsArray *args = NewArray(1);
    JsString *x = Str("x"), *y = Str("y"), *w = Str("w");
    args->AddProperty("2", x);
    args->AddProperty("", y);
    args->AddProperty("c", w);
    JsToken *two = Site("2"), *empty = Site("");
    for (int round = 0; round < 2; round++) {
        EXPECT_EQ(args->GetPropertyAt(two), w) << round;
        EXPECT_EQ(args->GetPropertyAt(empty), x) << round;
    }
    ExpectSameAsName(args, two, "digits");
    ExpectSameAsName(args, empty, "empty");
    // A node without text finds nothing.
    JsToken *none = Site(nullptr);
    EXPECT_EQ(args->GetPropertyAt(none), nullptr);
    EXPECT_EQ(args->PutPropertyAt(none, x, TK_ASSIGN, 1), nullptr);
    EXPECT_EQ(args->slotCount, 3);
}

TEST_F(SlotCache, ANodeRebuiltInTheSameMemoryFindsItsOwnName) {
    JsObject *o = NewObject();
    JsString *alpha = Str("alpha's"), *gamma = Str("gamma's"), *other = Str("other");
    o->PutProperty("alpha", alpha, TK_ASSIGN, 1);
    o->PutProperty("gamma", gamma, TK_ASSIGN, 1);
    alignas(JsToken) unsigned char block[sizeof(JsToken) + 16];
    JsToken *node = JsToken::MakeInBlock(block, TK_IDENT, "alpha", 5);
    EXPECT_EQ(o->GetPropertyAt(node), alpha);
    EXPECT_EQ(o->GetPropertyAt(node), alpha);
    node->~JsToken();
    // Another node of a name of the same length in the same memory.
    node = JsToken::MakeInBlock(block, TK_IDENT, "gamma", 5);
    g_lastFoundPosition = -1;
    EXPECT_EQ(o->GetPropertyAt(node), gamma);
    EXPECT_EQ(g_lastFoundPosition, 2);
    ExpectSameAsName(o, node, "rebuilt");
    node->~JsToken();
    // A store through a rebuilt node goes to its own name.
    node = JsToken::MakeInBlock(block, TK_IDENT, "alpha", 5);
    EXPECT_EQ(o->GetPropertyAt(node), alpha);
    node->~JsToken();
    node = JsToken::MakeInBlock(block, TK_IDENT, "gamma", 5);
    EXPECT_EQ(o->PutPropertyAt(node, other, TK_ASSIGN, 1), other);
    EXPECT_EQ(o->GetProperty("gamma"), other);
    EXPECT_EQ(o->GetProperty("alpha"), alpha);
    node->~JsToken();
    // A rebuilt node whose name the object lacks finds nothing.
    node = JsToken::MakeInBlock(block, TK_IDENT, "gamma", 5);
    o->GetPropertyAt(node);
    node->~JsToken();
    node = JsToken::MakeInBlock(block, TK_IDENT, "delta", 5);
    g_lastFoundPosition = -1;
    EXPECT_EQ(o->GetPropertyAt(node), nullptr);
    EXPECT_EQ(g_lastFoundPosition, 0);
    EXPECT_EQ(o->PutPropertyAt(node, other, TK_ADD_ASSIGN, 0), nullptr);
    EXPECT_EQ(o->slotCount, 2);
    node->~JsToken();
}

TEST_F(SlotCache, ANewObjectIsNotAnsweredFromAnOldEntry) {
    JsToken *site = Site("v");
    // Objects made and destroyed in turn, each with v at another position.
    for (int k = 0; k < 12; k++) {
        JsObject *o = new JsObject();
        o->refs = 1;
        for (int pad = 0; pad < k % 4; pad++) PutNumber(o, ("pad" + std::to_string(pad)).c_str(), -1);
        PutNumber(o, "v", k);
        g_lastFoundPosition = -1;
        JsValue *found = o->GetPropertyAt(site);
        ASSERT_NE(found, nullptr) << k;
        EXPECT_EQ(found->ToNumber(), k);
        EXPECT_EQ(g_lastFoundPosition, k % 4 + 1) << k;
        EXPECT_EQ(o->GetPropertyAt(site)->ToNumber(), k);
        ReleaseRef(o);
    }
    // The same memory for each new object.
    void *block = JsMalloc(sizeof(JsObject));
    ASSERT_NE(block, nullptr);
    for (int k = 0; k < 4; k++) {
        JsObject *o = new (block) JsObject();
        if (k % 2) PutNumber(o, "other", 0);
        if (k != 3) PutNumber(o, "v", 100 + k);
        g_lastFoundPosition = -1;
        JsValue *found = o->GetPropertyAt(site);
        if (k == 3) {
            EXPECT_EQ(found, nullptr);
            EXPECT_EQ(g_lastFoundPosition, 0);
            EXPECT_EQ(o->PutPropertyAt(site, g_shared.one, TK_ADD_ASSIGN, 0), nullptr);
            EXPECT_EQ(o->slotCount, 1);
        } else {
            ASSERT_NE(found, nullptr) << k;
            EXPECT_EQ(found->ToNumber(), 100 + k);
            EXPECT_EQ(g_lastFoundPosition, k % 2 + 1) << k;
            EXPECT_EQ(Take(o->PutPropertyAt(site, g_shared.one, TK_ADD_ASSIGN, 0)), std::to_string(101 + k));
        }
        o->~JsObject();
    }
    JsFree(block);
}

TEST_F(SlotCache, TwoObjectsAtOneNodeEachGetTheirOwnSlot) {
    JsObject *first = NewObject(), *second = NewObject();
    PutNumber(first, "pad", 0);
    PutNumber(first, "v", 1);
    PutNumber(second, "v", 2);
    JsToken *site = Site("v");
    for (int i = 0; i < 10; i++) {
        JsObject *o = i % 2 ? second : first;
        g_lastFoundPosition = -1;
        JsValue *found = o->GetPropertyAt(site);
        ASSERT_NE(found, nullptr) << i;
        EXPECT_EQ(found, o->GetProperty("v")) << i;
        EXPECT_EQ(g_lastFoundPosition, i % 2 ? 1 : 2) << i;
        EXPECT_EQ(Take(o->PutPropertyAt(site, g_shared.one, TK_ADD_ASSIGN, 0)),
                  std::to_string(i % 2 + 1 + i / 2 + 1))
            << i;
    }
    EXPECT_EQ(Slots(first), "pad=0;v=6;");
    EXPECT_EQ(Slots(second), "v=7;");
}

TEST_F(SlotCache, NodesThatShareAnEntryEachFindTheirOwnSlot) {
    // Two nodes exactly a table's span apart take the same entry: each
    // look-up that follows the other's finds its own name's slot.
    const size_t span = static_cast<size_t>(1u << kSlotCacheBits) << kSiteShift;
    char *block = static_cast<char *>(JsMalloc(span + 2 * sizeof(JsToken) + 8));
    ASSERT_NE(block, nullptr);
    JsToken *a = JsToken::MakeInBlock(block, TK_IDENT, "a", 1);
    JsToken *b = JsToken::MakeInBlock(block + span, TK_IDENT, "b", 1);
    ASSERT_EQ(&SlotCacheEntryOf(a), &SlotCacheEntryOf(b));
    JsObject *o = NewObject();
    PutNumber(o, "a", 1);
    PutNumber(o, "b", 2);
    for (int i = 0; i < 6; i++) {
        JsToken *site = i % 2 ? b : a;
        g_lastFoundPosition = -1;
        EXPECT_EQ(Take(o->PutPropertyAt(site, g_shared.one, TK_ADD_ASSIGN, 0)), std::to_string(i % 2 + 2 + i / 2))
            << i;
        ExpectSameAsName(o, site, i % 2 ? "b" : "a");
    }
    EXPECT_EQ(Slots(o), "a=4;b=5;");
    a->~JsToken();
    b->~JsToken();
    JsFree(block);
}

}  // namespace
