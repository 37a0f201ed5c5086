// Remembered look-ups: GetPropertyAt and PutPropertyAt answer for a node's
// name as GetProperty and PutProperty do, on every call, whatever happened
// to the object, its slots or the node in between.
#include "values/slot_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    std::vector<JsToken *> Sites(const std::vector<std::string> &names) {
        std::vector<JsToken *> sites;
        for (const std::string &name : names) sites.push_back(Site(name.c_str()));
        return sites;
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
    static void ExpectSameAsName(JsObject *o, const std::vector<JsToken *> &sites, const char *context) {
        for (const JsToken *site : sites) ExpectSameAsName(o, site, context);
    }
    // The slots of an object as name=value, in order.
    static std::string Slots(JsObject *o) {
        std::string text;
        for (JsProperty *slot = o->FirstProperty(); slot; slot = slot->Next())
            text += std::string(slot->name) + "=" +
                    (slot->value && slot->value->ToText() ? slot->value->ToText() : "<none>") + ";";
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
    ExpectSameAsName(o, {siteB, siteC, missing}, "fresh object");
    EXPECT_EQ(AtSite(o, siteB).value, b);
    EXPECT_EQ(AtSite(o, siteB).position, 2);
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
    ExpectSameAsName(o, {siteB, missing}, "after more slots");

    // A member answered while there is no own slot, then the own slot.
    JsToken *member = Site("toString");
    ExpectSameAsName(o, member, "member");
    EXPECT_EQ(AtSite(o, member).value, NativeFunction(DURIZ_NATIVE_HOST_TOSTRING));
    o->PutProperty("toString", b, TK_ASSIGN, 1);
    EXPECT_EQ(AtSite(o, member).value, b);
    ExpectSameAsName(o, member, "own slot over the member");

    // Past a dozen slots names are found through the index.
    std::vector<std::string> names;
    for (int i = 0; i < 40; i++) PutNumber(o, names.emplace_back("n" + std::to_string(i)).c_str(), i * 2);
    const std::vector<JsToken *> sites = Sites(names);
    for (int i = 0; i < 40; i++) {
        ExpectSameAsName(o, sites[i], "indexed");
        EXPECT_EQ(AtSite(o, sites[i]).position, i + 9);
        EXPECT_EQ(AtSite(o, sites[i]).text, std::to_string(i * 2));
    }
}

