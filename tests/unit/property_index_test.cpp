// The name index of objects with many slots: look-ups and their one-based
// positions before, while and after the index is built, grown and dropped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "compiler/token.h"
#include "duriz.h"
#include "engine/memory.h"
#include "engine/shared.h"
#include "engine_fixture.h"
#include "values/array.h"
#include "values/object.h"

namespace {

// AddProperty appends without a look-up, so the first look-up builds the
// index; PutProperty looks each name up first, so the index grows with it.
enum class Fill { kAdd, kPut };
const Fill kFills[] = {Fill::kAdd, Fill::kPut};
const char *FillName(Fill fill) {
    return fill == Fill::kAdd ? "add" : "put";
}

class PropertyIndex : public EngineTest {
protected:
    JsArray *NewArray() { return Keep(new JsArray(0)); }
    JsString *Str(const std::string &text) { return Keep(JsString::Make(text.c_str())); }

    static std::string Padded(const std::string &prefix, int i, int width = 5) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%0*d", width, i);
        return prefix + digits;
    }
    static std::vector<std::string> Names(const char *prefix, int n) {
        std::vector<std::string> names;
        for (int i = 0; i < n; i++) names.push_back(Padded(prefix, i));
        return names;
    }

    // Adds one slot of the name holding value and answers it.
    static JsProperty *AddSlot(JsObject *o, const std::string &name, JsValue *value, Fill fill) {
        const int before = o->properties.Count();
        JsValue *stored = fill == Fill::kAdd ? o->AddProperty(name.c_str(), value)
                                             : o->PutProperty(name.c_str(), value, TK_ASSIGN, 1);
        EXPECT_EQ(stored, value) << name;
        EXPECT_EQ(o->properties.Count(), before + 1) << name;
        return static_cast<JsProperty *>(o->properties.Last());
    }
    // A new object with one slot of each name, each holding its name.
    JsObject *Filled(const std::vector<std::string> &names, Fill fill, std::vector<JsProperty *> *slots) {
        JsObject *o = NewObject();
        for (const std::string &name : names) slots->push_back(AddSlot(o, name, Str(name), fill));
        return o;
    }

    // Each of the first `count` names finds its own slot, at the slot's
    // one-based position in list order, and the position names that slot.
    static void ExpectFound(JsObject *o, const std::vector<std::string> &names,
                            const std::vector<JsProperty *> &slots, const char *when,
                            size_t count = SIZE_MAX) {
        count = std::min(count, names.size());
        ASSERT_LE(count, slots.size());
        std::unordered_map<const JsProperty *, int32_t> positions;
        int32_t at = 0;
        for (JsProperty *slot = o->FirstProperty(); slot; slot = slot->Next()) positions[slot] = ++at;
        for (size_t i = 0; i < count; i++) {
            int32_t position = -1;
            JsProperty *found = o->FindSlot(names[i].c_str(), &position);
            ASSERT_EQ(found, slots[i]) << when << ": " << names[i];
            EXPECT_EQ(position, positions[slots[i]]) << when << ": " << names[i];
            EXPECT_EQ(o->PropertyAt(position - 1), slots[i]) << when << ": " << names[i];
            EXPECT_EQ(o->GetProperty(names[i].c_str()), slots[i]->value) << when << ": " << names[i];
        }
    }

    // An element's text found through a number key, as a[i] reads it.
    static std::string ElementText(JsArray *a, int i) {
        JsNumber *key = MakeNumber(i);
        std::string text = Take(a->GetByKey(key));
        DropIfUnowned(key);
        return text;
    }
    // The position of element i's slot, checked against the slot's name; 0 when missing.
    static int32_t ElementPosition(JsArray *a, int i) {
        int32_t position = -1;
        const std::string name = std::to_string(i);
        JsProperty *slot = a->FindSlot(name.c_str(), &position);
        if (!slot) return 0;
        EXPECT_STREQ(slot->name, name.c_str());
        EXPECT_EQ(a->PropertyAt(position - 1), slot) << name;
        return position;
    }

