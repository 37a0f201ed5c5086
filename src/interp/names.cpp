// Names and members: identifiers, member access and subscripts, with and
// for ... in, and the dynamic scoping rules behind them.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "builtins/function.h"
#include "builtins/host_members.h"
#include "builtins/host_object.h"
#include "duriz.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "interp/locals.h"
#include "values/array.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

// A look-up answer that is a fresh value with no holder stays alive only
// because the caller stores it at once; a found value is borrowed.
JsValue *Ask(JsValue *scope, const char *name) {
    JsObject *object = AsObject(scope);
    return object ? object->GetProperty(name) : nullptr;
}

// Ask for a name that is a node's own text, through what the node remembers.
// A call's locals answer from a declared cell first; past their cells they
// are a plain object of their own, with no constructor. Locals without
// slots (past their cells, or the shared locals of calls that declare
// nothing) answer with a plain object's built-in members alone, so never a
// plain name (no built-in name).
inline __attribute__((always_inline)) JsValue *AskAt(JsValue *scope, const JsToken *site, bool plain) {
    JsObject *object = AsObject(scope);
    if (!object) return nullptr;
    bool bare;  // a plain object without slots or constructor
    if (object->localCells) {
        JsLocals *cells = static_cast<JsLocals *>(object);
        const int i = cells->CellAt(site);
        if (i >= 0 && cells->Cell(i)) return cells->Cell(i);
        bare = !object->slotCount && !object->constructor;
        if (!bare) {
            NameIndexHint hint(const_cast<JsToken *>(site));
            return object->JsObject::GetProperty(site->text);
        }
    } else {
        bare = object == g_shared.noLocals;
        if (!bare && !object->SurelyLacks(site)) {
            NameIndexHint hint(const_cast<JsToken *>(site));
            return object->GetProperty(site->text);
        }
    }
    g_lastFoundPosition = 0;  // as a look-up that found no slot leaves it
    if (!bare || plain) return nullptr;
    const int index = SiteNameIndex(site);
    return index >= 0 ? object->JsObject::GetMember(index) : nullptr;
}

// The value of the object's own slot of the name, or null, leaving the
// slot's position for g_lastFoundPosition as a look-up does.
inline __attribute__((always_inline)) JsValue *OwnSlotValue(JsObject *object, const char *name) {
    int32_t position = 0;
    JsProperty *slot = object->FindSlot(name, &position);
    g_lastFoundPosition = position;
    return slot ? slot->value : nullptr;
}

// Whether only the object's own slots can answer a look-up of, or a store
// to, the site's name: an argument list has no constructor and no members
// found by text, so past the built-in names and the digit names (which
// select by position) an identifier finds its own slots or nothing.
inline __attribute__((always_inline)) bool OwnSlotsAlone(JsObject *object, const JsToken *site, bool plain) {
    if (!object->argumentList) return false;
    if (plain) return true;
    const char *name = site->text;
    return name && name[0] && !(name[0] >= '0' && name[0] <= '9') && SiteNameIndex(site) < 0;
}

// An identifier in an argument list.
inline __attribute__((always_inline)) JsValue *AskArguments(JsValue *scope, const JsToken *site, bool plain) {
    JsObject *object = AsObject(scope);
    if (!object) return nullptr;
    if (OwnSlotsAlone(object, site, plain)) return OwnSlotValue(object, site->text);
    NameIndexHint hint(const_cast<JsToken *>(site));
    return object->GetProperty(site->text);
}

// The id of the built-in function or object the window's member table
// answers a built-in name index with, or -1: the table never changes, so
// each index is looked up once.
int WindowNativeId(int nameIndex) {
    static int32_t ids[kBuiltinNameCount];
    static bool known[kBuiltinNameCount];
    if (!known[nameIndex]) {
        const HostMember *member = FindHostMember(DURIZ_CLASS_WINDOW, nameIndex);
        ids[nameIndex] = member && member->kind == MK_NATIVE ? member->extra : -1;
        known[nameIndex] = true;
    }
    return ids[nameIndex];
}

