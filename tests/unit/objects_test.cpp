// Objects: property slots, look-up through own slots, the constructor's
// prototype and the built-in members, assignment into slots, enumeration,
// construction by the built-in constructors and the shared class objects'
// member tables.
#include <gtest/gtest.h>

#include "engine_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "builtins/function.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/object.h"

namespace {

class Objects : public EngineTest {
protected:
    JsString *Str(const char *text) { return Keep(JsString::Make(text)); }
    // An argument list holding the given values in order.
    JsObject *Args(std::initializer_list<JsValue *> values) {
        JsObject *args = NewObject();
        for (JsValue *v : values) args->AddProperty("", v);
        return args;
    }
    JsObject *Constructed(int id, JsObject *args) {
        return Keep(JsObject::MakeConstructed(NativeFunction(id), args));
    }
    static JsClassObject *Shared(int classNumber) {
        return static_cast<JsClassObject *>(g_shared.prototypes[classNumber]);
    }
};

TEST_F(Objects, PlainObjectAnswersAndMembers) {
    JsObject *o = NewObject(), *other = NewObject();
    EXPECT_EQ(o->IsObject(), 1);
    EXPECT_TRUE(o->IsObjectKind());
    EXPECT_EQ(o->HasClass(), 0);
    EXPECT_EQ(o->ToBoolean(), 1);
    EXPECT_EQ(o->ToNumber(), 0.0);
    EXPECT_EQ(o->TypeName(), g_shared.typeObject);
    EXPECT_STREQ(o->ToText(), "object");
    EXPECT_EQ(o->Compare(o), 0);
    EXPECT_EQ(o->Compare(other), 1);
    EXPECT_EQ(o->Compare(nullptr), 1);
    EXPECT_EQ(o->AsFunction(), nullptr);
    EXPECT_EQ(o->IsHostObject(), 0);
    EXPECT_EQ(o->HostValue(), nullptr);
    EXPECT_EQ(o->IsStringObject(), 0);
    const struct {
        const char *name;
        int id;
    } members[] = {{"assign", 1022}, {"eval", 1023}, {"toString", 1024}, {"valueOf", 1025}};
    for (const auto &m : members) EXPECT_EQ(o->GetProperty(m.name), NativeFunction(m.id)) << m.name;
    EXPECT_EQ(o->GetProperty("length"), nullptr);
    EXPECT_EQ(o->GetProperty("charAt"), nullptr);
    // An own slot hides a member.
    JsString *mine = Str("mine");
    o->PutProperty("toString", mine, TK_ASSIGN, 1);
    EXPECT_EQ(o->GetProperty("toString"), mine);
}

TEST_F(Objects, NewSlotHoldsNullUntilAssigned) {
    const int nullRefs = g_shared.nullValue->refs;
    JsProperty *slot = JsProperty::Make("p");
    ASSERT_NE(slot, nullptr);
    EXPECT_STREQ(slot->name, "p");
    EXPECT_EQ(slot->value, g_shared.nullValue);
    EXPECT_EQ(g_shared.nullValue->refs, nullRefs + 1);
    delete slot;
    EXPECT_EQ(g_shared.nullValue->refs, nullRefs);
}

TEST_F(Objects, PutAndGetOwnProperties) {
    JsObject *o = NewObject();
    JsString *s = Str("text");
    EXPECT_EQ(o->PutProperty("a", s, TK_ASSIGN, 0), nullptr);  // no create: nothing happens
    EXPECT_EQ(o->properties.Count(), 0);
    EXPECT_EQ(o->PutProperty("a", s, TK_ASSIGN, 1), s);  // strings are shared
    EXPECT_EQ(s->refs, 2);
    JsNumber *n = MakeNumber(4);
    JsValue *stored = o->PutProperty("b", n, TK_ASSIGN, 1);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->ToNumber(), 4);
    EXPECT_EQ(stored->refs, 1);  // the slot alone holds it
    DropIfUnowned(n);
    EXPECT_EQ(o->GetProperty("a"), s);
    EXPECT_EQ(o->GetProperty("b"), stored);
    EXPECT_EQ(o->GetProperty("c"), nullptr);
    EXPECT_EQ(o->GetProperty("A"), nullptr);  // byte-exact names
    // An existing slot is assigned into with the operator.
    JsNumber *three = MakeNumber(3);
    JsValue *sum = o->PutProperty("b", three, TK_ADD_ASSIGN, 0);
    EXPECT_EQ(sum, stored);  // its only holder: changed in place
    EXPECT_EQ(sum->ToNumber(), 7);
    // A failing operator gives null and leaves the slot.
    EXPECT_EQ(o->PutProperty("a", three, TK_SUB_ASSIGN, 0), nullptr);
    EXPECT_EQ(o->GetProperty("a"), s);
    DropIfUnowned(three);
    // A created slot whose first assignment fails stays, holding null.
    JsNumber *one = MakeNumber(1);
    EXPECT_EQ(o->PutProperty("c", one, TK_SUB_ASSIGN, 1), nullptr);
    EXPECT_EQ(o->GetProperty("c"), g_shared.nullValue);
    DropIfUnowned(one);
    std::vector<std::string> order = {"a", "b", "c"};
    EXPECT_EQ(Enumerate(o), order);
}