    // Blocks in use, once the number pool and the destruction list are empty.
    static size_t Blocks() {
        NumberPoolClear();
        FreeValueWorklist();
        return JsBlocksInUse();
    }
};

TEST_F(PropertyIndex, EveryNameFindsItsSlotAndPositionAtEverySize) {
    for (Fill fill : kFills) {
        // Grown a slot at a time, every name looked up after each: the list
        // search, the build at 13 slots and each growth of the index.
        const std::vector<std::string> names = Names("name", 140);
        std::vector<JsProperty *> slots;
        JsObject *grown = NewObject();
        for (int n = 1; n <= 140; n++) {
            SCOPED_TRACE(testing::Message() << "grown to " << n << " slots by " << FillName(fill));
            slots.push_back(AddSlot(grown, names[n - 1], Str(names[n - 1]), fill));
            ExpectFound(grown, names, slots, "grown", n);
            EXPECT_EQ(grown->index != nullptr, n > 12);  // exactly past 12 slots
            EXPECT_EQ(grown->GetProperty(Padded("name", n).c_str()), nullptr);
            ASSERT_FALSE(HasFailure());
        }
        // Filled before any look-up: the first one builds the whole index.
        for (int n : {1, 5, 12, 13, 14, 16, 17, 33, 200, 5000}) {
            SCOPED_TRACE(testing::Message() << n << " slots by " << FillName(fill));
            const std::vector<std::string> filled = Names("name", n);
            slots.clear();
            JsObject *o = Filled(filled, fill, &slots);
            ASSERT_EQ(o->slotCount, n);
            EXPECT_TRUE(fill == Fill::kPut || o->index == nullptr);  // by add, nothing looked up yet
            ExpectFound(o, filled, slots, "first look-ups");
            EXPECT_EQ(o->index != nullptr, n > 12);
            ExpectFound(o, filled, slots, "again");
            EXPECT_EQ(o->FindSlot("name", nullptr), nullptr);
            EXPECT_EQ(o->GetProperty(Padded("name", n).c_str()), nullptr);
        }
    }
}

TEST_F(PropertyIndex, TheLastFoundPositionFollowsEveryLookup) {
    // One string in every slot: the duplicates before a slot are all the slots before it.
    for (int n : {5, 12, 13, 200, 3000}) {
        SCOPED_TRACE(testing::Message() << n << " slots");
        JsObject *o = NewObject();
        JsString *mark = Str("mark");
        const std::vector<std::string> names = Names("at", n);
        for (const std::string &name : names) o->PutProperty(name.c_str(), mark, TK_ASSIGN, 1);
        // Backwards, then forwards, so that no answer is left over from the look-up before.
        for (int i = n - 1; i >= 0; i--) {
            ASSERT_EQ(o->GetProperty(names[i].c_str()), mark) << names[i];
            ASSERT_EQ(o->DuplicatesBeforeLastFound(), i) << names[i];
        }
        for (int i = 0; i < n; i += (n > 200 ? 7 : 1)) {
            ASSERT_EQ(o->GetProperty(names[i].c_str()), mark) << names[i];
            ASSERT_EQ(o->DuplicatesBeforeLastFound(), i) << names[i];
        }
        // A missing name resets the answer, even right after the last slot.
        ASSERT_EQ(o->GetProperty(names[n - 1].c_str()), mark);
        EXPECT_EQ(o->GetProperty("at"), nullptr);
        EXPECT_EQ(o->DuplicatesBeforeLastFound(), 0);
    }
}

// The 32-bit FNV-1a hash, only to pick names that start their probe at one
// entry of the index; under another hash they are ordinary names.
uint32_t Fnv1a(const std::string &name) {
    uint32_t h = 2166136261u;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h;
}