// The built-in function or object that a window's member table gives for a
// site's built-in name, or null. A window's member table answers a
// built-in name before anything the window holds.
__attribute__((noinline)) JsValue *WindowBuiltIn(JsValue *global, const JsToken *site) {
    if (site->code != TK_IDENT || !(site->numberKnown & JsToken::kNameIndexKnown) || site->id.nameIndex < 0 ||
        site->id.nameIndex >= kBuiltinNameCount)
        return nullptr;
    JsObject *window = AsObject(global);
    if (!window || !window->IsHostObject() || static_cast<JsHostObject *>(window)->classNumber != DURIZ_CLASS_WINDOW)
        return nullptr;
    const int id = WindowNativeId(site->id.nameIndex);
    return id >= 0 ? NativeFunction(id) : nullptr;
}

// The first places a name is looked for: at the top, a built-in name in
// the window's member table, where the window is asked first; then the
// with objects. Null when none of them answers.
__attribute__((noinline)) JsValue *AskBuiltInOrWith(const char *name, JsFrame *frame, JsValue *global,
                                                    const JsToken *site) {
    NameIndexHint hint(const_cast<JsToken *>(site));
    if (site && !frame->withObject && !frame->function && (!frame->thisObject || frame->thisObject == global)) {
        if (JsValue *builtIn = WindowBuiltIn(global, site)) return builtIn;
    }
    // The with objects, innermost first: each run of frames that share
    // one asks it once, and the frame below the run holds the next.
    for (JsFrame *f = frame; f && f->withObject;) {
        if (JsValue *found = Ask(f->withObject, name)) return found;
        f = f->withStart ? f->withStart->Prev() : nullptr;
    }
    return nullptr;
}

// What a site learnt of its cell in a call's locals (kNoCell where they
// have no cells).
inline int LearntCellIn(JsObject *locals, const JsToken *site) {
    return locals && locals->localCells ? static_cast<JsLocals *>(locals)->LearntCell(site) : JsLocals::kNoCell;
}

// The window's answer for a name: its value, else null.
inline JsValue *AskWindow(const char *name, JsValue *global, const JsToken *site) {
    JsObject *object = AsObject(global);
    if (JsValue *found = !object ? nullptr : site ? object->GetPropertyAt(site) : object->GetProperty(name))
        return found;
    return g_shared.nullValue;
}

// The search inside a call once its locals and arguments have not answered:
// its this, then the window's member table for a built-in name (which the
// window answers first), then the window.
inline __attribute__((always_inline)) JsValue *AskThisThenWindow(JsFrame *frame, JsValue *global,
                                                                 const JsToken *site, bool plain) {
    if (JsValue *found = AskAt(frame->thisObject, site, plain)) return found;
    if (!plain) {
        if (JsValue *builtIn = WindowBuiltIn(global, site)) return builtIn;
    }
    return AskWindow(site->text, global, site);
}
__attribute__((noinline)) JsValue *AskPlainThenWindow(JsFrame *frame, JsValue *global, const JsToken *site) {
    return AskThisThenWindow(frame, global, site, true);
}

// The search at the top level: the built-in names and the with objects,
// then this (when it is not the window), then the window.
__attribute__((noinline)) JsValue *SearchAtTop(const char *name, JsFrame *frame, JsValue *global,
                                               const JsToken *site) {
    // A plain name (known to be no built-in name once its site has been
    // looked up) is not asked of the window's built-ins.
    const bool plain = site && (site->numberKnown & JsToken::kPlainName);
    if (!plain || frame->withObject) {
        if (JsValue *found = AskBuiltInOrWith(name, frame, global, site)) return found;
    }
    if (frame->thisObject && frame->thisObject != global) {
        NameIndexHint hint(const_cast<JsToken *>(site));
        if (JsValue *found = Ask(frame->thisObject, name)) return found;
    }
    return AskWindow(name, global, site);
}