TEST_F(Objects, IncrementAndDecrementCodes) {
    JsObject *o = NewObject();
    JsNumber *five = MakeNumber(5);
    o->PutProperty("x", five, TK_ASSIGN, 1);
    DropIfUnowned(five);
    JsValue *before = o->GetProperty("x");
    // Postfix: the old value comes back with its own count, the slot gets a
    // new number.
    JsValue *old = o->PutProperty("x", g_shared.minusOne, TK_POSTINC, 0);
    EXPECT_EQ(old, before);
    EXPECT_EQ(old->ToNumber(), 5);
    EXPECT_EQ(old->refs, 0);
    EXPECT_NE(o->GetProperty("x"), old);
    EXPECT_EQ(o->GetProperty("x")->ToNumber(), 6);
    DropIfUnowned(old);
    old = o->PutProperty("x", g_shared.one, TK_POSTDEC, 0);
    EXPECT_EQ(old->ToNumber(), 6);
    EXPECT_EQ(o->GetProperty("x")->ToNumber(), 5);
    DropIfUnowned(old);
    // Prefix: the slot's new value, changed in place.
    JsValue *slotValue = o->GetProperty("x");
    EXPECT_EQ(o->PutProperty("x", g_shared.minusOne, TK_PREINC, 0), slotValue);
    EXPECT_EQ(slotValue->ToNumber(), 6);
    EXPECT_EQ(o->PutProperty("x", g_shared.one, TK_PREDEC, 0), slotValue);
    EXPECT_EQ(slotValue->ToNumber(), 5);
    EXPECT_EQ(g_shared.one->ToNumber(), 1.0);
    EXPECT_EQ(g_shared.minusOne->ToNumber(), -1.0);
    // On a value that is not numeric, postfix fails and keeps the count.
    JsString *word = Str("abc");
    o->PutProperty("w", word, TK_ASSIGN, 1);
    EXPECT_EQ(word->refs, 2);
    EXPECT_EQ(o->PutProperty("w", g_shared.minusOne, TK_POSTINC, 0), nullptr);
    EXPECT_EQ(word->refs, 2);
    EXPECT_EQ(o->GetProperty("w"), word);
    EXPECT_EQ(o->PutProperty("w", g_shared.minusOne, TK_PREINC, 0), nullptr);
    // On a missing name without create: null.
    EXPECT_EQ(o->PutProperty("none", g_shared.minusOne, TK_POSTINC, 0), nullptr);
}

TEST_F(Objects, EnumerationInCreationOrder) {
    JsObject *o = NewObject();
    const char *names[] = {"zeta", "alpha", "mid", "1"};
    for (const char *n : names) o->PutProperty(n, g_shared.trueValue, TK_ASSIGN, 1);
    EXPECT_EQ(Enumerate(o), std::vector<std::string>(names, names + 4));
    EXPECT_EQ(Take(o->NextPropertyName(g_shared.nullValue)), "zeta");
    JsString *alpha = Str("alpha"), *missing = Str("nope");
    EXPECT_EQ(Take(o->NextPropertyName(alpha)), "mid");
    EXPECT_EQ(o->NextPropertyName(missing), g_shared.nullValue);
    JsString *last = Str("1");
    EXPECT_EQ(o->NextPropertyName(last), g_shared.nullValue);
    EXPECT_EQ(Take(o->LastPropertyName()), "1");
    JsObject *empty = NewObject();
    EXPECT_EQ(empty->LastPropertyName(), g_shared.nullValue);
    EXPECT_EQ(empty->NextPropertyName(nullptr), g_shared.nullValue);
    // Built-in members are never enumerated.
    EXPECT_NE(o->GetProperty("toString"), nullptr);
    EXPECT_EQ(Enumerate(o).size(), 4u);
    // A number key names the slot of its printed text, not of its integer.
    for (const char *n : {"1.5", "x"}) o->PutProperty(n, g_shared.trueValue, TK_ASSIGN, 1);
    JsNumber *key = Keep(MakeNumber(1.5)), *one = Keep(MakeNumber(1));
    EXPECT_EQ(Take(o->NextPropertyName(key)), "x");
    EXPECT_EQ(Take(o->NextPropertyName(one)), "1.5");
}