// n names whose hash has the low `bits` bits set: they start in the last
// entry of a table of 2^bits entries and their probes wrap to the front.
std::vector<std::string> SameBucketNames(int n, int bits) {
    std::vector<std::string> names;
    const uint32_t mask = (1u << bits) - 1;
    for (int i = 0; static_cast<int>(names.size()) < n; i++) {
        std::string name = "c" + std::to_string(i);
        if ((Fnv1a(name) & mask) == mask) names.push_back(name);
    }
    return names;
}

TEST_F(PropertyIndex, NamesThatShareOneProbeChain) {
    // 30 slots build a table of 64 entries; names sharing the low 7 bits
    // also share their start after the table doubles to 128.
    const std::vector<std::string> all = SameBucketNames(85, 7);
    for (int n : {13, 30, 50}) {
        SCOPED_TRACE(testing::Message() << n << " names in one chain");
        std::vector<std::string> names(all.begin(), all.begin() + n);
        std::vector<JsProperty *> slots;
        JsObject *o = Filled(names, Fill::kAdd, &slots);
        ExpectFound(o, names, slots, "built");
        // Repeats of every name: placed in the table, they would come before
        // the first slots of their names once the entries move to a bigger one.
        for (int i = 0; i < n; i++) o->AddProperty(all[i].c_str(), Str("repeat"));
        // Enough names of the same chain added to the built index to double it twice.
        for (int i = n; i < n + 27; i++) {
            names.push_back(all[i]);
            slots.push_back(AddSlot(o, all[i], Str(all[i]), Fill::kPut));
        }
        ExpectFound(o, names, slots, "grown");
        // Absent names from the same chain walk all of it and find nothing.
        for (size_t i = names.size(); i < all.size(); i++)
            EXPECT_EQ(o->GetProperty(all[i].c_str()), nullptr) << all[i];
        // Rebuilt from the list, the index keeps the first slots as well.
        o->DropIndex();
        ExpectFound(o, names, slots, "rebuilt");
    }
}

TEST_F(PropertyIndex, NamesThatShareLongPrefixesOrAHashAreToldApart) {
    const std::string prefix(200, 'p');
    // Long names that differ only in their last characters.
    std::vector<std::string> names;
    for (int i = 0; i < 150; i++) names.push_back(Padded(prefix, i, 4));
    // Names that are prefixes of one another.
    std::string chain;
    for (char c = 'a'; c <= 'z'; c++) names.push_back(chain += c);
    // Names that differ only in case, in a high byte, or in a trailing
    // character; the empty name; a name with a space.
    for (const char *n : {"", "Q", "q", "q ", "Qq", "qQ", "\xe9t\xe9", "\xe9t\xe8", "x y", "x  y"})
        names.push_back(n);
    // Pairs of names with one 32-bit FNV-1a hash: equal hashes alone must not make a match.
    const char *const pairs[][2] = {
        {"costarring", "liquid"}, {"declinate", "macallums"}, {"altarage", "zinke"}, {"altarages", "zinkes"}};
    for (const auto &pair : pairs) names.push_back(pair[0]);
    // Near misses of present names, and the other name of each pair.
    std::vector<std::string> misses = {prefix, prefix + "015", prefix + "00150", prefix + "0149 ",
                                       chain + "z"};
    for (const char *miss : {"abcdefghijklmnopqrstuvwxy_", "qq", "QQ", " q", "\xe9t", "xy", "nothing"})
        misses.push_back(miss);
    for (const auto &pair : pairs) misses.push_back(pair[1]);
    for (Fill fill : kFills) {
        SCOPED_TRACE(FillName(fill));
        std::vector<JsProperty *> slots;
        std::vector<std::string> present = names;
        JsObject *o = Filled(present, fill, &slots);
        ExpectFound(o, present, slots, "mixed names");
        ASSERT_NE(o->index, nullptr);
        for (const std::string &miss : misses) {
            int32_t position = 0;
            EXPECT_EQ(o->FindSlot(miss.c_str(), &position), nullptr) << miss;
            EXPECT_EQ(o->GetProperty(miss.c_str()), nullptr) << miss;
        }
        // The other name of each pair in its own slot.
        for (const auto &pair : pairs) {
            present.push_back(pair[1]);
            slots.push_back(AddSlot(o, pair[1], Str(pair[1]), fill));
        }
        ExpectFound(o, present, slots, "both of each pair");
    }
}

