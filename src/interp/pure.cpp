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
#include "values/array.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

// The most pushes an expression evaluated this way may take; it bounds the
// recursion as well.
constexpr int kPureLimit = 64;
constexpr uint8_t kNotPure = kFramedCall;
// Marks a cached size whose expression holds calls.
constexpr uint8_t kHoldsCalls = 128;

// What each node code is to this evaluator.
enum Kind : uint8_t { NONE, LEAF, MEMBER, ASSIGN, STEP, UNARY, NEG, LOGICAL, BINARY, CHOICE, CALL };
constexpr int kCodeLimit = 1024;

struct KindTable {
    Kind kind[kCodeLimit];
};

constexpr KindTable MakeKindTable() {
    KindTable t{};
    for (int c = 0; c < kCodeLimit; c++) t.kind[c] = NONE;
    for (int c : {TK_IDENT, TK_NULL, TK_FALSE, TK_TRUE, TK_THIS, TK_STRING, TK_INT, TK_OCTAL, TK_HEX, TK_DECIMAL})
        t.kind[c] = LEAF;
    t.kind[TK_DOT] = t.kind[TK_SUBSCRIPT] = MEMBER;
    for (int c : {TK_ASSIGN, TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_MUL_ASSIGN, TK_DIV_ASSIGN, TK_AND_ASSIGN, TK_OR_ASSIGN,
                  TK_XOR_ASSIGN, TK_SHL_ASSIGN, TK_SHR_ASSIGN})
        t.kind[c] = ASSIGN;
    for (int c : {TK_POSTINC, TK_POSTDEC, TK_PREINC, TK_PREDEC}) t.kind[c] = STEP;
    for (int c : {TK_NOT, TK_BITNOT, TK_TYPEOF, TK_VOID}) t.kind[c] = UNARY;
    t.kind[TK_NEG] = NEG;
    t.kind[TK_AND] = t.kind[TK_OR] = LOGICAL;
    t.kind[TK_IF] = t.kind[TK_CONDITIONAL] = CHOICE;
    t.kind[TK_CALL] = CALL;
    for (int c : {TK_PLUS, TK_MINUS, TK_MUL, TK_DIV, TK_MOD, TK_SHL, TK_SHR, TK_USHR, TK_BITAND, TK_BITOR, TK_XOR,
                  TK_EQ, TK_NE, TK_LT, TK_LE, TK_GT, TK_GE})
        t.kind[c] = BINARY;
    return t;
}

constexpr KindTable kKinds = MakeKindTable();

Kind KindOf(int code) { return code >= 0 && code < kCodeLimit ? kKinds.kind[code] : NONE; }

// What runs when the condition of an if or ?: is false: the else part's
// statement, the third operand, or nothing.
const JsToken *Otherwise(const JsToken *node) {
    const JsToken *otherwise = node->FirstChild()->Next()->Next();
    return otherwise && node->code == TK_IF ? otherwise->FirstChild() : otherwise;
}

// What a measured expression holds besides its size.
struct Notes {
    int calls = 0;
    int assignments = 0;  // assignments, ++ and --
};

int Measure(const JsToken *node, int room, Notes *notes);

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

// A plain body's statements: each `if (c) return v;` and the closing
// `return v;`, the most pushes it can take (its own push included), or 0.
int PlainBodySize(JsToken *body) {
    if (!body || body->code != TK_BLOCK) return 0;
    int size = 1;
    for (JsToken *statement = body->FirstChild(); statement; statement = statement->Next()) {
        const bool last = !statement->Next();
        JsToken *value = statement;
        if (statement->code == TK_IF && !last) {
            JsToken *condition = statement->FirstChild();
            JsToken *then = condition ? condition->Next() : nullptr;
            if (!then || then->Next() || then->code != TK_RETURN || condition->code == TK_COMMA) return 0;
            Notes notes;
            const int c = Measure(condition, kPlainBodyPushes - size, &notes);
            if (!c || notes.calls || notes.assignments) return 0;
            size += 1 + c;
            value = then;
        } else if (statement->code != TK_RETURN || !last) {
            return 0;
        }
        JsToken *returned = value->FirstChild();
        if (!returned || returned->Next() || returned->code == TK_COMMA) return 0;
        Notes notes;
        const int r = Measure(returned, kPlainBodyPushes - size, &notes);
        if (!r || notes.calls || notes.assignments) return 0;
        size += 1 + r;  // as if this return were the one taken
        if (size > kPlainBodyPushes) return 0;
    }
    return size > 1 ? size : 0;
}

