// Expressions of operators, member accesses and assignments over names and
// literals, evaluated by a bounded recursion instead of frames. Each node
// entered counts one push against the budget, values are taken in the order
// the frames take them, and the window is made current after each node as a
// pop makes it, so the run cannot tell the difference.
#include <initializer_list>

#include "builtins/function.h"
#include "builtins/natives.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "interp/pure.h"
#include "values/convert.h"
#include "values/object.h"

using namespace frameless;

namespace frameless {

namespace {

// What runs when the condition of an if or ?: is false: the else part's
// statement, the third operand, or nothing.
const JsToken *Otherwise(const JsToken *node) {
    const JsToken *otherwise = node->FirstChild()->Next()->Next();
    return otherwise && node->code == TK_IF ? otherwise->FirstChild() : otherwise;
}



// A call of a name or of a name's member with an argument list: the call,
// the callee's nodes (none for a name, which the call looks up itself), the
// list, each argument and the body of the built-in it is to call.
int MeasureCall(const JsToken *node, int room, Notes *notes) {
    const JsToken *callee = node->FirstChild();
    const JsToken *list = callee->Next();
    if (!list || list->Next() || list->code != TK_COMMA || (node->Parent() && node->Parent()->code == TK_NEW))
        return 0;
    int size = 3;
    if (callee->code == TK_DOT) {
        // The member and its object: a name, or an expression without calls
        // (the look-up before the expression evaluates it).
        const JsToken *base = callee->FirstChild();
        const JsToken *member = base ? base->Next() : nullptr;
        if (!member || member->Next() || member->code != TK_IDENT) return 0;
        Notes baseNotes;
        const int b = Measure(base, room - size - 1, &baseNotes);
        if (!b || baseNotes.calls) return 0;
        notes->assignments += baseNotes.assignments;
        size += 1 + b;
    } else if (callee->code != TK_IDENT) {
        return 0;
    }
    for (const JsToken *argument = list->FirstChild(); argument && size <= room; argument = argument->Next()) {
        const int a = Measure(argument, room - size, notes);
        if (!a) return 0;
        size += a;
    }
    if (size > room) return 0;
    notes->calls++;
    return size;
}

}  // namespace

// The node's size, or 0 when it is no such expression or is bigger than room.
// Shapes that the operator handler would refuse (a missing operand) are left
// to the frames, which report them.
int Measure(const JsToken *node, int room, Notes *notes) {
    if (room <= 0) return 0;
    const Kind kind = KindOf(node->code);
    if (kind == NONE) return 0;
    if (kind == LEAF) return 1;
    const JsToken *first = node->FirstChild();
    if (!first) return 0;
    if (kind == CALL) return MeasureCall(node, room, notes);
    const JsToken *second = first->Next();
    switch (kind) {
    case MEMBER: {
        if (!second) return 0;
        const int a = Measure(first, room - 1, notes);
        if (!a || !IsComputedIndex(node)) return a ? 1 + a : 0;
        const int b = Measure(second, room - 1 - a, notes);
        return b ? 1 + a + b : 0;
    }
    case ASSIGN: case STEP: {
        // The value (none for ++ and --), then a member target as a frame of
        // its own; a name target is stored without a push.
        int size = 1;
        notes->assignments++;
        if (kind == ASSIGN) {
            if (!second || second->Next()) return 0;
            const int v = Measure(second, room - size, notes);
            if (!v) return 0;
            size += v;
        }
        if (first->code == TK_IDENT) return size;
        if (KindOf(first->code) != MEMBER) return 0;
        const int t = Measure(first, room - size, notes);
        return t ? size + t : 0;
    }
    case UNARY: case NEG: {
        const int a = Measure(first, room - 1, notes);
        return a ? 1 + a : 0;
    }
    case CHOICE: {
        // The condition and the longer branch: only one of them runs.
        if (!second) return 0;
        const JsToken *otherwise = Otherwise(node);
        const int c = Measure(first, room - 1, notes);
        if (!c) return 0;
        const int t = Measure(second, room - 1 - c, notes);
        const int e = otherwise ? Measure(otherwise, room - 1 - c, notes) : 0;
        if (!t || (otherwise && !e)) return 0;
        return 1 + c + (t > e ? t : e);
    }
    default: {  // LOGICAL, BINARY
        if (!second) return 0;
        const int a = Measure(first, room - 1, notes);
        if (!a) return 0;
        const int b = Measure(second, room - 1 - a, notes);
        return b ? 1 + a + b : 0;
    }
    }
}

namespace {

JsValue *Call(Run &run, JsFrame *scope, JsToken *node, JsToken **failed);

// A member target: the object (and a computed key) that the store goes to,
// as the target's frame would hand them to the assignment. False when the
// run fails (*failed is set).
bool EvaluateTarget(Run &run, JsFrame *scope, JsToken *target, JsValue **object, JsToken **memberName,
                    JsValue **key, JsToken **failed) {
    JsEvalContext *context = run.context;
    context->budget--;
    JsToken *member = target->FirstChild()->Next();
    JsValue *o = Evaluate(run, scope, target->FirstChild(), failed);
    if (*failed) return false;
    JsValue *ignored = nullptr;
    switch (MemberAfterObject(run, scope, target, &o, true, &ignored)) {
    case MEMBER_FAIL:
        ReleaseRef(o);
        *failed = target;
        return false;
    case MEMBER_VALUE:  // no wrapper could be made: nothing is handed on
        ReleaseRef(o);
        o = nullptr;
        break;
    case MEMBER_INDEX:
        *key = Evaluate(run, scope, member, failed);
        if (*failed) {
            ReleaseRef(o);
            return false;
        }
        break;
    case MEMBER_REFERENCE:
        if (target->code == TK_SUBSCRIPT && member->code == TK_IDENT) {
            *key = Owned(ResolveName(member->text, scope, context->currentGlobal, member));
        } else {
            *memberName = member;
        }
        break;
    }
    *object = o;
    AssignRef(&context->currentGlobal, scope->globalObject);
    return true;
}

JsValue *Assign(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    const int code = node->code;
    JsToken *target = node->FirstChild();
    JsValue *value;
    if (KindOf(code) == STEP) {
        const bool up = code == TK_PREINC || code == TK_POSTINC;
        value = Owned(up ? g_shared.minusOne : g_shared.one);
    } else {
        value = Evaluate(run, scope, node->LastChild(), failed);
        if (*failed) return nullptr;
    }
    if (!value) {
        *failed = node;
        return nullptr;
    }
    JsValue *object = nullptr, *key = nullptr;
    JsToken *memberName = nullptr;
    if (target->code != TK_IDENT && !EvaluateTarget(run, scope, target, &object, &memberName, &key, failed)) {
        ReleaseRef(value);
        return nullptr;
    }
    JsValue *result = Owned(StoreThrough(run, scope, node, value, object, memberName, key));
    ReleaseRef(value);
    ReleaseRef(object);
    ReleaseRef(key);
    if (!result) *failed = node;
    return result;
}

JsValue *Member(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    JsToken *member = node->FirstChild()->Next();
    JsValue *object = Evaluate(run, scope, node->FirstChild(), failed);  // owned, as a frame's operand
    if (*failed) return nullptr;
    JsValue *value = nullptr, *result = nullptr;
    bool ok = true;
    switch (MemberAfterObject(run, scope, node, &object, false, &value)) {
    case MEMBER_VALUE:
        result = Owned(value);
        break;
    case MEMBER_INDEX: {
        JsValue *index = Evaluate(run, scope, member, failed);
        if (*failed) {
            ReleaseRef(object);
            return nullptr;
        }
        ok = IndexedMember(scope, object, index, &value);
        if (ok) result = Owned(value);
        ReleaseRef(index);
        break;
    }
    default:
        ok = false;
        break;
    }
    ReleaseRef(object);
    if (!ok) *failed = node;
    return result;
}

JsValue *Operator(Run &run, JsFrame *scope, JsToken *node, Kind kind, JsToken **failed) {
    return OperatorValue(node, kind, failed, [&](JsToken *operand) { return Evaluate(run, scope, operand, failed); });
}

// if and ?: : the condition, then the branch it picks, whose value (if any)
// is the node's.
JsValue *Choice(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    JsToken *condition = node->FirstChild();
    JsValue *truth = Evaluate(run, scope, condition, failed);
    if (*failed) return nullptr;
    if (!truth) {
        *failed = node;
        return nullptr;
    }
    const bool taken = truth->ToBoolean() != 0;
    ReleaseRef(truth);
    JsToken *branch = taken ? condition->Next() : const_cast<JsToken *>(Otherwise(node));
    return branch ? Evaluate(run, scope, branch, failed) : nullptr;
}

}  // namespace

JsValue *EvaluateNode(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    JsEvalContext *context = run.context;
    context->budget--;
    JsValue *result;
    const Kind kind = KindOf(node->code);
    switch (kind) {
    case LEAF: result = Owned(LeafValue(run, scope, node)); break;
    case ASSIGN: case STEP: result = Assign(run, scope, node, failed); break;
    case MEMBER: result = Member(run, scope, node, failed); break;
    case CHOICE: result = Choice(run, scope, node, failed); break;
    case CALL: result = Call(run, scope, node, failed); break;
    default: result = Operator(run, scope, node, kind, failed); break;
    }
    if (*failed) {
        ReleaseRef(result);
        return nullptr;
    }
    AssignRef(&context->currentGlobal, scope->globalObject);
    return result;
}

// Measures the node once, for PureSize.
__attribute__((noinline)) void LearnPureSize(JsToken *node) {
    int size = 0;
    Notes notes;
    if (node->code == TK_COMMA) {
        // An argument list (not a var list): the list and each argument.
        if (node->Parent() && node->Parent()->code != TK_VAR) {
            size = 1;
            for (JsToken *argument = node->FirstChild(); argument && size; argument = argument->Next()) {
                const int a = Measure(argument, kPureLimit - size, &notes);
                size = a ? size + a : 0;
            }
        }
    } else {
        size = Measure(node, kPureLimit, &notes);
    }
    // A call's callee is looked up before the expression begins, which
    // holds only while nothing in it is assigned before the call: the
    // expression's own assignment stores after its value.
    const Kind kind = KindOf(node->code);
    const int own = kind == ASSIGN || kind == STEP ? 1 : 0;
    if (notes.calls && notes.assignments > own) size = 0;
    node->pureSize = size ? static_cast<uint8_t>(size | (notes.calls ? kHoldsCalls : 0)) : kNotPure;
}


namespace {

// The calls an expression was seen to hold, for as long as it runs.
class SeenCalls {
public:
    explicit SeenCalls(Run &run) : run_(run), saved_(run.peeked) {}
    bool Peek(JsFrame *scope, JsToken *node) {
        if (!PeekCalls(run_, scope, node, &peeked_)) return false;
        run_.peeked = &peeked_;
        return true;
    }
    int PlainScripts() const { return peeked_.plainScripts; }
    ~SeenCalls() {
        run_.peeked = saved_;
        ReleasePeeked(&peeked_);
    }
    SeenCalls(const SeenCalls &) = delete;
    SeenCalls &operator=(const SeenCalls &) = delete;

private:
    Run &run_;
    PeekedCalls *saved_;
    PeekedCalls peeked_;
};


}  // namespace

JsValue *Arguments(Run &run, JsFrame *call, JsToken *node, JsToken **failed) {
    JsFunction *function = CalledFunction(call);
    JsValue *last = nullptr;
    int position = 0;
    for (JsToken *argument = node->FirstChild(); argument; argument = argument->Next()) {
        ReleaseRef(last);  // the list lets go of one argument before the next
        last = nullptr;
        JsValue *value = Evaluate(run, call, argument, failed);
        if (*failed) return nullptr;
        if (!value) {
            *failed = node;
            return nullptr;
        }
        if (!AppendArgumentOf(function, call, value, ++position)) {
            ReleaseRef(value);  // no memory: the list ends with no value
            return nullptr;
        }
        last = value;
    }
    return last;
}

}  // namespace frameless