TEST_F(PropertyIndex, RepeatedNamesFindTheFirstSlot) {
    // A name added again makes a second slot: look-ups never find it, enumeration visits it.
    JsObject *o = NewObject();
    const std::vector<std::string> names = Names("r", 20);
    JsString *first = Str("first"), *second = Str("second"), *third = Str("third");
    for (const std::string &name : names) o->AddProperty(name.c_str(), first);
    o->AddProperty(names[15].c_str(), second);  // before the index is built
    int32_t position = 0;
    ASSERT_NE(o->FindSlot(names[15].c_str(), &position), nullptr);
    EXPECT_EQ(position, 16);
    EXPECT_EQ(o->GetProperty(names[15].c_str()), first);
    ASSERT_NE(o->index, nullptr);
    o->AddProperty(names[3].c_str(), third);  // into the built index
    EXPECT_EQ(o->GetProperty(names[3].c_str()), first);
    EXPECT_EQ(o->DuplicatesBeforeLastFound(), 3);
    ASSERT_NE(o->FindSlot(names[3].c_str(), &position), nullptr);
    EXPECT_EQ(position, 4);
    // A new name after the repeats is found at its place in the list.
    o->AddProperty("tail", third);
    ASSERT_NE(o->FindSlot("tail", &position), nullptr);
    EXPECT_EQ(position, 23);
    EXPECT_EQ(o->GetProperty("tail"), third);
    EXPECT_EQ(o->PropertyAt(20)->value, second);
    EXPECT_EQ(o->PropertyAt(21)->value, third);
    // Assignment by name changes the first slot only.
    o->PutProperty(names[15].c_str(), third, TK_ASSIGN, 1);
    EXPECT_EQ(o->PropertyAt(15)->value, third);
    EXPECT_EQ(o->PropertyAt(20)->value, second);
    EXPECT_EQ(o->properties.Count(), 23);
    // Enumeration steps from the first slot of a name: the repeat of r00015
    // is reached from r00019, and from it the walk goes on after r00015.
    const std::vector<std::string> walk = Enumerate(o);
    std::vector<std::string> want = names;
    want.push_back(names[15]);
    ASSERT_GE(walk.size(), 21u);
    EXPECT_EQ(std::vector<std::string>(walk.begin(), walk.begin() + 21), want);
}

TEST_F(PropertyIndex, EnumerationVisitsEverySlotOnceInCreationOrder) {
    for (int n : {13, 200, 5000}) {
        SCOPED_TRACE(testing::Message() << n << " slots");
        JsObject *o = NewObject();
        // Names whose creation order is neither sorted nor hash order.
        std::vector<std::string> names;
        for (int i = 0; i < n; i++)
            names.push_back("k" + std::to_string((i * 7919) % n) + (i % 2 ? "odd" : ""));
        JsString *v = Str("v");
        for (const std::string &name : names) o->PutProperty(name.c_str(), v, TK_ASSIGN, 1);
        EXPECT_EQ(Enumerate(o), names);
        EXPECT_EQ(Take(o->LastPropertyName()), names.back());
        // A walk may begin at any slot; the last and an absent name end it.
        EXPECT_EQ(Take(o->NextPropertyName(Str(names[n / 2]))), names[n / 2 + 1]);
        EXPECT_EQ(o->NextPropertyName(Str(names.back())), g_shared.nullValue);
        EXPECT_EQ(o->NextPropertyName(Str("k" + std::to_string(n))), g_shared.nullValue);
    }
}

