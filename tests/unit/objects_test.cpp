// Values, objects and assignment: type tests, conversions, number text, the
// number pool; slots, members, prototypes, enumeration, the shared class
// objects and the name table; every path to a slot against a plain list
// of pairs; assignment into counted slots on every kind
// of value, shared or copied, in place for a sole holder, the NaN rules.
// (Comparisons, string methods, keys, argument lists, constructors, natives,
// number arithmetic and literals are checked by the script tests.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "builtins/function.h"
#include "builtins/names.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/array.h"
#include "values/convert.h"
#include "values/object.h"
#include "values/value.h"

namespace {

// Reads a fresh (count-0) result as text and releases it.
inline std::string Take(JsValue *v) {
    const std::string text = v && v->ToText() ? v->ToText() : "<none>";
    return DropIfUnowned(v), text;
}

// The names for ... in visits, each found from the one before; at most one
// step more than there are slots, so that a fault cannot loop.
inline std::vector<std::string> Enumerate(JsObject *o) {
    std::vector<std::string> names;
    JsValue *key = nullptr;
    for (int steps = o->properties.Count() + 1; steps > 0; steps--) {
        JsValue *next = o->NextPropertyName(key);
        DropIfUnowned(key);
        key = nullptr;
        if (!next || next == g_shared.nullValue) break;
        names.push_back(next->ToText());
        key = next;
    }
    DropIfUnowned(key);
    return names;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override {
        for (JsValue *v : held_) ReleaseRef(v);
        held_.clear();
        JS_Destroy();
    }
    template <typename T>
    T *Keep(T *v) {
        return v->refs++, held_.push_back(v), v;
    }
    JsObject *NewObject() { return Keep(new JsObject()); }

private:
    std::vector<JsValue *> held_;
};

class Objects : public EngineTest {
protected:
    JsString *Str(const char *text) { return Keep(JsString::Make(text)); }
    JsObject *Constructed(int id, JsObject *args) { return Keep(JsObject::MakeConstructed(NativeFunction(id), args)); }
    static JsClassObject *Shared(int k) { return static_cast<JsClassObject *>(g_shared.prototypes[k]); }
    static double Num(JsValue *v) { return v ? v->ToNumber() : -999; }
};

TEST_F(Objects, PlainObjectMembersOwnSlotsAndTheirOperators) {
    JsObject *o = NewObject(), *other = NewObject();
    EXPECT_EQ((std::vector<int>{o->IsObject(), o->HasClass(), o->ToBoolean(), o->IsHostObject(), o->IsStringObject(),
                                o->Compare(o), o->Compare(other), o->Compare(nullptr), o->IsObjectKind()}),
              (std::vector<int>{1, 0, 1, 0, 0, 0, 1, 1, 1}));
    EXPECT_TRUE(o->ToNumber() == 0.0 && o->TypeName() == g_shared.typeObject && !o->AsFunction() && !o->HostValue());
    EXPECT_STREQ(o->ToText(), "object");
    int id = 1022;
    for (const char *m : {"assign", "eval", "toString", "valueOf"}) EXPECT_EQ(o->GetProperty(m), NativeFunction(id++));
    EXPECT_TRUE(!o->GetProperty("length") && !o->GetProperty("charAt"));
    JsString *s = Str("text");
    EXPECT_EQ(o->PutProperty("a", s, TK_ASSIGN, 0), nullptr);  // no create: nothing happens
    EXPECT_EQ(o->properties.Count(), 0);
    EXPECT_EQ(o->PutProperty("a", s, TK_ASSIGN, 1), s);  // strings are shared
    EXPECT_EQ(s->refs, 2);
    JsNumber *n = MakeNumber(4), *three = Keep(MakeNumber(3)), *one = Keep(MakeNumber(1));
    JsValue *stored = o->PutProperty("b", n, TK_ASSIGN, 1);
    EXPECT_TRUE(stored && stored->ToNumber() == 4 && stored->refs == 1);  // the slot alone holds it
    DropIfUnowned(n);
    EXPECT_TRUE(o->GetProperty("a") == s && o->GetProperty("b") == stored);
    EXPECT_TRUE(!o->GetProperty("c") && !o->GetProperty("A"));  // byte-exact names
    JsValue *sum = o->PutProperty("b", three, TK_ADD_ASSIGN, 0);  // with the operator, in place
    EXPECT_TRUE(sum == stored && sum->ToNumber() == 7);
    EXPECT_EQ(o->PutProperty("a", three, TK_SUB_ASSIGN, 0), nullptr);  // failing: null, the slot kept
    EXPECT_EQ(o->GetProperty("a"), s);
    EXPECT_EQ(o->PutProperty("c", one, TK_SUB_ASSIGN, 1), nullptr);  // created, its first store failing
    EXPECT_EQ(o->GetProperty("c"), g_shared.nullValue);
    EXPECT_EQ(Enumerate(o), (std::vector<std::string>{"a", "b", "c"}));
    JsString *mine = Str("mine");  // an own slot hides a member
    o->PutProperty("toString", mine, TK_ASSIGN, 1);
    EXPECT_EQ(o->GetProperty("toString"), mine);
    // Postfix gives the old value with a count of its own and puts a new
    // number in the slot; prefix changes the slot's number in place; both
    // fail on text that is not numeric and on a missing name.
    JsValue *before = o->GetProperty("b"), *old = o->PutProperty("b", g_shared.minusOne, TK_POSTINC, 0);
    EXPECT_TRUE(old == before && old->ToNumber() == 7 && old->refs == 0);
    EXPECT_TRUE(o->GetProperty("b") != old && Num(o->GetProperty("b")) == 8);
    DropIfUnowned(old);
    old = o->PutProperty("b", g_shared.one, TK_POSTDEC, 0);
    EXPECT_TRUE(old->ToNumber() == 8 && Num(o->GetProperty("b")) == 7);
    DropIfUnowned(old);
    JsValue *slotValue = o->GetProperty("b");
    EXPECT_TRUE(o->PutProperty("b", g_shared.minusOne, TK_PREINC, 0) == slotValue && slotValue->ToNumber() == 8);
    EXPECT_TRUE(o->PutProperty("b", g_shared.one, TK_PREDEC, 0) == slotValue && slotValue->ToNumber() == 7);
    EXPECT_TRUE(g_shared.one->ToNumber() == 1.0 && g_shared.minusOne->ToNumber() == -1.0);
    EXPECT_EQ(o->PutProperty("a", g_shared.minusOne, TK_POSTINC, 0), nullptr);
    EXPECT_TRUE(s->refs == 2 && o->GetProperty("a") == s);
    EXPECT_EQ(o->PutProperty("a", g_shared.minusOne, TK_PREINC, 0), nullptr);
    EXPECT_EQ(o->PutProperty("none", g_shared.minusOne, TK_POSTINC, 0), nullptr);
}

TEST_F(Objects, EnumerationAndDuplicates) {
    JsObject *o = NewObject();
    const char *names[] = {"zeta", "alpha", "mid", "1"};
    for (const char *n : names) o->PutProperty(n, g_shared.trueValue, TK_ASSIGN, 1);
    EXPECT_EQ(Enumerate(o), std::vector<std::string>(names, names + 4));  // members never enumerated
    EXPECT_EQ(Take(o->NextPropertyName(g_shared.nullValue)), "zeta");
    EXPECT_EQ(Take(o->NextPropertyName(Str("alpha"))), "mid");
    EXPECT_EQ(o->NextPropertyName(Str("nope")), g_shared.nullValue);
    EXPECT_EQ(o->NextPropertyName(Str("1")), g_shared.nullValue);
    EXPECT_EQ(Take(o->LastPropertyName()), "1");
    JsObject *empty = NewObject();
    EXPECT_TRUE(empty->LastPropertyName() == g_shared.nullValue && empty->NextPropertyName(nullptr) == g_shared.nullValue);
    // A number key names the slot of its printed text, not of its integer.
    for (const char *n : {"1.5", "x"}) o->PutProperty(n, g_shared.trueValue, TK_ASSIGN, 1);
    EXPECT_EQ(Take(o->NextPropertyName(Keep(MakeNumber(1.5)))), "x");
    EXPECT_EQ(Take(o->NextPropertyName(Keep(MakeNumber(1)))), "1.5");
    // Duplicates of the value found before it, counted by the last look-up.
    JsObject *d = NewObject();
    JsString *same = Str("same"), *t = Str("other");
    for (const char *n : {"a", "b", "c", "d"}) d->PutProperty(n, n[0] == 'b' ? t : same, TK_ASSIGN, 1);
    const struct {
        const char *name;
        JsValue *value;
        int duplicates;
    } reads[] = {{"d", same, 2}, {"c", same, 1}, {"b", t, 0}, {"a", same, 0}, {"d", same, 2}, {"zz", nullptr, 0}};
    for (const auto &r : reads) {
        ASSERT_EQ(d->GetProperty(r.name), r.value) << r.name;
        EXPECT_EQ(d->DuplicatesBeforeLastFound(), r.duplicates) << r.name;
    }
}

TEST_F(Objects, ConstructionAndTheSharedClassObjects) {
    // A String object finds the string methods on the shared String object
    // (the prototype's valueOf first), its own slots, then the plain members.
    JsObject *so = Constructed(DURIZ_CTOR_STRING, nullptr);
    EXPECT_EQ(so->GetProperty("charAt"), NativeFunction(1030));
    EXPECT_EQ(so->GetProperty("valueOf"), NativeFunction(1046));
    EXPECT_EQ(so->GetProperty("toString"), NativeFunction(1024));
    EXPECT_TRUE(Num(so->GetProperty("length")) == 0 && so->IsStringObject() == 1);
    JsString *onPrototype = Str("on the prototype");
    Shared(3)->PutProperty("extra", onPrototype, TK_ASSIGN, 1);
    EXPECT_EQ(so->GetProperty("extra"), onPrototype);
    JsObject *oo = Constructed(DURIZ_CTOR_OBJECT, nullptr);
    EXPECT_EQ(oo->GetProperty("toString"), NativeFunction(1024));
    EXPECT_TRUE(oo->properties.Count() == 0 && !oo->internal && !oo->IsStringObject());
    EXPECT_EQ(oo->constructor, NativeFunction(DURIZ_CTOR_OBJECT));
    // The shared class objects store no members, and answer only their own.
    for (int k : {2, 3, 4, 7, 8}) {
        ASSERT_NE(Shared(k), nullptr);
        EXPECT_TRUE(Shared(k)->IsObject() == 1 && Shared(k)->IsObjectKind());
        EXPECT_STREQ(Shared(k)->ToText(), "object");
        EXPECT_EQ(Shared(k)->properties.Count(), k == 3 ? 1 : 0) << k;
        for (const char *name : {"assign", "eval", "toString"}) EXPECT_EQ(Shared(k)->GetProperty(name), nullptr);
    }
    const struct {
        int k;
        const char *name;
    } absent[] = {{7, "valueOf"}, {2, "charAt"}, {7, "charAt"}, {3, "abs"}, {4, "abs"},
                  {8, "PI"},      {4, "PI"},     {7, "MAX_VALUE"}, {7, "pi"}};
    for (const auto &a : absent) EXPECT_EQ(Shared(a.k)->GetProperty(a.name), nullptr) << a.name;
    // Assigning a member's name makes an own slot the member still hides.
    JsNumber *three = MakeNumber(3);
    ASSERT_NE(Shared(7)->PutProperty("PI", three, TK_ASSIGN, 1), nullptr);
    DropIfUnowned(three);
    EXPECT_TRUE(Shared(7)->properties.Count() == 1 && Num(Shared(7)->ValueAt(0)) == 3);
    EXPECT_STREQ(Shared(7)->PropertyAt(0)->name, "PI");
    JsValue *pi = Shared(7)->GetProperty("PI");
    EXPECT_EQ(pi->ToNumber(), 3.141592653589793);
    DropIfUnowned(pi);
    JsString *custom = Str("mine");
    Shared(7)->PutProperty("custom", custom, TK_ASSIGN, 1);
    EXPECT_EQ(Shared(7)->GetProperty("custom"), custom);
}

TEST(Names, EveryNameIsFoundByItsBytesAndNoOtherText) {
    ASSERT_EQ(DURIZ_NAME_COUNT, kBuiltinNameCount);
    for (int i = 0; i < kBuiltinNameCount; i++) {
        const char *text = NameText(i);
        ASSERT_NE(text, nullptr) << i;
        EXPECT_EQ(LookupName(text, std::strlen(text)), i) << text;
        EXPECT_EQ(LookupName((std::string(text) + "Zq").c_str(), std::strlen(text)), i) << text;
    }
    EXPECT_TRUE(!NameText(-1) && !NameText(kBuiltinNameCount));
    EXPECT_EQ(LookupName("document", 8), DURIZ_NAME_DOCUMENT);
    // Case, near misses, 18 bytes, a zero length and digits are no names;
    // nav hashes like max but is another text.
    for (std::string m : {"math", "parseint", "MATH", "Length", "e", "pi", "foo", "lengthy", "getTimezoneOffsetX",
                          "", "POSITIVE_INFINITYx", "0", "1234", "nav"})
        EXPECT_EQ(LookupName(m.c_str(), m.size()), -1) << m;
    EXPECT_EQ(LookupName("length", 0), -1);
    ASSERT_EQ(NameHash("nav", 3), NameHash("max", 3));
}

class Assign : public EngineTest {
protected:
    // A String object holding text.
    JsObject *StringObject(const char *text) {
        JsObject *args = NewObject();
        args->AddProperty("", JsString::Make(text));
        return Keep(JsObject::MakeConstructed(NativeFunction(DURIZ_CTOR_STRING), args));
    }
    static void Clear(JsValue **slot) { AssignRef(slot, nullptr); }
};

// Makes a value from its short form: a number, 'text', true, false, null,
// undefined, NaN, obj (a plain object), Sobj (a String object of "ab") or
// _ (none).
JsValue *Make(const std::string &form, JsObject *stringObject) {
    if (form == "_") return nullptr;
    if (form[0] == '\'') return JsString::Make(form.substr(1, form.size() - 2).c_str());
    if (form == "true" || form == "false") return new JsBoolean(form == "true");
    if (form == "null") return g_shared.nullValue;
    if (form == "undefined") return g_shared.undefinedValue;
    if (form == "NaN") return JsNumber::MakeNaN();
    if (form == "obj") return new JsObject();
    if (form == "Sobj") return stringObject;
    return MakeNumber(std::stod(form));
}

// Each row: "slot op value", the answer, and "type text" of what the slot
// holds afterwards ("-" for none). A failure changes nothing.
TEST_F(Assign, Table) {
    const struct {
        const char *assignment;
        int result;
        const char *after;
    } rows[] = {
        {"_ = 5", 1, "number 5"}, {"_ += 5", 0, "-"}, {"null -= 1", 0, "null null"}, {"null += 'x'", 0, "null null"},
        {"null = 1", 1, "number 1"}, {"'12' += 3", 1, "string 123"}, {"'12' -= 3", 1, "number 9"},
        {"'abc' -= 1", 0, "string abc"}, {"'a' += 1.5", 1, "string a1.5"}, {"'a' += true", 1, "string atrue"},
        {"'a' += false", 1, "string afalse"}, {"'a' += NaN", 1, "string aNaN"}, {"5 += NaN", 1, "number NaN"},
        {"5 = NaN", 1, "number NaN"}, {"NaN = 5", 1, "number NaN"}, {"NaN += 'x'", 1, "number NaN"},
        {"NaN -= obj", 1, "number NaN"}, {"true += 1", 1, "number 2"}, {"false |= 4", 1, "number 4"},
        {"5 = true", 1, "boolean true"}, {"_ = false", 1, "boolean false"}, {"4 -= true", 1, "number 3"},
        {"'6' *= true", 1, "number 6"}, {"'q' -= true", 0, "string q"}, {"undefined -= 1", 0, "undefined undefined"},
        {"obj -= 1", 0, "object object"}, {"'7' -= '2'", 1, "number 5"}, {"'7' -= 'x'", 0, "string 7"},
        {"7 *= '3'", 1, "number 21"}, {"7 += '3'", 1, "string 73"}, {"true += 'x'", 1, "string truex"},
        {"undefined += 'x'", 1, "string undefinedx"}, {"Sobj += 'x'", 1, "string abx"}, {"Sobj -= 1", 0, "object ab"},
        {"1 += obj", 0, "number 1"}, {"'s' += obj", 1, "string sobject"}, {"'s' += null", 1, "string snull"},
        {"'s' += undefined", 1, "string sundefined"}, {"Sobj += obj", 1, "string abobject"},
        {"Sobj += null", 1, "string abnull"}, {"obj += obj", 0, "object object"}, {"1 = null", 1, "null null"},
        {"1 = undefined", 1, "undefined undefined"}, {"1 -= null", 0, "number 1"}, {"1 *= obj", 0, "number 1"},
        {"'s' = obj", 1, "object object"}, {"6 /= 4", 1, "number 1.5"},
    };
    const struct {
        const char *text;
        int op;
    } ops[] = {{"=", TK_ASSIGN}, {"+=", TK_ADD_ASSIGN}, {"-=", TK_SUB_ASSIGN}, {"*=", TK_MUL_ASSIGN},
               {"/=", TK_DIV_ASSIGN}, {"|=", TK_OR_ASSIGN}};
    for (const auto &r : rows) {
        std::istringstream in(r.assignment);
        std::string current, op, value;
        in >> current >> op >> value;
        JsValue *slot = nullptr;
        AssignRef(&slot, Make(current, StringObject("ab")));
        JsValue *before = slot;
        JsValue *v = Make(value, StringObject("ab"));
        if (v) v->refs++;  // the caller's hold on the assigned value
        int code = 0;
        for (const auto &o : ops) code = op == o.text ? o.op : code;
        EXPECT_EQ(AssignToSlot(&slot, v, code), r.result) << r.assignment;
        const std::string after = slot ? std::string(slot->TypeName()->ToText()) + " " + slot->ToText() : "-";
        EXPECT_EQ(after, r.after) << r.assignment;
        EXPECT_TRUE(r.result || slot == before) << r.assignment;
        Clear(&slot);
        ReleaseRef(v);
    }
}

// A number or boolean held by the slot alone is changed in place, for =
// too; with a second holder the slot gets a value of its own.
TEST_F(Assign, InPlaceOnlyForTheSoleHolder) {
    JsValue *slot = nullptr;
    JsNumber *n = MakeNumber(10), *two = Keep(MakeNumber(2));
    AssignRef(&slot, n);
    ASSERT_EQ(AssignToSlot(&slot, two, TK_MUL_ASSIGN), 1);
    EXPECT_TRUE(slot == n && n->value == 20);
    ASSERT_EQ(AssignToSlot(&slot, two, TK_ASSIGN), 1);
    EXPECT_TRUE(slot == n && n->value == 2 && n->refs == 1);
    n->refs++;
    ASSERT_EQ(AssignToSlot(&slot, two, TK_ADD_ASSIGN), 1);
    EXPECT_NE(slot, n);
    EXPECT_TRUE(slot->ToNumber() == 4 && slot->refs == 1 && n->value == 2 && n->refs == 1);
    ReleaseRef(n);
    JsBoolean *b = new JsBoolean(1);
    AssignRef(&slot, b);
    ASSERT_EQ(AssignToSlot(&slot, g_shared.falseValue, TK_ASSIGN), 1);
    EXPECT_TRUE(slot == b && b->truth == 0 && g_shared.falseValue->truth == 0);
    b->refs++;
    ASSERT_EQ(AssignToSlot(&slot, g_shared.trueValue, TK_ASSIGN), 1);
    EXPECT_TRUE(slot != b && slot != g_shared.trueValue);  // a boolean of its own
    EXPECT_TRUE(slot->ToBoolean() == 1 && b->truth == 0 && b->refs == 1);
    ReleaseRef(b);
    // A boolean held only by the slot is replaced, not changed, by a number.
    AssignRef(&slot, new JsBoolean(1));
    JsValue *old = slot;
    old->refs++;
    JsNumber *three = MakeNumber(3);
    ASSERT_EQ(AssignToSlot(&slot, three, TK_ADD_ASSIGN), 1);
    EXPECT_TRUE(slot != old && slot->ToNumber() == 4 && static_cast<JsBoolean *>(old)->truth == 1);
    DropIfUnowned(three);
    ReleaseRef(old);
    // A slot that holds a NaN keeps the very same number through =.
    JsNumber *nan = JsNumber::MakeNaN(), *five = MakeNumber(5);
    ASSERT_EQ(AssignToSlot(&slot, nan, TK_ASSIGN), 1);
    JsValue *kept = slot;
    EXPECT_TRUE(kept != nan && kept->IsNaN() == 1);  // a NaN of its own
    ASSERT_EQ(AssignToSlot(&slot, five, TK_ASSIGN), 1);
    EXPECT_TRUE(slot == kept && kept->refs == 1);
    DropIfUnowned(five);
    DisposeValue(nan);
    Clear(&slot);
}

// Strings and objects are shared; a join makes a new string unless the
// slot alone holds it, which then grows in place.
TEST_F(Assign, StringsAndObjectsAreShared) {
    JsValue *slot = nullptr, *other = nullptr;
    JsString *s = JsString::Make("shared");
    ASSERT_EQ(AssignToSlot(&slot, s, TK_ASSIGN), 1);
    ASSERT_EQ(AssignToSlot(&other, s, TK_ASSIGN), 1);
    EXPECT_TRUE(slot == s && s->refs == 2);
    JsString *tail = JsString::Make("!");
    ASSERT_EQ(AssignToSlot(&slot, tail, TK_ADD_ASSIGN), 1);
    EXPECT_NE(slot, s);
    EXPECT_STREQ(slot->ToText(), "shared!");
    EXPECT_STREQ(s->ToText(), "shared");
    EXPECT_TRUE(s->refs == 1 && slot->refs == 1 && tail->refs == 0);
    DropIfUnowned(tail);
    JsObject *o = new JsObject();
    ASSERT_EQ(AssignToSlot(&slot, o, TK_ASSIGN), 1);
    EXPECT_TRUE(slot == o && o->refs == 1);
    Clear(&other);
    Clear(&slot);
}

// Strings made by adding to one another may share their bytes; each keeps
// its own text whatever the others do after it: grow, fork, append their
// own text, change case.
TEST_F(Assign, StringsGrownFromOneAnotherKeepTheirOwnText) {
    JsValue *slot = nullptr;
    JsString *piece = Keep(JsString::Make("cd"));
    AssignRef(&slot, JsString::Make("ab"));
    std::vector<std::pair<JsString *, std::string>> kept;
    std::string expected = "ab";
    for (int i = 0; i < 2000; i++, expected += "cd") {
        if (i % 97 == 0) kept.emplace_back(Keep(static_cast<JsString *>(slot)), expected);
        ASSERT_EQ(AssignToSlot(&slot, piece, TK_ADD_ASSIGN), 1);
    }
    EXPECT_EQ(std::string(slot->ToText()), expected);
    // Forks of one text, its own text appended, and a change of case.
    JsString *base = kept[10].first;
    JsString *x = Keep(JsString::Join(base, "X")), *y = Keep(JsString::Join(base, "Y"));
    JsString *twice = Keep(JsString::Join(base, base));
    JsString *upper = Keep(JsString::Join(base, "!"));
    upper->ChangeCase(0);
    ASSERT_TRUE(x->Append(x->ToText()));
    const std::string b = kept[10].second;
    EXPECT_EQ(std::string(y->ToText()), b + "Y");
    EXPECT_EQ(std::string(x->ToText()), b + "X" + b + "X");
    EXPECT_EQ(std::string(twice->ToText()), b + b);
    EXPECT_EQ(std::string(upper->ToText()).substr(0, 4), "ABCD");
    EXPECT_EQ(upper->Length(), static_cast<int32_t>(b.size() + 1));
    for (auto &k : kept) {
        EXPECT_EQ(std::string(k.first->ToText()), k.second);
        EXPECT_EQ(k.first->Length(), static_cast<int32_t>(k.second.size()));
    }
    EXPECT_EQ(std::string(slot->ToText()), expected);
    // With no memory for its own copy, a string grown past reads on into
    // the bytes of the one grown from it, and gets its copy once it can.
    const std::string own = std::string(100, 'x') + "y";
    JsString *start = Keep(JsString::Make(own.c_str(), 100));
    JsString *last = Keep(JsString::Join(start, "y")), *tip = Keep(JsString::Join(last, "tail"));
    JsSetMemoryLimit(JsMemoryInUse());
    EXPECT_EQ(std::string(last->ToText()), own + "tail");
    JsSetMemoryLimit(0);
    tip->ChangeCase(0);  // on bytes that last still shares
    EXPECT_EQ(std::string(last->ToText()), own);
    EXPECT_EQ(std::string(tip->ToText()).substr(99), "XYTAIL");
    // A text the host holds is not written on by an addition made later.
    JsString *shown = Keep(JsString::Join(Keep(JsString::Make(own.c_str())), "z"));
    const char *held = JS_GetStringValue(shown);
    JsString *longer = Keep(JsString::Join(shown, "more"));
    EXPECT_EQ(std::string(held), own + "z");
    EXPECT_EQ(std::string(longer->ToText()), own + "zmore");
    Clear(&slot);
}

TEST_F(Assign, ReplacedValuesLoseTheirReferenceAndNullRefusesEveryOperator) {
    JsValue *slot = nullptr;
    JsNumber *seven = MakeNumber(7);
    AssignToSlot(&slot, seven, TK_ASSIGN);
    DropIfUnowned(seven);
    JsValue *held = slot;
    const int pooled = NumberPoolCount();
    JsString *s = JsString::Make("text");
    ASSERT_EQ(AssignToSlot(&slot, s, TK_ASSIGN), 1);
    EXPECT_EQ(NumberPoolCount(), pooled + 1);  // the number went back to the pool
    EXPECT_EQ(MakeNumber(0), held);
    DropIfUnowned(held);
    // A number stored over a shared string leaves it to its other holder.
    s->refs++;
    JsNumber *one = MakeNumber(1);
    ASSERT_EQ(AssignToSlot(&slot, one, TK_ASSIGN), 1);
    EXPECT_TRUE(s->refs == 1 && slot->ToNumber() == 1);
    DropIfUnowned(one);
    ReleaseRef(s);
    AssignRef(&slot, g_shared.nullValue);
    const int refs = g_shared.nullValue->refs;
    JsString *x = JsString::Make("x");
    for (int op : {TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_DIV_ASSIGN, TK_MUL_ASSIGN, TK_AND_ASSIGN, TK_OR_ASSIGN,
                   TK_XOR_ASSIGN, TK_SHL_ASSIGN, TK_SHR_ASSIGN}) {
        EXPECT_EQ(AssignToSlot(&slot, x, op), 0) << op;
        EXPECT_EQ(slot, g_shared.nullValue);
    }
    EXPECT_TRUE(g_shared.nullValue->refs == refs && x->refs == 0);
    DropIfUnowned(x);
    Clear(&slot);
}

class Values : public EngineTest {
protected:
    JsNumber *Num(double d) { return Keep(MakeNumber(d)); }
    JsString *Str(const char *text) { return Keep(JsString::Make(text)); }
    JsBoolean *Bool(int truth) { return Keep(new JsBoolean(truth)); }
    static std::string Text(JsValue *v) { return v ? v->ToText() : "<none>"; }
};

TEST_F(Values, NumberTextIsPercent16g) {
    // Exponent form from 1e16 and below 1e-4; whole numbers take a shorter
    // way to their digits, with the same text.
    std::vector<double> values = {1, 0.1, 1.0 / 3, 0, -2.5, 123456789012345678.0, 1e-5, 1e16, 1e15, 0.0001,
                                  DBL_MAX, -DBL_MAX, -DBL_MIN, -1e15 + 1, 1e15 - 1, 999999999999999.0,
                                  -999999999999999.0, 2147483648.0, -2147483649.0, 4294967296.0, 9007199254740.0,
                                  -1, 10, 100, -100000};
    for (double v = 1; v < 1e15; v = v * 7 + 3) values.push_back(v), values.push_back(-v);
    for (double v : values) {
        char want[64];
        std::snprintf(want, sizeof want, "%.16g", v);
        EXPECT_EQ(Text(Num(v)), want) << v;
    }
    EXPECT_EQ(Text(Num(-0.0)), "-0");
    char text[24];
    EXPECT_EQ(IntegerText(INT64_MIN, text), 20u);
    EXPECT_STREQ(text, "-9223372036854775808");
    EXPECT_EQ(IntegerText(0, text), 1u);
    EXPECT_STREQ(text, "0");
    // All number texts share one buffer: the next overwrites the last.
    const char *first = Num(1.5)->ToText();
    EXPECT_STREQ(first, "1.5");
    EXPECT_EQ(Num(-7)->ToText(), first);
    EXPECT_EQ(first, g_numberText);
    EXPECT_STREQ(first, "-7");
}

// A value's answers in one line: the type tests (string, number, boolean,
// null, undefined, numeric, NaN), its type name, text, number, truth word
// and integer view.
std::string Answers(JsValue *v) {
    std::ostringstream out;
    out << v->IsString() << v->IsNumber() << v->IsBoolean() << v->IsNull() << v->IsUndefined() << v->IsNumeric()
        << v->IsNaN() << " " << v->TypeName()->ToText() << " " << v->ToText() << " " << v->ToNumber() << " "
        << v->ToBoolean() << " " << v->ToInteger();
    EXPECT_EQ(v->IsObject() + v->HasClass() + v->IsFunction() + v->Flags() + v->IsObjectKind(), 0) << out.str();
    EXPECT_EQ(v->AsFunction(), nullptr);
    return out.str();
}

TEST_F(Values, TypeTestsTypeNamesAndConversions) {
    const struct {
        JsValue *v;
        JsString *type;
        const char *answers;  // booleans keep their truth word and have no integer view
    } rows[] = {
        {Num(3), g_shared.typeNumber, "0100010 number 3 3 1 3"},
        {Str("x"), g_shared.typeString, "1000000 string x 0 1 0"},
        {Bool(1), g_shared.typeBoolean, "0010010 boolean true 1 1 0"},
        {Bool(0), g_shared.typeBoolean, "0010010 boolean false 0 0 0"},
        {Bool(2), g_shared.typeBoolean, "0010010 boolean true 1 2 0"},
        {g_shared.nullValue, g_shared.typeNull, "0001010 null null 0 0 0"},
        {g_shared.undefinedValue, g_shared.typeUndefined, "0000100 undefined undefined 0 0 0"},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(Answers(r.v), r.answers);
        EXPECT_EQ(r.v->TypeName(), r.type) << r.answers;
    }
    // The NaN flag: false, and printed NaN whatever value it holds.
    JsNumber *n = Keep(JsNumber::MakeNaN());
    EXPECT_EQ(n->value, 0.0);
    EXPECT_EQ(n->IsNaN() + n->IsNumber(), 2);
    EXPECT_EQ(n->ToBoolean(), 0);
    n->value = 42;
    EXPECT_STREQ(n->ToText(), "NaN");
    // An IEEE NaN from arithmetic is no flagged NaN, and not 0.0, so true.
    JsNumber *ieee = Num(std::nan(""));
    EXPECT_EQ(ieee->ToBoolean(), 1);
    EXPECT_EQ(ieee->IsNaN(), 0);
    EXPECT_EQ(NumberPoolCount(), 0);  // nothing pooled by a fresh engine
}

// Released numbers are pooled (up to 256; other values are destroyed) and
// come back last first, with no count, flags or NaN flag left over.
TEST_F(Values, PoolReusesLastReleasedFirst) {
    DisposeValue(JsString::Make("gone"));
    DisposeValue(new JsBoolean(1));
    DisposeValue(nullptr);
    ASSERT_EQ(NumberPoolCount(), 0);
    std::vector<JsNumber *> numbers;
    for (int i = 0; i < 257; i++) numbers.push_back(new JsNumber(i));
    numbers[255]->nan = 1, numbers[255]->refs = 5, numbers[255]->flags = 0x77;
    for (int i = 0; i < 257; i++) DisposeValue(numbers[static_cast<size_t>(i)]);
    EXPECT_EQ(NumberPoolCount(), 256);
    JsNumber *first = MakeNumber(-2.25);
    ASSERT_EQ(first, numbers[255]);
    EXPECT_EQ(NumberPoolCount(), 255);
    EXPECT_EQ(first->refs + first->Flags() + first->nan + first->IsNaN(), 0);
    EXPECT_STREQ(first->ToText(), "-2.25");
    JsNumber *second = MakeNumber(8);
    EXPECT_EQ(second, numbers[254]);
    DisposeValue(second);
    EXPECT_EQ(MakeNumber(9), numbers[254]);  // back on top
    DisposeValue(numbers[254]);
    // A number a slot lets go of goes back to the pool.
    JsValue *slot = nullptr;
    AssignRef(&slot, first);
    AssignRef(&slot, first);  // the same value: still one hold
    EXPECT_EQ(first->refs, 1);
    AssignRef(&slot, nullptr);
    EXPECT_TRUE(slot == nullptr && NumberPoolCount() == 256);
}

TEST(IntegerView, TruncatesModulo2To32AndGivesZeroForNonFinite) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double d;
        int32_t view;
    } cases[] = {
        {std::nan(""), 0}, {inf, 0}, {-inf, 0}, {1e300, 0},  // a multiple of 2^32
        {4294967296.0 * 3 + 5, 5}, {-4294967296.0 * 7 - 2, -2},
        {9007199254740993.0, 0},                // 2^53 + 1 rounds to 2^53
        {18446744073709551616.0 + 4096.0, 4096},  // beyond 64 bits
        {-0.9, 0}, {2147483648.5, INT32_MIN}, {-2147483649.0, INT32_MAX},
    };
    for (const auto &c : cases) EXPECT_EQ(IntegerView(c.d), c.view) << c.d;
}