// The search inside a call: the with objects, then the call's locals,
// arguments and this, then the window.
__attribute__((noinline)) JsValue *SearchInCall(const char *name, JsFrame *frame, JsValue *global,
                                                const JsToken *site) {
    const bool plain = site && (site->numberKnown & JsToken::kPlainName);
    if (!plain || frame->withObject) {
        if (JsValue *found = AskBuiltInOrWith(name, frame, global, site)) return found;
    }
    if (site) {
        if (JsValue *found = AskAt(frame->locals, site, plain)) return found;
        if (JsValue *found = AskArguments(frame->args, site, plain)) return found;
        return AskThisThenWindow(frame, global, site, plain);
    }
    for (JsValue *scope : {frame->locals, frame->args, frame->thisObject}) {
        if (JsValue *found = Ask(scope, name)) return found;
    }
    return AskWindow(name, global, site);
}

}  // namespace

JsValue *ResolveName(const char *name, JsFrame *frame, JsValue *global, const JsToken *site) {
    if (!frame->function) return SearchAtTop(name, frame, global, site);
    // Inside a call and outside any with, a plain name (no built-in name)
    // starts at the call's locals. Where the site knows its cell (or that it
    // has none) and the arguments are few enough to search in place, those
    // two steps are taken here without the search's cost: a declared cell
    // answers; locals without slots answer nothing more; then the
    // arguments' own slots; then the search goes on from this.
    if (site && (site->numberKnown & JsToken::kPlainName) && !frame->withObject) {
        JsObject *locals = AsObject(frame->locals);
        const int cell = LearntCellIn(locals, site);
        if (locals && cell != JsLocals::kUnknown) {
            if (cell >= 0) {
                if (JsValue *declared = static_cast<JsLocals *>(locals)->Cell(cell)) return declared;
            }
            // Past their cells, a call's locals (never of a class) answer a
            // plain name only from slots or a constructor.
            JsObject *args = AsObject(frame->args);
            if (!locals->slotCount && !locals->constructor && (!args || OwnSlotsAlone(args, site, true))) {
                int32_t position = 0;  // as a look-up that found no slot leaves it
                bool inPlace = true;
                JsProperty *slot = args ? args->FindSlotInPlace(site->text, &position, &inPlace) : nullptr;
                if (inPlace) {
                    g_lastFoundPosition = position;
                    if (slot) return slot->value;
                    return AskPlainThenWindow(frame, global, site);
                }
            }
        }
    }
    return SearchInCall(name, frame, global, site);
}

namespace {

// A store to a name a call already has: in its locals, its this or its
// arguments; null when none of them has the name.
inline __attribute__((always_inline)) JsValue *StoreInCall(const char *name, JsValue *value, int op, JsFrame *frame,
                                                           const JsToken *site) {
    // The locals: a declared cell, or a slot of a plain locals object (the
    // shared empty one never has any).
    if (JsObject *locals = AsObject(frame->locals)) {
        if (locals->localCells) {
            JsLocals *cells = static_cast<JsLocals *>(locals);
            const int i = site ? cells->CellAt(site) : cells->CellOf(name);
            if (i >= 0) {
                if (cells->Cell(i)) return cells->StoreCell(i, value, op, 0);
            } else if (locals->slotCount) {
                // Past the cells, the locals' own slots: names declared that the
                // body's table does not list.
                if (JsValue *stored = locals->JsObject::PutProperty(name, value, op, 0)) return stored;
            }
        } else if (locals != g_shared.noLocals && (locals->slotCount || locals->HasClass())) {
            // Plain locals without slots have nothing a store could reach.
            NameIndexHint hint(const_cast<JsToken *>(site));
            if (JsValue *stored = site ? locals->PutPropertyAt(site, value, op, 0) : locals->PutProperty(name, value, op, 0))
                return stored;
        }
    }
    NameIndexHint hint(const_cast<JsToken *>(site));
    const bool plain = site && (site->numberKnown & JsToken::kPlainName);
    for (JsValue *scope : {frame->thisObject, frame->args}) {
        JsObject *object = AsObject(scope);
        if (!object) continue;
        JsValue *stored;
        if (site && OwnSlotsAlone(object, site, plain)) {
            JsProperty *slot = object->FindSlot(name);
            stored = slot ? ApplyToProperty(slot, value, op) : nullptr;
        } else {
            stored = site ? object->PutPropertyAt(site, value, op, 0) : object->PutProperty(name, value, op, 0);
        }
        if (stored) return stored;
    }
    return nullptr;
}

}  // namespace