TEST_F(PropertyIndex, SlotsAddedDuringEnumerationAreVisitedInTheirTurn) {
    // A loop body adding a slot for each of the first names it meets: the
    // walk goes on through the grown index and reaches the new slots last.
    JsObject *o = NewObject();
    JsString *v = Str("v");
    std::vector<std::string> want = Names("e", 40), visited;
    for (const std::string &name : want) o->PutProperty(name.c_str(), v, TK_ASSIGN, 1);
    JsValue *key = nullptr;
    for (int steps = 0; steps < 200; steps++) {
        JsValue *next = o->NextPropertyName(key);
        DropIfUnowned(key);
        key = nullptr;
        if (!next || next == g_shared.nullValue) break;
        visited.push_back(next->ToText());
        if (steps < 60) {
            want.push_back(Padded("added", steps));
            o->PutProperty(want.back().c_str(), v, TK_ASSIGN, 1);
        }
        key = next;
    }
    DropIfUnowned(key);
    EXPECT_EQ(visited, want);
}

std::string VText(int i) {
    return "v" + std::to_string(i);
}

TEST_F(PropertyIndex, ReverseMovesPositionsAndKeepsNames) {
    const int n = 300;
    JsArray *a = NewArray();
    for (int i = 0; i < n; i++) ASSERT_TRUE(a->AppendElement(JsString::Make(VText(i).c_str())));
    for (int i = 0; i < n; i++) ASSERT_EQ(ElementPosition(a, i), i + 1) << i;
    ASSERT_NE(a->index, nullptr);
    a->Reverse();
    for (int i = 0; i < n; i++) {
        EXPECT_EQ(ElementText(a, i), VText(i)) << i;
        EXPECT_EQ(ElementPosition(a, i), n - i) << i;
    }
    // An element added after the reversal (and the rebuilt index) goes last.
    ASSERT_TRUE(a->AppendElement(JsString::Make("new")));
    EXPECT_EQ(ElementText(a, n), "new");
    EXPECT_EQ(ElementPosition(a, n), n + 1);
    EXPECT_EQ(ElementPosition(a, 0), n);
    EXPECT_EQ(ElementPosition(a, n - 1), 1);
    // Reversing again, then adding before any look-up.
    a->Reverse();
    ASSERT_TRUE(a->AppendElement(JsString::Make("newer")));
    a->PutProperty("label", Str("named"), TK_ASSIGN, 1);
    EXPECT_EQ(ElementPosition(a, n), 1);
    EXPECT_EQ(ElementPosition(a, n + 1), n + 2);
    EXPECT_EQ(ElementPosition(a, 0), 2);
    EXPECT_EQ(ElementPosition(a, n - 1), n + 1);
    int32_t position = 0;
    ASSERT_NE(a->FindSlot("label", &position), nullptr);
    EXPECT_EQ(position, n + 3);
    for (int i = 0; i < n; i++) EXPECT_EQ(ElementText(a, i), VText(i)) << i;
    EXPECT_EQ(ElementText(a, n + 1), "newer");
    EXPECT_EQ(Take(a->GetProperty("label")), "named");
    JsValue *length = a->GetProperty("length");
    EXPECT_EQ(length->ToInteger(), n + 2);
    DropIfUnowned(length);
    // Enumeration follows the new order.
    const std::vector<std::string> walk = Enumerate(a);
    ASSERT_EQ(walk.size(), static_cast<size_t>(n + 3));
    EXPECT_EQ(walk[0], std::to_string(n));
    EXPECT_EQ(walk[1], "0");
    EXPECT_EQ(walk[n], std::to_string(n - 1));
    EXPECT_EQ(walk[n + 1], std::to_string(n + 1));
    EXPECT_EQ(walk[n + 2], "label");
}