JsValue *Owned(JsValue *value) {
    if (value) value->refs++;
    return value;
}

JsValue *EvaluateNode(Run &run, JsFrame *scope, JsToken *node, JsToken **failed);
JsValue *Call(Run &run, JsFrame *scope, JsToken *node, JsToken **failed);

// Evaluates a node: one push, the value owned by the caller, and the window
// made current after it. A name or literal is taken here, without a call.
inline __attribute__((always_inline)) JsValue *Evaluate(Run &run, JsFrame *scope, JsToken *node,
                                                        JsToken **failed) {
    if (KindOf(node->code) != LEAF) return EvaluateNode(run, scope, node, failed);
    JsEvalContext *context = run.context;
    context->budget--;
    JsValue *result = Owned(LeafValue(run, scope, node));
    AssignRef(&context->currentGlobal, scope->globalObject);
    return result;
}

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

// Two numbers under the commonest operators, as BinaryValue answers them,
// without the call; false for anything else.
inline bool NumberOperator(int code, JsValue *x, JsValue *y, JsValue **result) {
    JsNumber *a = PlainNumber(x), *b = a ? PlainNumber(y) : nullptr;
    if (!b) return false;
    const double p = a->value, q = b->value;
    // The order of the operands: -1, 0 or 1, and 1 when they are unordered.
    const int c = q > p ? -1 : (q < p || !(q == p)) ? 1 : 0;
    switch (code) {
    case TK_PLUS: *result = MakeNumber(p + q); return true;
    case TK_MINUS: *result = MakeNumber(p - q); return true;
    case TK_MUL: *result = MakeNumber(p * q); return true;
    case TK_LT: *result = c < 0 ? g_shared.trueValue : g_shared.falseValue; return true;
    case TK_LE: *result = c <= 0 ? g_shared.trueValue : g_shared.falseValue; return true;
    case TK_GT: *result = c > 0 ? g_shared.trueValue : g_shared.falseValue; return true;
    case TK_GE: *result = c >= 0 ? g_shared.trueValue : g_shared.falseValue; return true;
    case TK_EQ: *result = c == 0 ? g_shared.trueValue : g_shared.falseValue; return true;
    case TK_NE: *result = c != 0 ? g_shared.trueValue : g_shared.falseValue; return true;
    default: return false;
    }
}