// Every way of reaching a slot answers what one plain list of (name, value)
// pairs says: the search of a few slots, the index of many, a node's
// remembered slot, an array's table of elements by number and its dense
// row. Random stores, duplicate additions, number keys, reversals and sorts
// run on plain objects, script arrays and argument lists; every read and
// every enumeration is checked against the list.
struct SlotList {
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
        sites_.push_back(JsToken::Make(TK_IDENT, name.c_str(), static_cast<ptrdiff_t>(name.size())));
        return sites_.back();
    }
    // One name by every path: by name (and its position), twice at a node
    // (the second read takes the remembered slot), and by number key for an
    // element name. In an argument list a digit name selects by position.
    void ExpectName(JsObject *o, const SlotList &want, const std::string &name, JsToken *site) {
        SCOPED_TRACE("name " + name);
        int at = want.Find(name);
        const bool digits = name.find_first_not_of("0123456789") == std::string::npos;
        if (o->argumentList && digits) {
            const size_t n = std::stoul(name);
            at = n < want.list.size() ? static_cast<int>(n) : -1;
        }
        const std::string expected = at >= 0 ? want.list[static_cast<size_t>(at)].second : "<none>";
        g_lastFoundPosition = -1;
        EXPECT_EQ(Take(o->GetProperty(name.c_str())), expected);
        if (at >= 0 && !(o->argumentList && digits)) {
            EXPECT_EQ(g_lastFoundPosition, at + 1);
        }
        for (int round = 0; round < 2; round++) EXPECT_EQ(Take(o->GetPropertyAt(site)), expected) << "at the node";
        if (digits && (name == "0" || name[0] != '0')) {
            JsNumber *key = MakeNumber(std::stod(name));
            EXPECT_EQ(Take(o->GetByKey(key)), expected) << "by number";
            DropIfUnowned(key);
        }
    }
    // for ... in goes from each name to the slot after the first of that name.
    static void ExpectEnumeration(JsObject *o, const SlotList &want) {
        std::vector<std::string> expected;
        for (size_t i = 0; i < want.list.size() && expected.size() <= want.list.size();) {
            expected.push_back(want.list[i].first);
            i = static_cast<size_t>(want.Find(want.list[i].first)) + 1;
        }
        EXPECT_EQ(Enumerate(o), expected);
    }