TEST_F(SlotCache, StoresAnswerAsTheNamePathDoes) {
    // The same stores on twins, by name and through one site per name: the
    // first round finds or makes the slots, the second uses what sites
    // remember; after each store the site reads what the name reads.
    JsObject *byName = NewObject(), *bySite = NewObject();
    JsString *word = Str("word");
    JsNumber *five = Keep(MakeNumber(5)), *two = Keep(MakeNumber(2));
    const struct {
        const char *name;
        JsValue *value;
        int op;
        int create;
    } stores[] = {
        {"x", five, TK_ASSIGN, 0},     // missing, no create: nothing
        {"x", five, TK_ASSIGN, 1},     // made: 5
        {"x", two, TK_ADD_ASSIGN, 0},  // 7
        {"x", two, TK_MUL_ASSIGN, 1},  // 14
        {"x", g_shared.minusOne, TK_POSTINC, 0},
        {"x", g_shared.one, TK_PREDEC, 0},
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
    const std::vector<std::string> names = {"x", "s", "y", "length"};
    const std::vector<JsToken *> sites = Sites(names);
    for (int round = 0; round < 2; round++) {
        for (const auto &store : stores) {
            SCOPED_TRACE("round " + std::to_string(round) + ", store " + std::to_string(&store - stores) +
                         " to " + store.name);
            JsToken *site = sites[std::find(names.begin(), names.end(), store.name) - names.begin()];
            g_lastFoundPosition = -5;
            const std::string want =
                Take(byName->PutProperty(store.name, store.value, store.op, store.create));
            EXPECT_EQ(g_lastFoundPosition, -5);  // stores never tell a position
            const std::string got = Take(bySite->PutPropertyAt(site, store.value, store.op, store.create));
            EXPECT_EQ(g_lastFoundPosition, -5);
            EXPECT_EQ(got, want);
            EXPECT_EQ(Slots(bySite), Slots(byName));
            EXPECT_EQ(bySite->slotCount, byName->slotCount);
            ExpectSameAsName(bySite, site, "between stores");
        }
    }
    EXPECT_EQ(Slots(bySite), "x=12;s=word2;y=1;length=2;");
    // Every store left the operands alone.
    EXPECT_EQ(five->ToNumber(), 5);
    EXPECT_EQ(two->ToNumber(), 2);
    EXPECT_STREQ(word->ToText(), "word");
}

TEST_F(SlotCache, TheFirstSlotOfANameStaysTheAnswer) {
    JsObject *o = NewObject();
    JsString *first = Str("first"), *second = Str("second"), *third = Str("third");
    o->PutProperty("p", Str("pad"), TK_ASSIGN, 1);
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
    EXPECT_EQ(Slots(o), "p=pad;d=third;d=second;");
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
    // Each reordering, then the positions and duplicates of q, r and p.
    const struct {
        const char *when;
        void (JsArray::*reorder)();
        int q, qDuplicates, r, p, pDuplicates;
    } steps[] = {
        {"before", nullptr, 5, 2, 7, 3, 1},
        {"reversed", &JsArray::Reverse, 3, 1, 1, 5, 2},  // r 3 q 2 p 1 0
        {"sorted", &JsArray::Sort, 4, 1, 1, 5, 2},       // by text: b b m m m m z, stable
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.when);
        if (step.reorder) (a->*step.reorder)();
        ExpectSameAsName(a, {p, q, r}, step.when);
        EXPECT_EQ(AtSite(a, q).position, step.q);
        EXPECT_EQ(AtSite(a, q).duplicates, step.qDuplicates);
        EXPECT_EQ(AtSite(a, r).position, step.r);
        EXPECT_EQ(AtSite(a, p).position, step.p);
        EXPECT_EQ(AtSite(a, p).duplicates, step.pDuplicates);
    }
    // Stores after the reordering go to the named slot.
    JsString *changed = Str("changed");
    a->PutPropertyAt(p, changed, TK_ASSIGN, 1);
    EXPECT_EQ(a->GetProperty("p"), changed);
    EXPECT_EQ(a->ValueAt(4), changed);
    ExpectSameAsName(a, q, "after a store");

    // Names found through the index, which the reordering throws away.
    JsArray *indexed = NewArray();
    JsString *same = Str("same");
    std::vector<std::string> names;
    for (int i = 0; i < 20; i++)
        indexed->PutProperty(names.emplace_back("k" + std::to_string(i)).c_str(), same, TK_ASSIGN, 1);
    const std::vector<JsToken *> sites = Sites(names);
    ExpectSameAsName(indexed, sites, "indexed, before");
    indexed->Reverse();
    for (int i = 0; i < 20; i++) {
        ExpectSameAsName(indexed, sites[i], "indexed, reversed");
        EXPECT_EQ(AtSite(indexed, sites[i]).position, 20 - i);
        EXPECT_EQ(AtSite(indexed, sites[i]).duplicates, 19 - i);
    }
}