JsValue *Operator(Run &run, JsFrame *scope, JsToken *node, Kind kind, JsToken **failed) {
    const int code = node->code;
    JsToken *first = node->FirstChild();
    JsValue *a = Evaluate(run, scope, first, failed);
    if (*failed) return nullptr;
    JsValue *result = nullptr;
    if (kind == UNARY || kind == NEG) {
        if (code != TK_VOID) {
            if (!a) {
                *failed = node;
                return nullptr;
            }
            // Negation is 0 minus the operand.
            result = Owned(kind == NEG ? BinaryValue(TK_NEG, g_shared.zero, a) : UnaryValue(code, a));
        }
        ReleaseRef(a);
        return result;
    }
    if (kind == LOGICAL) {
        if (!a) {
            *failed = node;
            return nullptr;
        }
        const bool truth = a->ToBoolean() != 0;
        if (code == TK_AND && !truth) result = g_shared.falseValue;
        if (code == TK_OR && truth) result = g_shared.trueValue;
        if (result) {
            ReleaseRef(a);
            return Owned(result);
        }
    }
    // Both operands are evaluated before a missing one fails.
    JsValue *b = Evaluate(run, scope, first->Next(), failed);
    if (!*failed && a && b) {
        JsValue *value;
        result = Owned(NumberOperator(code, a, b, &value) ? value : BinaryValue(code, a, b));
    }
    ReleaseRef(a);
    ReleaseRef(b);
    if (!*failed && !result && (!a || !b)) *failed = node;
    return result;
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

inline int PureSize(JsFrame *parent, JsToken *node) {
    if (!node->pureSize) LearnPureSize(node);
    const int cached = node->pureSize;
    if (cached == kNotPure) return 0;
    // Arguments written as texts may run a toString of their own.
    if (node->code == TK_COMMA && ArgumentsBecomeTexts(parent)) return 0;
    return cached & ~kHoldsCalls;
}

// After PureSize: whether the expression holds calls.
bool HoldsCalls(const JsToken *node) { return node->pureSize != kNotPure && (node->pureSize & kHoldsCalls); }

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

// An argument list: each argument goes to the call's pending list as the
// list's frame would append it; the list's value is the last argument.
JsValue *Arguments(Run &run, JsFrame *call, JsToken *node, JsToken **failed) {
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
        if (!AppendArgument(call, value, ++position)) {
            ReleaseRef(value);  // no memory: the list ends with no value
            return nullptr;
        }
        last = value;
    }
    return last;
}

}  // namespace

JsValue *PeekValue(Run &run, JsFrame *scope, JsToken *node, int32_t *pushes) {
    JsEvalContext *context = run.context;
    const int32_t budget = context->budget;
    JsToken *failed = nullptr;
    JsValue *value = Evaluate(run, scope, node, &failed);
    *pushes = budget - context->budget;
    context->budget = budget;
    return failed ? nullptr : value;
}

namespace {

// The call of a script function with a plain body, after its callee: the
// list's push and each argument appended to an argument list as the list's
// frame appends it, then the body's push, each guard's if, condition and
// return taken, or the closing return, in the body's scope (no this, the
// shared empty locals, the list as arguments). The list is kept as the
// finished call keeps it. The value is the return's, else undefined.
JsValue *CallPlainBody(Run &run, JsFrame *scope, JsToken *node, JsFunction *function, JsToken **failed) {
    JsEvalContext *context = run.context;
    JsToken *list = node->FirstChild()->Next();
    context->budget--;  // the list
    JsArray *args = function->TakeKeptList();
    if (!args) args = new JsArray(1);
    if (args) args->refs++;
    JsValue *last = nullptr;
    int position = 0;
    for (JsToken *argument = list->FirstChild(); argument; argument = argument->Next()) {
        ReleaseRef(last);  // the list lets go of one argument before the next
        last = nullptr;
        JsValue *value = Evaluate(run, scope, argument, failed);
        if (*failed) break;
        if (!value) {
            *failed = list;
            break;
        }
        if (!args) {
            ReleaseRef(value);  // no memory for the list: it ends with no value
            break;
        }
        const char *name = function->ParamName(++position);
        args->Fill(name ? name : "", value);
        last = value;
    }
    ReleaseRef(last);  // the list's value goes as the body is entered
    JsValue *result = nullptr;
    if (!*failed) {
        AssignRef(&context->currentGlobal, scope->globalObject);
        if (args) args->Filled();
        // A body whose script the host has let go of runs nothing.
        JsToken *statements = function->Body();
        if (statements) context->budget--;  // the body
        JsFrame body;
        body.function = function;
        body.locals = g_shared.noLocals;
        body.args = args;
        body.globalObject = scope->globalObject;
        for (JsToken *statement = statements ? statements->FirstChild() : nullptr; statement;
             statement = statement->Next()) {
            context->budget--;  // the if, or the closing return
            JsToken *returned = statement;
            if (statement->code == TK_IF) {
                JsToken *condition = statement->FirstChild();
                JsValue *truth = Evaluate(run, &body, condition, failed);
                if (*failed || !truth) {
                    if (!*failed) *failed = statement;
                    break;
                }
                const bool taken = truth->ToBoolean() != 0;
                ReleaseRef(truth);
                if (!taken) continue;
                context->budget--;  // the return
                returned = condition->Next();
            }
            result = Evaluate(run, &body, returned->FirstChild(), failed);
            break;
        }
        body.function = nullptr;
        body.locals = body.args = body.globalObject = nullptr;
        if (!*failed && !result) result = Owned(g_shared.undefinedValue);
        AssignRef(&context->currentGlobal, scope->globalObject);
    }
    // A list kept by the function takes its count along.
    if (args && !(args->refs == 1 && function->KeepList(args))) ReleaseRef(args);
    if (*failed) {
        ReleaseRef(result);
        return nullptr;
    }
    return result;
}

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

// A node that takes one push and evaluates no child.
bool IsFrameLeaf(int code) { return KindOf(code) == LEAF || code == TK_EMPTY || code == TK_FUNCTION; }

}  // namespace