JsValue *StoreLocal(const char *name, JsValue *value, int op, JsFrame *frame, bool create, const JsToken *site) {
    if (!create) return StoreInCall(name, value, op, frame, site);
    JsObject *locals = AsObject(frame->locals);
    return locals ? locals->PutProperty(name, value, op, 1) : nullptr;
}

namespace {

// A store to the window.
__attribute__((noinline)) JsValue *StoreInWindow(const char *name, JsValue *value, int op, JsValue *global,
                                                 const JsToken *site) {
    JsObject *object = AsObject(global);
    if (!object) return nullptr;
    NameIndexHint hint(const_cast<JsToken *>(site));
    return site ? object->PutPropertyAt(site, value, op, op == TK_ASSIGN)
                : object->PutProperty(name, value, op, op == TK_ASSIGN);
}

// A store inside a call: to the call's own names, else to the window.
__attribute__((noinline)) JsValue *StoreFromCall(const char *name, JsValue *value, int op, JsFrame *frame,
                                                 JsValue *global, const JsToken *site) {
    if (JsValue *stored = StoreInCall(name, value, op, frame, site)) return stored;
    return StoreInWindow(name, value, op, global, site);
}

// A store inside a call whose locals hold no declared cell of the site's
// name: where the locals have no slots either and the call has no this,
// the arguments' own slots take it (when there are any, and few enough to
// search in place), else the window; otherwise the whole store is made.
__attribute__((noinline)) JsValue *StorePastCells(const char *name, JsValue *value, int op, JsFrame *frame,
                                                  JsValue *global, const JsToken *site) {
    JsObject *locals = AsObject(frame->locals);
    JsObject *args = AsObject(frame->args);
    const bool plain = site->numberKnown & JsToken::kPlainName;
    if (!locals->slotCount && !frame->thisObject && (!args || OwnSlotsAlone(args, site, plain))) {
        bool inPlace = true;
        JsProperty *slot = args ? args->FindSlotInPlace(site->text, nullptr, &inPlace) : nullptr;
        if (inPlace) {
            if (JsValue *stored = slot ? ApplyToProperty(slot, value, op) : nullptr) return stored;
            return StoreInWindow(name, value, op, global, site);
        }
    }
    return StoreFromCall(name, value, op, frame, global, site);
}

}  // namespace

JsValue *AssignName(const char *name, JsValue *value, int op, JsFrame *frame, JsValue *global,
                    const JsToken *site) {
    // At the top level a store goes to the window.
    if (!frame->function) return StoreInWindow(name, value, op, global, site);
    // Inside a call, a declared cell takes a store first: where the site
    // knows its cell (or that it has none), that step is taken here and the
    // rest goes on past the cells, without the whole store's cost.
    if (site) {
        JsObject *locals = AsObject(frame->locals);
        const int cell = LearntCellIn(locals, site);
        if (locals && cell != JsLocals::kUnknown) {
            if (cell >= 0 && static_cast<JsLocals *>(locals)->Cell(cell))
                return static_cast<JsLocals *>(locals)->StoreCell(cell, value, op, 0);
            return StorePastCells(name, value, op, frame, global, site);
        }
    }
    return StoreFromCall(name, value, op, frame, global, site);
}