TEST_F(SlotCache, BuiltInNamesOfClassedObjectsComeFirst) {
    JsArray *a = NewArray();
    JsString *e = Str("e"), *mine = Str("mine");
    for (int i = 0; i < 3; i++) a->AppendElement(e);
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
    // A method's name with an own slot: the method answers; any other name is its slot.
    a->PutProperty("join", mine, TK_ASSIGN, 1);
    a->PutProperty("custom", mine, TK_ASSIGN, 1);
    JsToken *join = Site("join"), *custom = Site("custom");
    ExpectSameAsName(a, {join, custom}, "array");
    EXPECT_EQ(AtSite(a, join).value, NativeFunction(DURIZ_NATIVE_ARRAY_JOIN));
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
    ExpectSameAsName(args, {two, empty}, "by position");
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
    // Nodes of names of one length, each made where the one before was.
    alignas(JsToken) unsigned char block[sizeof(JsToken) + 16];
    JsToken *node = nullptr;
    auto rebuild = [&block, &node](const char *name) {
        if (node) node->~JsToken();
        return node = JsToken::MakeInBlock(block, TK_IDENT, name, 5);
    };
    EXPECT_EQ(o->GetPropertyAt(rebuild("alpha")), alpha);
    EXPECT_EQ(o->GetPropertyAt(node), alpha);
    g_lastFoundPosition = -1;
    EXPECT_EQ(o->GetPropertyAt(rebuild("gamma")), gamma);
    EXPECT_EQ(g_lastFoundPosition, 2);
    ExpectSameAsName(o, node, "rebuilt");
    // A store through a rebuilt node goes to its own name.
    EXPECT_EQ(o->GetPropertyAt(rebuild("alpha")), alpha);
    EXPECT_EQ(o->PutPropertyAt(rebuild("gamma"), other, TK_ASSIGN, 1), other);
    EXPECT_EQ(Slots(o), "alpha=alpha's;gamma=other;");
    // A rebuilt node whose name the object lacks finds nothing.
    o->GetPropertyAt(rebuild("gamma"));
    g_lastFoundPosition = -1;
    EXPECT_EQ(o->GetPropertyAt(rebuild("delta")), nullptr);
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
    // The same memory for each new object; the last one lacks v.
    void *block = JsMalloc(sizeof(JsObject));
    ASSERT_NE(block, nullptr);
    for (int k = 0; k < 4; k++) {
        JsObject *o = new (block) JsObject();
        if (k % 2) PutNumber(o, "other", 0);
        if (k != 3) PutNumber(o, "v", 100 + k);
        g_lastFoundPosition = -1;
        JsValue *found = o->GetPropertyAt(site);
        EXPECT_EQ(found ? found->ToNumber() : -1, k == 3 ? -1 : 100 + k) << k;
        EXPECT_EQ(g_lastFoundPosition, k == 3 ? 0 : k % 2 + 1) << k;
        EXPECT_EQ(Take(o->PutPropertyAt(site, g_shared.one, TK_ADD_ASSIGN, 0)),
                  k == 3 ? "<none>" : std::to_string(101 + k));
        EXPECT_EQ(o->slotCount, 1 + (k % 2 && k != 3)) << k;
        o->~JsObject();
    }
    JsFree(block);
}

TEST_F(SlotCache, LookupsTakingTurnsAtOneEntryEachFindTheirOwnSlot) {
    // Two objects at one node, and two nodes exactly a table's span apart,
    // which take the same entry: each look-up or store that follows the
    // other's finds its own name's slot.
    const size_t span = static_cast<size_t>(1u << kSlotCacheBits) << kSiteShift;
    char *block = static_cast<char *>(JsMalloc(span + 2 * sizeof(JsToken) + 8));
    ASSERT_NE(block, nullptr);
    JsToken *a = JsToken::MakeInBlock(block, TK_IDENT, "a", 1);
    JsToken *b = JsToken::MakeInBlock(block + span, TK_IDENT, "b", 1);
    ASSERT_EQ(&SlotCacheEntryOf(a), &SlotCacheEntryOf(b));
    JsObject *first = NewObject(), *second = NewObject(), *both = NewObject();
    PutNumber(first, "pad", 0);
    for (JsObject *o : {first, second, both}) PutNumber(o, "a", o == second ? 2 : 1);
    PutNumber(both, "b", 2);
    const struct {
        JsObject *o;
        JsToken *site;
        int position;
    } turns[][2] = {{{first, a, 2}, {second, a, 1}}, {{both, a, 1}, {both, b, 2}}};
    for (const auto &pair : turns) {
        for (int i = 0; i < 12; i++) {
            const auto &turn = pair[i % 2];
            SCOPED_TRACE(testing::Message() << "turn " << i << " at " << turn.site->text);
            // The first half reads first, the second stores first.
            const std::string sum = std::to_string(i % 2 + 2 + i / 2);
            if (i >= 6) {
                EXPECT_EQ(Take(turn.o->PutPropertyAt(turn.site, g_shared.one, TK_ADD_ASSIGN, 0)), sum);
            }
            EXPECT_EQ(AtSite(turn.o, turn.site).position, turn.position);
            ExpectSameAsName(turn.o, turn.site, "in turn");
            if (i < 6) {
                EXPECT_EQ(Take(turn.o->PutPropertyAt(turn.site, g_shared.one, TK_ADD_ASSIGN, 0)), sum);
            }
        }
    }
    EXPECT_EQ(Slots(first), "pad=0;a=7;");
    EXPECT_EQ(Slots(second), "a=8;");
    EXPECT_EQ(Slots(both), "a=7;b=8;");
    a->~JsToken();
    b->~JsToken();
    JsFree(block);
}

}  // namespace