TEST_F(Objects, KeysAsPropertyNames) {
    JsObject *o = NewObject();
    JsNumber *v = MakeNumber(10);
    const struct {
        double key;
        const char *name;
    } numeric[] = {{1.9, "1"}, {-0.5, "0"}, {-2.5, "-2"}, {3, "3"}, {4294967298.0, "2"}};
    for (const auto &k : numeric) {
        JsNumber *key = MakeNumber(k.key);
        ASSERT_NE(o->PutByKey(key, v, TK_ASSIGN, 1), nullptr) << k.key;
        EXPECT_STREQ(static_cast<JsProperty *>(o->properties.Last())->name, k.name) << k.key;
        EXPECT_NE(o->GetByKey(key), nullptr);
        EXPECT_EQ(o->GetByKey(key), o->GetProperty(k.name));
        DropIfUnowned(key);
    }
    JsString *text = Str("word");
    o->PutByKey(text, v, TK_ASSIGN, 1);
    EXPECT_EQ(o->GetByKey(text), o->GetProperty("word"));
    o->PutByKey(g_shared.trueValue, v, TK_ASSIGN, 1);
    EXPECT_NE(o->GetProperty("true"), nullptr);
    o->PutByKey(g_shared.nullValue, v, TK_ASSIGN, 1);
    EXPECT_NE(o->GetProperty("null"), nullptr);
    // Without create a missing key assigns nothing.
    JsString *absent = Str("absent");
    EXPECT_EQ(o->PutByKey(absent, v, TK_ASSIGN, 0), nullptr);
    EXPECT_EQ(o->GetProperty("absent"), nullptr);
    // The slots may share the number: a change through one leaves the others.
    JsValue *changed = o->PutProperty("3", g_shared.one, TK_ADD_ASSIGN, 0);
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(changed->ToNumber(), 11);
    EXPECT_EQ(o->GetProperty("2")->ToNumber(), 10);
    EXPECT_EQ(v->ToNumber(), 10);
    DropIfUnowned(v);
}

TEST_F(Objects, PositionsAndArguments) {
    JsString *a = Str("a"), *b = Str("b"), *c = Str("c");
    JsObject *args = Args({a, b, c}), *empty = NewObject();
    EXPECT_STREQ(args->PropertyAt(0)->name, "");
    EXPECT_EQ(args->PropertyAt(2)->value, c);
    EXPECT_EQ(args->PropertyAt(3), nullptr);
    EXPECT_EQ(empty->PropertyAt(0), nullptr);
    // Values count from 0, arguments from 1 (and anything below 1 is the first).
    const struct {
        JsObject *o;
        bool argument;
        int at;
        JsValue *want;
    } cases[] = {{args, false, 0, a}, {args, false, 1, b}, {args, false, 3, nullptr}, {args, true, 1, a},
                 {args, true, 3, c},  {args, true, 4, nullptr}, {args, true, 0, a},   {args, true, -7, a},
                 {empty, true, 1, nullptr}};
    for (const auto &k : cases)
        EXPECT_EQ(k.argument ? k.o->ArgumentAt(k.at) : k.o->ValueAt(k.at), k.want) << k.argument << " " << k.at;
}

TEST_F(Objects, DuplicatesBeforeLastFound) {
    JsObject *o = NewObject();
    JsString *s = Str("same"), *t = Str("other");
    o->PutProperty("a", s, TK_ASSIGN, 1);
    o->PutProperty("b", t, TK_ASSIGN, 1);
    o->PutProperty("c", s, TK_ASSIGN, 1);
    o->PutProperty("d", s, TK_ASSIGN, 1);
    const struct {
        const char *name;
        JsValue *value;
        int duplicates;
    } reads[] = {{"d", s, 2}, {"c", s, 1}, {"b", t, 0}, {"a", s, 0}, {"d", s, 2}, {"zz", nullptr, 0}};
    for (const auto &r : reads) {
        ASSERT_EQ(o->GetProperty(r.name), r.value) << r.name;
        EXPECT_EQ(o->DuplicatesBeforeLastFound(), r.duplicates) << r.name;  // found nothing: 0
    }
}

TEST_F(Objects, LookupThroughTheConstructorsPrototype) {
    // A String object finds the string methods on the shared String object,
    // and still the plain members behind them.
    JsObject *so = Constructed(DURIZ_CTOR_STRING, nullptr);
    EXPECT_EQ(so->GetProperty("charAt"), NativeFunction(1030));
    EXPECT_EQ(so->GetProperty("valueOf"), NativeFunction(1046));  // the prototype's first
    EXPECT_EQ(so->GetProperty("toString"), NativeFunction(1024));
    // An own slot of the prototype is found too.
    JsString *shared = Str("on the prototype");
    Shared(3)->PutProperty("extra", shared, TK_ASSIGN, 1);
    EXPECT_EQ(so->GetProperty("extra"), shared);
    // The Object prototype has no members; the plain ones still answer.
    JsObject *oo = Constructed(DURIZ_CTOR_OBJECT, nullptr);
    EXPECT_EQ(oo->GetProperty("toString"), NativeFunction(1024));
    EXPECT_EQ(oo->properties.Count(), 0);
    EXPECT_EQ(oo->internal, nullptr);
    EXPECT_EQ(oo->constructor, NativeFunction(DURIZ_CTOR_OBJECT));
    EXPECT_EQ(oo->IsStringObject(), 0);
}