private:
    std::vector<JsToken *> sites_;
};

TEST_F(Lookups, EveryPathAnswersAsTheListOfSlots) {
    // Names no built-in member answers: short ones, digits that name
    // elements (and "007", which names none), long ones sharing a prefix.
    std::vector<std::string> names;
    for (int i = 0; i < 30; i++) names.push_back("q" + std::to_string(i));
    for (int i = 0; i < 24; i++) names.push_back(std::to_string(i));
    names.push_back("007");
    for (int i = 0; i < 6; i++) names.push_back("a_rather_long_shared_prefix_" + std::to_string(i));
    std::vector<JsToken *> sites;
    for (const std::string &name : names) sites.push_back(Site(name));
    for (unsigned seed = 1; seed <= 12; seed++) {
        for (int kind = 0; kind < 3; kind++) {
            // A plain object, a script array (dense at first), an argument list.
            JsObject *o = kind == 0 ? NewObject() : kind == 1 ? Keep(JsArray::MakeDense()) : Keep(new JsArray(1));
            SlotList want;
            std::mt19937 random(seed * 7 + static_cast<unsigned>(kind));
            for (int step = 0; step < 300; step++) {
                SCOPED_TRACE("seed " + std::to_string(seed) + ", kind " + std::to_string(kind) + ", step " +
                             std::to_string(step));
                // Few names at first, the digits, so that elements 0, 1, 2 ...
                // come in order and arrays stay dense a while; all of them later.
                const size_t n = random() % (step < 60 ? 8 : names.size());
                const size_t pick = (step < 60 ? 30 + n : n) % names.size();
                const std::string &name = names[pick];
                JsValue *value = random() % 2 ? static_cast<JsValue *>(MakeNumber(static_cast<double>(random() % 1000)))
                                              : JsString::Make(("v" + std::to_string(step)).c_str());
                const std::string text = value->ToText();
                switch (random() % 8) {
                case 0:
                case 1: o->PutProperty(name.c_str(), value, TK_ASSIGN, 1), want.Put(name, text); break;
                case 2: o->PutPropertyAt(sites[pick], value, TK_ASSIGN, 1), want.Put(name, text); break;
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
                        std::stable_sort(want.list.begin(), want.list.end(), [](const auto &a, const auto &b) {
                            return std::strcmp(a.second.c_str(), b.second.c_str()) < 0;
                        });
                    }
                    break;
                default: break;
                }
                DropIfUnowned(value);
                for (int k = 0; k < 3; k++) {
                    const size_t look = random() % names.size();
                    ExpectName(o, want, names[look], sites[look]);
                }
                if (step % 50 == 49) ExpectEnumeration(o, want);
                if (HasFailure()) return;
            }
            for (size_t look = 0; look < names.size(); look++) ExpectName(o, want, names[look], sites[look]);
        }
    }
}

}  // namespace