TEST_F(PropertyIndex, LastFoundPositionAfterReverse) {
    // One string in every element: its duplicates are the elements before it, reversed.
    const int n = 250;
    JsArray *a = NewArray();
    JsString *mark = Str("m");
    for (int i = 0; i < n; i++) ASSERT_TRUE(a->AppendElement(mark));
    ASSERT_EQ(a->GetProperty("0"), mark);
    EXPECT_EQ(a->DuplicatesBeforeLastFound(), 0);
    a->Reverse();
    for (int i = 0; i < n; i++) {
        ASSERT_EQ(a->GetProperty(std::to_string(i).c_str()), mark) << i;
        ASSERT_EQ(a->DuplicatesBeforeLastFound(), n - 1 - i) << i;
    }
    ASSERT_TRUE(a->AppendElement(mark));
    ASSERT_EQ(a->GetProperty(std::to_string(n).c_str()), mark);
    EXPECT_EQ(a->DuplicatesBeforeLastFound(), n);
}

TEST_F(PropertyIndex, SortMovesPositionsAndKeepsNames) {
    // Element i holds the number Rank(i), a permutation of 0..n-1. Numbers
    // sort as their texts (0, 1, 10, 100, ...), so the element moves to
    // the place of its text among all of them.
    const int n = 400;
    auto rank = [](int i) { return std::to_string((i * 7919) % n); };
    std::vector<std::string> texts;
    JsArray *a = NewArray();
    for (int i = 0; i < n; i++) {
        JsNumber *v = MakeNumber((i * 7919) % n);
        ASSERT_TRUE(a->AppendElement(v));
        DropIfUnowned(v);
        texts.push_back(std::to_string(i));
    }
    std::sort(texts.begin(), texts.end());
    auto place = [&texts, &rank](int i) {
        return static_cast<int32_t>(std::lower_bound(texts.begin(), texts.end(), rank(i)) - texts.begin()) +
               1;
    };
    for (int i = 0; i < n; i++) ASSERT_EQ(ElementPosition(a, i), i + 1) << i;
    ASSERT_NE(a->index, nullptr);
    a->Sort();
    const std::vector<std::string> walk = Enumerate(a);
    ASSERT_EQ(walk.size(), static_cast<size_t>(n));
    for (int i = 0; i < n; i++) {
        EXPECT_EQ(ElementText(a, i), rank(i)) << i;
        EXPECT_EQ(ElementPosition(a, i), place(i)) << i;
        EXPECT_EQ(Take(a->ValueAt(place(i) - 1)), rank(i)) << i;
        EXPECT_EQ(walk[place(i) - 1], std::to_string(i)) << i;  // the names moved with their values
    }
    // Assignment by key after sorting changes the slot of that name.
    JsString *changed = Str("changed");
    JsNumber *key = MakeNumber(7);
    EXPECT_EQ(a->PutByKey(key, changed, TK_ASSIGN, 1), changed);
    DropIfUnowned(key);
    EXPECT_EQ(a->ValueAt(place(7) - 1), changed);
    EXPECT_EQ(a->properties.Count(), n);
    // New slots after the sort are found last, and a second sort moves them.
    ASSERT_TRUE(a->AppendElement(JsString::Make("!")));
    EXPECT_EQ(ElementPosition(a, n), n + 1);
    EXPECT_EQ(ElementText(a, n), "!");
    a->Sort();
    EXPECT_EQ(ElementPosition(a, n), 1);      // "!" sorts before the digits
    EXPECT_EQ(ElementPosition(a, 7), n + 1);  // "changed" after them
    for (int i = 0; i < n; i++) {
        if (i == 7) continue;
        EXPECT_EQ(ElementPosition(a, i), place(i) + 1 - (place(i) > place(7) ? 1 : 0)) << i;
    }
}