namespace {

// A string (or a number's text) wrapped in an object made with the global
// String constructor, with its length.
JsObject *WrapString(Run &run, JsValue *value) {
    static const char kString[] = "String", kLength[] = "length";
    JsValue *constructor;
    {
        NameIndexHint hint(kString, DURIZ_NAME_STRING);
        constructor = Ask(run.context->currentGlobal, kString);
    }
    JsObject *wrapper = new JsObject();
    if (!wrapper) return nullptr;
    if (constructor && constructor->IsFunction()) AssignRef(&wrapper->constructor, constructor);
    JsString *text = value->IsString() ? static_cast<JsString *>(value) : JsString::Make(value->ToText());
    AssignRef(&wrapper->internal, text);
    JsNumber *length = MakeNumber(text ? text->Length() : 0);
    NameIndexHint hint(kLength, DURIZ_NAME_LENGTH);
    wrapper->PutProperty(kLength, length, TK_ASSIGN, 1);
    DropIfUnowned(length);
    return wrapper;
}

// The object a function value stands for in member access: its own
// property object, else its prototype.
JsObject *FunctionScope(JsValue *value) {
    JsFunction *function = static_cast<JsFunction *>(value);
    return function->members ? function->members : function->Prototype();
}

int ArgumentCount(JsFrame *f) {
    JsObject *args = AsObject(f->args);
    return args ? args->properties.Count() : 0;
}

// Reads a member of a function value: its own property object first, then
// its prototype.
JsValue *FunctionMember(JsFunction *function, const char *name) {
    if (function->members) {
        if (JsValue *found = function->members->GetProperty(name)) return found;
    }
    JsObject *prototype = function->Prototype();
    return prototype ? prototype->GetProperty(name) : nullptr;
}

// Element groups listed once per member: the k-th listing gives the k-th
// member.
JsValue *PickFromGroup(JsObject *object, JsValue *key, JsValue *found) {
    if (!key->IsNumber() || !found || !found->HasClass()) return found;
    JsClassObject *group = static_cast<JsClassObject *>(found);
    if (group->ClassNumber() != DURIZ_CLASS_ELEMENT_GROUP) return found;
    const int d = object->DuplicatesBeforeLastFound();
    JsObject *elements = AsObject(group->GetProperty("elements"));
    JsValue *member = elements ? elements->ValueAt(d) : nullptr;
    return member ? member : g_shared.nullValue;
}

bool IsLiteralKey(const JsToken *node) {
    return node->code == TK_STRING || (node->code >= TK_INT && node->code <= TK_DECIMAL);
}

}  // namespace

bool IsComputedIndex(const JsToken *node) {
    const JsToken *member = node->FirstChild()->Next();
    return node->code == TK_SUBSCRIPT && !IsLiteralKey(member) && member->code != TK_IDENT;
}

bool IndexedMember(JsFrame *scope, JsValue *o, JsValue *index, JsValue **value) {
    if (!o || !index) return false;
    if (o->IsObject()) {
        JsObject *object = static_cast<JsObject *>(o);
        JsValue *found = PickFromGroup(object, index, object->GetByKey(index));
        *value = found ? found : g_shared.nullValue;
        return true;
    }
    if (o->IsFunction() && index->IsNumber() && scope->args) {
        JsValue *argument = static_cast<JsObject *>(scope->args)->ArgumentAt(index->ToInteger() + 1);
        *value = argument ? argument : g_shared.nullValue;
        return true;
    }
    return false;
}

