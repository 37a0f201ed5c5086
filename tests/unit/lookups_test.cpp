// Every way of reaching an object's slot answers what one plain list of
// (name, value) pairs says: the search of a few slots, the index of many,
// a node's remembered slot, an array's table of elements by number and its
// dense row of values. Random sequences of stores, duplicate additions,
// number keys, reversals and sorts are run on plain objects, script arrays
// and argument lists, and every read is checked against the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "compiler/token.h"
#include "engine_fixture.h"
#include "values/array.h"
#include "values/object.h"

namespace {

struct Slots {
    std::vector<std::pair<std::string, std::string>> list;
    int Find(const std::string &name) const {
        for (size_t i = 0; i < list.size(); i++)
            if (list[i].first == name) return static_cast<int>(i);
        return -1;
    }
    void Put(const std::string &name, const std::string &value) {
        const int i = Find(name);
        if (i >= 0) list[static_cast<size_t>(i)].second = value;
        else list.push_back({name, value});
    }
};

class Lookups : public EngineTest {
protected:
    void TearDown() override {
        for (JsToken *site : sites_) delete site;
        EngineTest::TearDown();
    }
    JsToken *Site(const std::string &name) {
        JsToken *site = JsToken::Make(TK_IDENT, name.c_str(), static_cast<ptrdiff_t>(name.size()));
        sites_.push_back(site);
        return site;
    }
    std::vector<JsToken *> sites_;
};

// Names that no built-in member answers: short ones, digits that name
// elements (and "007", which names none), and long ones sharing a prefix.
std::vector<std::string> NamePool() {
    std::vector<std::string> names;
    for (int i = 0; i < 30; i++) names.push_back("q" + std::to_string(i));
    for (int i = 0; i < 24; i++) names.push_back(std::to_string(i));
    names.push_back("007");
    for (int i = 0; i < 6; i++) names.push_back("a_rather_long_shared_prefix_" + std::to_string(i));
    return names;
}

std::string Text(JsValue *v) {
    std::string text = v && v->ToText() ? v->ToText() : "<none>";
    DropIfUnowned(v);
    return text;
}

bool IsElementName(const std::string &name) {
    return !name.empty() && name.find_first_not_of("0123456789") == std::string::npos && (name == "0" || name[0] != '0');
}

// Checks one name by every path: by name, twice at a node (the second
// read takes the remembered slot), and by number key for a digit name. In
// an argument list a digit name selects by position.
void ExpectName(JsObject *o, const Slots &want, const std::string &name, JsToken *site, const std::string &trace) {
    SCOPED_TRACE(trace + ", name " + name);
    int at = want.Find(name);
    const bool byPosition = o->argumentList && name.find_first_not_of("0123456789") == std::string::npos;
    if (byPosition) {
        const size_t n = std::stoul(name);
        at = n < want.list.size() ? static_cast<int>(n) : -1;
    }
    const std::string expected = at >= 0 ? want.list[static_cast<size_t>(at)].second : "<none>";
    g_lastFoundPosition = -1;
    EXPECT_EQ(Text(o->GetProperty(name.c_str())), expected);
    if (at >= 0 && !byPosition) {
        EXPECT_EQ(g_lastFoundPosition, at + 1);
    }
    for (int round = 0; round < 2; round++) EXPECT_EQ(Text(o->GetPropertyAt(site)), expected) << "at the node";
    if (IsElementName(name)) {
        JsNumber *key = MakeNumber(std::stod(name));
        EXPECT_EQ(Text(o->GetByKey(key)), expected) << "by number";
        DropIfUnowned(key);
    }
}

// for ... in: from each name, the slot after the first one of that name.
void ExpectEnumeration(JsObject *o, const Slots &want, const std::string &trace) {
    std::vector<std::string> expected, got;
    for (size_t i = 0; i < want.list.size() && expected.size() <= want.list.size();) {
        expected.push_back(want.list[i].first);
        i = static_cast<size_t>(want.Find(want.list[i].first)) + 1;
    }
    JsValue *key = nullptr;
    for (size_t steps = 0; steps <= want.list.size(); steps++) {
        JsValue *next = o->NextPropertyName(key);
        DropIfUnowned(key);
        key = nullptr;
        if (!next || next->IsNull()) break;
        got.push_back(next->ToText());
        key = next;
    }
    DropIfUnowned(key);
    EXPECT_EQ(got, expected) << trace;
}

TEST_F(Lookups, EveryPathAnswersAsTheListOfSlots) {
    const std::vector<std::string> names = NamePool();
    std::vector<JsToken *> sites;
    for (const std::string &name : names) sites.push_back(Site(name));
    for (unsigned seed = 1; seed <= 12; seed++) {
        for (int kind = 0; kind < 3; kind++) {
            // A plain object, a script array (dense at first), an argument list.
            JsObject *o = kind == 0 ? NewObject() : kind == 1 ? Keep(JsArray::MakeDense()) : Keep(new JsArray(1));
            Slots want;
            std::mt19937 random(seed * 7 + static_cast<unsigned>(kind));
            // Few names at first, so that elements 0, 1, 2 ... come in order
            // and arrays stay dense a while; all of them later.
            for (int step = 0; step < 300; step++) {
                const size_t spread = step < 60 ? 8 : names.size();
                const size_t n = random() % spread;
                const size_t pick = step < 60 ? 30 + n : n;  // the digits first
                const std::string &name = names[pick % names.size()];
                const std::string trace = "seed " + std::to_string(seed) + ", kind " + std::to_string(kind) +
                                          ", step " + std::to_string(step);
                JsValue *value = random() % 2 ? static_cast<JsValue *>(MakeNumber(static_cast<double>(random() % 1000)))
                                              : JsString::Make(("v" + std::to_string(step)).c_str());
                const std::string text = value->ToText();
                const unsigned op = random() % 8; if (getenv("LOG") && seed == 1 && kind == 1) fprintf(stderr, "op %u ", op);
                switch (op) {
                case 0:
                case 1: o->PutProperty(name.c_str(), value, TK_ASSIGN, 1), want.Put(name, text); break;
                case 2: o->PutPropertyAt(sites[pick % names.size()], value, TK_ASSIGN, 1), want.Put(name, text); break;
                case 3: o->AddProperty(name.c_str(), value), want.list.push_back({name, text}); break;
                case 4: {
                    JsNumber *key = MakeNumber(static_cast<double>(random() % 24) + (random() % 2 ? 0.5 : 0.0));
                    o->PutByKey(key, value, TK_ASSIGN, 1);
                    want.Put(std::to_string(key->ToInteger()), text);
                    DropIfUnowned(key);
                    break;
                }
                case 5:
                    if (kind > 0 && random() % 4 == 0) {
                        static_cast<JsArray *>(o)->Reverse();
                        std::reverse(want.list.begin(), want.list.end());
                    }
                    break;
                case 6:
                    if (kind > 0 && random() % 4 == 0) {
                        static_cast<JsArray *>(o)->Sort();
                        std::stable_sort(want.list.begin(), want.list.end(),
                                         [](const auto &a, const auto &b) { return std::strcmp(a.second.c_str(), b.second.c_str()) < 0; });
                    }
                    break;
                default: break;
                }
                DropIfUnowned(value);
                if (getenv("LOG") && seed == 1 && kind == 1) { fprintf(stderr, "step %d op name %s text %s ->", step, name.c_str(), text.c_str()); for (auto &p : want.list) fprintf(stderr, " %s=%s", p.first.c_str(), p.second.c_str()); fprintf(stderr, "\n"); }
                for (int k = 0; k < 3; k++) {
                    const size_t look = random() % names.size();
                    ExpectName(o, want, names[look], sites[look], trace);
                }
                if (step % 50 == 49) ExpectEnumeration(o, want, trace);
                if (HasFailure()) return;
            }
            for (size_t look = 0; look < names.size(); look++) ExpectName(o, want, names[look], sites[look], "at the end");
        }
    }
}

}  // namespace