JsValue *PeekValue(Run &run, JsFrame *scope, JsToken *node, int32_t *pushes) {
    JsEvalContext *context = run.context;
    const int32_t budget = context->budget;
    JsToken *failed = nullptr;
    JsValue *value = Evaluate(run, scope, node, &failed);
    *pushes = budget - context->budget;
    context->budget = budget;
    return failed ? nullptr : value;
}

namespace frameless {
namespace {

// A call of the built-in its callee was seen to name: the call's callee,
// list and body pushes in the order its frames make them, each argument
// held as its list's slot would hold it, and the built-in called as its
// body's push would call it. The value is the built-in's, else undefined.
JsValue *Call(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    JsEvalContext *context = run.context;
    JsToken *callee = node->FirstChild();
    JsValue *object = nullptr;
    JsFunction *function = nullptr;
    int32_t pushes = 0;
    if (!SeenCallee(run, scope, node, &object, &function, &pushes)) {
        *failed = node;
        return nullptr;
    }
    if (pushes > 0) {
        // The member and its object, which would give what they gave.
        context->budget -= pushes;
        AssignRef(&context->currentGlobal, scope->globalObject);
    } else if (pushes < 0) {
        // The member's object is evaluated as its frames evaluate it, and
        // the callee found on it as the call finds it.
        JsValue *key = nullptr;
        JsToken *memberName = nullptr;
        if (!EvaluateTarget(run, scope, callee, &object, &memberName, &key, failed)) return nullptr;
        JsValue *found = object && memberName && !IsWindow(object) ? MethodOf(object, memberName, nullptr) : nullptr;
        ReleaseRef(key);
        if (!KeepIfAlone(found, &object, &function)) {
            *failed = node;
            return nullptr;
        }
    }
    if (function->id < kFirstNativeId) {
        JsValue *result = CallPlainBody(run, scope, node, function, failed);
        ReleaseRef(object);
        ReleaseRef(function);
        return result;
    }
    context->budget--;  // the list
    JsValue *values[kPureLimit];
    int count = 0;
    JsToken *list = callee->Next();
    for (JsToken *argument = list->FirstChild(); argument && !*failed; argument = argument->Next()) {
        JsValue *value = Evaluate(run, scope, argument, failed);
        if (*failed) break;
        if (!value) {
            *failed = list;
            break;
        }
        // A new slot holds null until the argument is assigned to it.
        JsValue *held = g_shared.nullValue;
        held->refs++;
        AssignToSlot(&held, value, TK_ASSIGN);
        values[count++] = held;
        ReleaseRef(value);
    }
    JsValue *result = nullptr;
    if (!*failed) {
        AssignRef(&context->currentGlobal, scope->globalObject);
        context->budget--;  // the built-in's body
        JsValue *value = CallNativeWith(context, function->id, object, values, count);
        AssignRef(&context->currentGlobal, scope->globalObject);
        result = Owned(value ? value : g_shared.undefinedValue);
    }
    for (int i = 0; i < count; i++) ReleaseRef(values[i]);
    ReleaseRef(object);
    ReleaseRef(function);
    return result;
}


}  // namespace
}  // namespace frameless