MemberOutcome MemberAfterObject(Run &run, JsFrame *scope, JsToken *node, JsValue **slot, bool reference,
                                JsValue **value) {
    JsToken *member = node->FirstChild() ? node->FirstChild()->Next() : nullptr;
    const bool subscript = node->code == TK_SUBSCRIPT;
    JsValue *o = *slot;
    *value = nullptr;
    if (!o || !member) return MEMBER_FAIL;
    JsObject *lookup = nullptr;      // the object the member is looked up on
    JsFunction *function = nullptr;  // or a function's own object and prototype
    // An object, the commonest, is known by its kind: it is no string,
    // number or function.
    if (o->IsObjectKind()) {
        lookup = static_cast<JsObject *>(o);
    } else if (o->IsString() || o->IsNumber()) {
        if (!reference && !subscript && member->code == TK_IDENT && member->text &&
            std::strcmp(member->text, "length") == 0) {
            // The wrapper would be made only to be asked its own length slot.
            const int32_t length = o->IsString() ? static_cast<JsString *>(o)->Length()
                                                 : static_cast<int32_t>(std::strlen(o->ToText()));
            *value = MakeNumber(length);
            return MEMBER_VALUE;
        }
        JsObject *wrapper = WrapString(run, o);
        if (!wrapper) return MEMBER_VALUE;
        AssignRef(slot, wrapper);
        o = lookup = wrapper;
    } else if (o->IsFunction()) {
        function = static_cast<JsFunction *>(o);
        if (scope->function == function && scope->args) {
            // Members of the running function are its arguments.
            lookup = AsObject(scope->args);
            function = nullptr;
        }
        if (!subscript && member->code == TK_IDENT && !reference) {
            JsFunction *self = static_cast<JsFunction *>(o);
            const char *name = member->text;
            if (std::strcmp(name, "prototype") == 0 && self->Prototype()) {
                *value = self->Prototype();
                return MEMBER_VALUE;
            }
            if (std::strcmp(name, "arguments") == 0) {
                *value = self;
                return MEMBER_VALUE;
            }
            if (std::strcmp(name, "length") == 0) {
                *value = MakeNumber(ArgumentCount(scope));
                return MEMBER_VALUE;
            }
            if (!self->Prototype()) return MEMBER_FAIL;
        }
    } else if (o->IsObject()) {
        lookup = static_cast<JsObject *>(o);
    } else {
        return MEMBER_FAIL;
    }
    if (IsComputedIndex(node)) return MEMBER_INDEX;
    if (reference) return MEMBER_REFERENCE;
    JsValue *found = nullptr;
    NameIndexHint hint(member);
    if (subscript && member->code == TK_IDENT) {
        JsValue *key = ResolveName(member->text, scope, run.context->currentGlobal, member);
        key->refs++;  // a fresh key stays alive for the look-up
        if (lookup) {
            found = PickFromGroup(lookup, key, lookup->GetByKey(key));
        } else if (function) {
            JsObject *functionScope = FunctionScope(function);
            if (functionScope) found = functionScope->GetByKey(key);
        }
        ReleaseRef(key);
    } else {
        const char *name = member->text ? member->text : "";
        if (lookup && member->code == TK_IDENT && member->text) found = lookup->GetPropertyAt(member);
        else found = lookup ? lookup->GetProperty(name) : FunctionMember(function, name);
    }
    *value = found ? found : g_shared.nullValue;
    return MEMBER_VALUE;
}

Step HandleMember(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *objectNode = node->FirstChild();
    JsToken *member = objectNode ? objectNode->Next() : nullptr;
    if (!run.done) {
        if (!objectNode) return Fail(node);
        if (!TakeInPlace(run, objectNode)) return Push(objectNode);
    }
    JsValue *value = nullptr;
    if (run.done != objectNode) {
        // A computed index has completed.
        if (f->wantReference) {
            JsFrame *parent = f->Prev();
            if (parent && f->operand1) PutOperand(parent, f->operand1);
            return Pop(f->operand2);
        }
        if (!IndexedMember(f, f->operand1, f->operand2, &value)) return Fail(node);
        return Pop(value);
    }
    switch (MemberAfterObject(run, f, node, &f->operand1, f->wantReference != 0, &value)) {
    case MEMBER_VALUE: return Pop(value);
    case MEMBER_FAIL: return Fail(node);
    case MEMBER_INDEX: return Push(member);
    case MEMBER_REFERENCE: break;
    }
    JsValue *o = f->operand1;
    if (JsFrame *parent = f->Prev()) PutOperand(parent, o);
    if (node->code == TK_SUBSCRIPT && member->code == TK_IDENT)
        return Pop(ResolveName(member->text, f, run.context->currentGlobal, member));
    f->memberName = member;
    return Pop();
}