TEST_F(PropertyIndex, WithoutMemoryForTheIndexTheListIsSearched) {
    const std::vector<std::string> names = Names("m", 40);
    std::vector<JsProperty *> slots;
    JsObject *o = Filled(names, Fill::kAdd, &slots);
    JsSetMemoryLimit(JsMemoryInUse());
    ExpectFound(o, names, slots, "bounded");
    EXPECT_EQ(o->index, nullptr);
    EXPECT_EQ(o->GetProperty("m"), nullptr);
    JsSetMemoryLimit(0);
    ExpectFound(o, names, slots, "unbounded");
    EXPECT_NE(o->index, nullptr);
}

TEST_F(PropertyIndex, AFailedGrowthLeavesEveryNameFindable) {
    // 24 slots fill 32 entries to three quarters; the 25th needs a bigger
    // table. Whatever the headroom, the new slot is either absent or found
    // with the rest, and nothing leaks.
    const std::vector<std::string> names = Names("g", 25);
    JsString *v = Str("v");
    bool sawAddedWithoutIndex = false, sawAddedWithIndex = false, sawRefused = false;
    for (size_t headroom = 0; headroom < 8192 && !sawAddedWithIndex; headroom += 4) {
        SCOPED_TRACE(testing::Message() << "headroom " << headroom);
        const size_t blocks = Blocks();
        JsObject *o = new JsObject();
        o->refs = 1;
        std::vector<JsProperty *> slots;
        for (int i = 0; i < 24; i++) slots.push_back(AddSlot(o, names[i], v, Fill::kPut));
        ASSERT_NE(o->index, nullptr);
        JsSetMemoryLimit(JsMemoryInUse() + headroom);
        JsValue *stored = o->PutProperty(names[24].c_str(), v, TK_ASSIGN, 1);
        std::vector<std::string> present(names.begin(), names.begin() + 24);
        if (stored) {
            EXPECT_EQ(stored, v);
            slots.push_back(static_cast<JsProperty *>(o->properties.Last()));
            present.push_back(names[24]);
            (o->index ? sawAddedWithIndex : sawAddedWithoutIndex) = true;
        } else {
            sawRefused = true;
        }
        ASSERT_EQ(o->properties.Count(), static_cast<int>(present.size()));
        EXPECT_EQ(o->slotCount, static_cast<int32_t>(present.size()));
        ExpectFound(o, present, slots, "still bounded");
        JsSetMemoryLimit(0);
        ExpectFound(o, present, slots, "unbounded");
        EXPECT_NE(o->index, nullptr);
        // A slot added now joins the rebuilt index at its place.
        slots.push_back(AddSlot(o, "after", v, Fill::kPut));
        present.push_back("after");
        ExpectFound(o, present, slots, "after");
        ReleaseRef(o);
        EXPECT_EQ(Blocks(), blocks);
        ASSERT_FALSE(HasFailure());
    }
    EXPECT_TRUE(sawRefused);
    EXPECT_TRUE(sawAddedWithoutIndex);
    EXPECT_TRUE(sawAddedWithIndex);
}

TEST_F(PropertyIndex, DestroyingIndexedObjectsReturnsEveryBlock) {
    // Built, grown, dropped by reordering and rebuilt: every index goes with its object.
    const size_t blocks = Blocks();
    JsArray *a = new JsArray(0);
    a->refs = 1;
    for (int i = 0; i < 1000; i++)
        ASSERT_TRUE(a->AppendElement(JsString::Make(std::to_string(i % 37).c_str())));
    ASSERT_EQ(Take(a->GetProperty("999")), std::to_string(999 % 37));
    a->Reverse();
    ASSERT_EQ(Take(a->GetProperty("998")), std::to_string(998 % 37));
    a->Sort();
    ASSERT_EQ(Take(a->GetProperty("36")), "36");
    JsString *x = JsString::Make("x");
    x->refs++;
    for (int i = 0; i < 1000; i++) a->PutProperty(("x" + std::to_string(i)).c_str(), x, TK_ASSIGN, 1);
    ASSERT_EQ(a->GetProperty("x999"), x);
    ReleaseRef(x);
    ReleaseRef(a);
    EXPECT_EQ(Blocks(), blocks);
}

}  // namespace