bool g_evaluateWithFrames = false;

bool IsPlainBody(JsFunction *function) {
    if (function->id >= kFirstNativeId || function->owner) return false;
    JsToken *body = function->Body();
    if (!body) return false;
    if (function->plainBody < 0) function->plainBody = PlainBodySize(body) && !function->BodyDeclares() ? 1 : 0;
    return function->plainBody != 0;
}

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
    if (!size || context->budget <= size) return false;
    if (HoldsCalls(child)) return EvaluateWithCalls(run, parent, child, size, wantReference, failed);
    EvaluateForParent(run, parent, child, wantReference, failed);
    return true;
}

namespace {

// `if (condition) return value;` without else, both such expressions: its
// pushes when the return is taken (the if, the condition, the return and
// its value), or 0.
int GuardSize(JsFrame *call, JsToken *statement) {
    if (statement->code != TK_IF) return 0;
    JsToken *condition = statement->FirstChild();
    JsToken *then = condition ? condition->Next() : nullptr;
    if (!then || then->Next() || then->code != TK_RETURN || condition->code == TK_COMMA) return 0;
    JsToken *value = then->FirstChild();
    if (!value || value->Next() || value->code == TK_COMMA) return 0;
    // Calls are left to the frames: the guards run one after the other.
    const int c = PureSize(call, condition);
    const int r = c && !HoldsCalls(condition) ? PureSize(call, value) : 0;
    return r && !HoldsCalls(value) ? 2 + c + r : 0;
}

// `return value;` of such an expression: its pushes, or 0.
int ReturnSize(JsFrame *call, JsToken *statement) {
    if (statement->code != TK_RETURN) return 0;
    JsToken *value = statement->FirstChild();
    if (!value || value->Next() || value->code == TK_COMMA) return 0;
    const int r = PureSize(call, value);
    return r && !HoldsCalls(value) ? 1 + r : 0;
}

// As the return statement leaves it: the value with the call, which goes
// on as after its body.
void ReturnToCall(Run &run, JsFrame *call, JsToken *body, JsToken *statement, JsValue *value) {
    ClearFrame(call, false);
    PutOperand(call, value);
    ReleaseRef(value);
    run.done = call->Prev() ? statement : body;
}

// What takes the body's place when one statement is left: the statement,
// or for `return value;` whose value is known to need frames of its own
// (calls of script functions) the value itself, in a frame with the body's
// scope, its return's push counted here. The return's frame would only
// push the value, see it pop, and hand it to the call, which the call does
// as well when the value pops into it. A return whose push the budget
// would stop at keeps its frame, so the run stops at the same place.
JsToken *ReturnedInPlace(JsEvalContext *context, JsToken *statement) {
    if (statement->code != TK_RETURN || context->budget < 2) return statement;
    JsToken *value = statement->FirstChild();
    if (!value || value->Next() || value->code == TK_COMMA || IsFrameLeaf(value->code) ||
        value->pureSize != kNotPure)
        return statement;
    context->budget--;
    return value;
}

}  // namespace