Step HandleWith(Run &run) {
    JsFrame *f = run.frame;
    JsToken *objectNode = f->node->FirstChild();
    JsToken *body = objectNode ? objectNode->Next() : nullptr;
    if (!run.done) {
        if (!objectNode) return Fail(f->node);
        return Push(objectNode);
    }
    if (run.done != objectNode) return Pop();
    JsValue *w = f->operand1;
    if (!w || !body) return Fail(f->node);
    if (w->IsFunction()) w = FunctionScope(w);
    if (!w || !w->IsObject()) return Fail(f->node);
    return PushWith(run, body, w);
}

namespace {

// The loop variable's name when it is a plain name (or a var of one).
const char *LoopVariableName(Run &run, JsToken *variable, bool declare, bool *failed) {
    *failed = false;
    if (variable->code == TK_IDENT) return variable->text;
    if (variable->code == TK_VAR && variable->FirstChild() && variable->FirstChild()->code == TK_IDENT) {
        const char *name = variable->FirstChild()->text;
        if (declare && !DeclareForList(run, name)) *failed = true;
        return name;
    }
    return nullptr;
}

}  // namespace

Step HandleForIn(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *variable = node->FirstChild();
    JsToken *objectNode = variable ? variable->Next() : nullptr;
    JsToken *body = objectNode ? objectNode->Next() : nullptr;
    if (!run.done) {
        if (!objectNode) return Fail(node);
        return Push(objectNode);
    }
    bool failed = false;
    if (run.done == objectNode) {
        JsValue *o = f->operand1;
        if (o && o->IsFunction()) o = FunctionScope(o);
        if (!o || !o->IsObject()) return Fail(node);
        JsObject *iterator = new JsObject();
        if (!iterator) return Pop();
        iterator->PutProperty("1", o, TK_ASSIGN, 1);
        iterator->PutProperty("2", g_shared.nullValue, TK_ASSIGN, 1);
        AssignRef(&f->held, iterator);
        ClearFrame(f, false);
        const char *name = LoopVariableName(run, variable, true, &failed);
        if (failed) return Fail(node);
        if (name) {
            JsValue *first = static_cast<JsObject *>(o)->NextPropertyName(nullptr);
            if (!first) return Pop();  // allocation failed
            iterator->PutProperty("2", first, TK_ASSIGN, 1);
            JsValue *stored = f->function ? StoreLocal(name, first, TK_ASSIGN, f, true)
                                          : static_cast<JsObject *>(run.context->currentGlobal)
                                                ->PutProperty(name, first, TK_ASSIGN, 1);
            DropIfUnowned(first);
            if (!stored) return Fail(node);
            if (body) return Push(body);
            return Pop(static_cast<JsObject *>(o)->LastPropertyName());
        }
    }
    JsObject *iterator = AsObject(f->held);
    if (!iterator) return Fail(node);
    JsObject *o = AsObject(iterator->GetProperty("1"));
    if (!o) return Fail(node);
    const char *name = LoopVariableName(run, variable, false, &failed);
    if (!name && run.done == variable) {
        // A member variable has been evaluated as a target: store the name.
        JsObject *target = AsObject(f->operand1);
        JsValue *current = iterator->GetProperty("2");
        if (!target) return Fail(node);
        JsValue *stored = f->memberName
                              ? target->PutProperty(f->memberName->text ? f->memberName->text : "", current,
                                                    TK_ASSIGN, 1)
                              : f->operand2 ? target->PutByKey(f->operand2, current, TK_ASSIGN, 1) : nullptr;
        if (!stored) return Fail(node);
        if (body) return Push(body);
    }
    // The body has completed (or there is none): the next name.
    while (true) {
        JsValue *next = o->NextPropertyName(iterator->GetProperty("2"));
        if (!next) return Pop();  // allocation failed
        if (next->IsNull()) return Pop(iterator->GetProperty("2"));
        iterator->PutProperty("2", next, TK_ASSIGN, 1);
        DropIfUnowned(next);
        ClearFrame(f, false);
        if (!name) return Push(variable, true);
        if (!AssignName(name, iterator->GetProperty("2"), TK_ASSIGN, f, run.context->currentGlobal))
            return Fail(node);
        if (body) return Push(body);
    }
}