TEST_F(Objects, ConstructString) {
    const int ctorRefs = NativeFunction(DURIZ_CTOR_STRING)->refs;
    JsString *text = Str("hello");
    JsObject *so = Constructed(DURIZ_CTOR_STRING, Args({text}));
    EXPECT_EQ(NativeFunction(DURIZ_CTOR_STRING)->refs, ctorRefs + 1);
    EXPECT_EQ(so->internal, text);  // shared, not copied
    EXPECT_EQ(so->IsStringObject(), 1);
    EXPECT_STREQ(so->ToText(), "hello");
    ASSERT_NE(so->GetProperty("length"), nullptr);
    EXPECT_EQ(so->GetProperty("length")->ToNumber(), 5);
    EXPECT_EQ(so->properties.Count(), 1);
    JsNumber *n = MakeNumber(12);
    JsObject *fromNumber = Constructed(DURIZ_CTOR_STRING, Args({n}));
    DropIfUnowned(n);
    EXPECT_EQ(fromNumber->internal, nullptr);
    EXPECT_EQ(fromNumber->GetProperty("length")->ToNumber(), 0);
    EXPECT_STREQ(fromNumber->ToText(), "object");
    JsObject *none = Constructed(DURIZ_CTOR_STRING, nullptr);
    EXPECT_EQ(none->GetProperty("length")->ToNumber(), 0);
    EXPECT_EQ(none->IsStringObject(), 1);
}

TEST_F(Objects, ConstructFunction) {
    JsString *a = Str("a"), *b = Str("b"), *body = Str("return a + b;");
    JsObject *f = Constructed(DURIZ_CTOR_FUNCTION, Args({a, b, body}));
    ASSERT_NE(f->internal, nullptr);
    EXPECT_EQ(f->internal->IsFunction(), 1);
    // A function value is no object; the object that wraps it is one.
    EXPECT_FALSE(f->internal->IsObjectKind());
    EXPECT_TRUE(f->IsObjectKind());
    JsValue *fn = f->AsFunction();
    ASSERT_EQ(fn, f->internal);
    JsFunction *function = static_cast<JsFunction *>(fn);
    EXPECT_STREQ(function->ParamName(1), "a");
    EXPECT_STREQ(function->ParamName(2), "b");
    EXPECT_EQ(function->ParamName(3), nullptr);
}

TEST_F(Objects, SharedClassObjectsStoreNoMembersAndOnlyTheirOwn) {
    for (int k : {2, 3, 4, 7, 8}) {
        JsClassObject *c = Shared(k);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->IsObject(), 1);
        EXPECT_TRUE(c->IsObjectKind());
        EXPECT_STREQ(c->ToText(), "object");
        EXPECT_EQ(c->properties.Count(), 0) << k;  // members are never stored
        // The plain objects' members are not theirs.
        for (const char *name : {"assign", "eval", "toString"}) EXPECT_EQ(c->GetProperty(name), nullptr) << k << name;
    }
    // Methods and constants belong to their own class only.
    const struct {
        int classNumber;
        const char *name;
    } absent[] = {{7, "valueOf"}, {2, "charAt"}, {7, "charAt"}, {3, "abs"}, {4, "abs"},
                  {8, "PI"},      {4, "PI"},     {7, "MAX_VALUE"}, {7, "pi"}};
    for (const auto &a : absent) EXPECT_EQ(Shared(a.classNumber)->GetProperty(a.name), nullptr) << a.name;
}

TEST_F(Objects, AssigningAMemberNameMakesAnOwnSlotThatStaysHidden) {
    JsClassObject *math = Shared(7);
    JsNumber *three = MakeNumber(3);
    JsValue *stored = math->PutProperty("PI", three, TK_ASSIGN, 1);
    DropIfUnowned(three);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(math->properties.Count(), 1);
    EXPECT_STREQ(math->PropertyAt(0)->name, "PI");
    EXPECT_EQ(math->ValueAt(0)->ToNumber(), 3);
    JsValue *pi = math->GetProperty("PI");
    EXPECT_EQ(pi->ToNumber(), 3.141592653589793);
    DropIfUnowned(pi);
    // A name that is no member is found in the own slots.
    JsString *s = Str("mine");
    math->PutProperty("custom", s, TK_ASSIGN, 1);
    EXPECT_EQ(math->GetProperty("custom"), s);
}

}  // namespace