bool g_evaluateWithFrames = false;


namespace {

// An expression that EvaluateInParent takes on, evaluated for the parent.
inline __attribute__((always_inline)) void EvaluateForParent(Run &run, JsFrame *parent, JsToken *child, bool wantReference, JsToken **failed) {
    JsEvalContext *context = run.context;
    const int code = child->code;
    if (wantReference && KindOf(code) == MEMBER) {
        // The target's object, then its name or key, as its frame hands them on.
        JsValue *object = nullptr, *key = nullptr;
        JsToken *memberName = nullptr;
        if (!EvaluateTarget(run, parent, child, &object, &memberName, &key, failed)) return;
        PutOperand(parent, object);
        parent->memberName = memberName;
        PutOperand(parent, key);
        ReleaseRef(object);
        ReleaseRef(key);
        return;
    }
    JsValue *value;
    if (code == TK_COMMA) {
        --context->budget;
        value = Arguments(run, parent, child, failed);
        if (!*failed) AssignRef(&context->currentGlobal, parent->globalObject);
    } else {
        value = Evaluate(run, parent, child, failed);
    }
    if (*failed) return;
    if (wantReference) parent->memberName = nullptr;  // no name comes from an expression
    PutOperand(parent, value);
    ReleaseRef(value);
}

// One that holds calls: each callee is looked up first. A call whose callee
// names something else is left to the frames from then on, and so is every
// expression around it that is asked to go without them.
__attribute__((noinline)) bool EvaluateWithCalls(Run &run, JsFrame *parent, JsToken *child, int size,
                                                 bool wantReference, JsToken **failed) {
    if (wantReference && child->code == TK_CALL) return false;
    SeenCalls seen(run);
    if (!seen.Peek(parent, child)) {
        child->pureSize = kNotPure;
        return false;
    }
    // Room for each script body that may run, or the frames take it all.
    if (seen.PlainScripts() && run.context->budget <= size + seen.PlainScripts() * kPlainBodyPushes) return false;
    EvaluateForParent(run, parent, child, wantReference, failed);
    return true;
}

}  // namespace

bool EvaluateInParent(Run &run, JsFrame *parent, JsToken *child, bool wantReference, JsToken **failed) {
    JsEvalContext *context = run.context;
    *failed = nullptr;
    if (g_evaluateWithFrames) return false;
    const int code = child->code;
    if (IsFrameLeaf(code)) {
        if (context->budget <= 1) return false;
        --context->budget;
        // A name as a target hands on only itself.
        JsValue *value = wantReference && code == TK_IDENT ? nullptr : LeafValue(run, parent, child);
        AssignRef(&context->currentGlobal, parent->globalObject);
        if (wantReference) parent->memberName = code == TK_IDENT ? child : nullptr;
        PutOperand(parent, value);
        return true;
    }
    const int size = PureSize(parent, child);
    if (!size) return !wantReference && CallAheadForParent(run, parent, child, failed);
    if (context->budget <= size) return false;
    if (HoldsCalls(child)) return EvaluateWithCalls(run, parent, child, size, wantReference, failed);
    EvaluateForParent(run, parent, child, wantReference, failed);
    return true;
}