BodyOutcome BodyInParent(Run &run, JsFrame *call, JsToken *body, JsToken **failed, JsToken **resumeAfter,
                         JsFrame **reserved) {
    JsEvalContext *context = run.context;
    *failed = *resumeAfter = nullptr;
    *reserved = nullptr;
    // Only a call's own body: a return unwinds past the frame of a new
    // without an argument list, which this does not do.
    if (g_evaluateWithFrames || body->code != TK_BLOCK || !call->node || call->node->code != TK_CALL)
        return BODY_FRAMES;
    // The body's push, each guard's as if its return were taken, and a
    // last statement that returns.
    int total = 1, guards = 0;
    JsToken *statement = body->FirstChild();
    for (int size; statement && (size = GuardSize(call, statement)) != 0 && total < kPureLimit;
         statement = statement->Next(), guards++)
        total += size;
    const bool alone = statement && !statement->Next();
    const int last = alone ? ReturnSize(call, statement) : 0;
    // A last statement of another kind takes the body's place as the call's
    // child, unless the call is the bottom frame: a return from there hands
    // on what was popped last, which must stay the body.
    const bool inPlace = alone && !last && call->Prev();
    // Guards followed by nothing would leave the body without a return.
    if ((!guards && !last && !inPlace) || !statement || context->budget <= total + last) return BODY_FRAMES;
    if (!last) {
        // The body goes on in its frame after the guards: the frame is had
        // before anything runs, as its push would have it.
        *reserved = AcquireFrame();
        if (!*reserved) return BODY_FRAMES;
    }
    context->budget--;
    JsFrame scope;  // the scope the body's frame would have had
    scope.function = run.function;
    scope.thisObject = run.thisObject;
    scope.locals = run.locals;
    scope.args = call->args;
    scope.globalObject = call->globalObject;
    BodyOutcome outcome = BODY_GOES_ON;
    for (JsToken *guard = body->FirstChild(); guard != statement; guard = guard->Next()) {
        context->budget--;
        JsToken *condition = guard->FirstChild();
        JsValue *truth = Evaluate(run, &scope, condition, failed);
        if (*failed || !truth) {
            if (!*failed) *failed = guard;
            outcome = BODY_FAILED;
            break;
        }
        const bool taken = truth->ToBoolean() != 0;
        ReleaseRef(truth);
        if (!taken) {
            *resumeAfter = guard;
            continue;
        }
        JsToken *returned = condition->Next();
        context->budget--;
        JsValue *value = Evaluate(run, &scope, returned->FirstChild(), failed);
        if (*failed) {
            outcome = BODY_FAILED;
            break;
        }
        ReturnToCall(run, call, body, returned, value);
        outcome = BODY_RETURNED;
        break;
    }
    if (outcome == BODY_GOES_ON && inPlace) {
        *resumeAfter = ReturnedInPlace(context, statement);
        outcome = BODY_LAST_STATEMENT;
    }
    if (outcome == BODY_GOES_ON && last) {
        context->budget--;
        JsValue *value = Evaluate(run, &scope, statement->FirstChild(), failed);
        if (*failed) {
            outcome = BODY_FAILED;
        } else {
            ReturnToCall(run, call, body, statement, value);
            outcome = BODY_RETURNED;
        }
    }
    scope.function = nullptr;
    scope.thisObject = scope.locals = scope.args = scope.globalObject = nullptr;
    if (outcome != BODY_GOES_ON && outcome != BODY_LAST_STATEMENT && *reserved) {
        ReleaseFrame(*reserved);
        *reserved = nullptr;
    }
    return outcome;
}
