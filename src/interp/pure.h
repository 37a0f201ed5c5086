// What the evaluation of expressions without frames shares between the
// evaluator and the function bodies it runs: the budget's bounds, what
// each node code is to it, the measure of an expression's pushes and the
// evaluation of one node.
#ifndef DURIZ_INTERP_PURE_H
#define DURIZ_INTERP_PURE_H

#include <cstdint>
#include <initializer_list>

#include "engine/shared.h"
#include "interp/interpreter.h"
#include "values/value.h"

class JsFunction;

namespace frameless {

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

inline Kind KindOf(int code) { return code >= 0 && code < kCodeLimit ? kKinds.kind[code] : NONE; }

// What a measured expression holds besides its size.
struct Notes {
    int calls = 0;
    int assignments = 0;  // assignments, ++ and --
};

// The node's size in pushes, or 0 when it is no such expression or is
// bigger than room.
int Measure(const JsToken *node, int room, Notes *notes);

// The value with one more count, for the caller.
inline JsValue *Owned(JsValue *value) {
    if (value) value->refs++;
    return value;
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

// +, - or * of two numbers into one of them that nothing else holds: the
// operand was made for this expression alone, so no one can see it change,
// and a new number for the result is saved. Consumes both operands (owned);
// null, with nothing consumed, for anything else.
inline JsValue *NumberInPlace(int code, JsValue *a, JsValue *b) {
    if (code != TK_PLUS && code != TK_MINUS && code != TK_MUL) return nullptr;
    JsNumber *x = PlainNumber(a), *y = x ? PlainNumber(b) : nullptr;
    if (!y) return nullptr;
    JsNumber *into = x->refs == 1 && !x->flags ? x : y->refs == 1 && !y->flags ? y : nullptr;
    if (!into) return nullptr;
    const double p = x->value, q = y->value;
    into->value = code == TK_PLUS ? p + q : code == TK_MINUS ? p - q : p * q;
    ReleaseRef(into == x ? b : a);
    return into;
}

// An operator over its operands as the frames apply it, each operand's
// value (owned) taken from operand(node): both operands are evaluated before
// a missing one fails; && and || evaluate the second only when it decides.
template <typename Operand>
inline __attribute__((always_inline)) JsValue *OperatorValue(JsToken *node, Kind kind, JsToken **failed,
                                                             Operand operand) {
    const int code = node->code;
    JsToken *first = node->FirstChild();
    JsValue *a = operand(first);
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
    JsValue *b = operand(first->Next());
    if (!*failed && a && b) {
        if (JsValue *reused = NumberInPlace(code, a, b)) return reused;
        JsValue *value;
        result = Owned(NumberOperator(code, a, b, &value) ? value : BinaryValue(code, a, b));
    }
    ReleaseRef(a);
    ReleaseRef(b);
    if (!*failed && !result && (!a || !b)) *failed = node;
    return result;
}

// The frame a call's arguments are evaluated in: the expression's scope,
// holding the callee; nothing in it is counted, and Forget lets it go.
inline void BorrowCallFrame(JsFrame *call, const JsFrame *scope, JsFunction *function, JsToken *node) {
    ShareScope(call, scope);
    call->held = function;
    call->node = node;
}
inline void ForgetCallFrame(JsFrame *call) {
    call->function = nullptr;
    call->thisObject = call->locals = call->args = call->globalObject = call->held = call->pendingArgs = nullptr;
    call->node = nullptr;
}

// Any node but a name or literal.
JsValue *EvaluateNode(Run &run, JsFrame *scope, JsToken *node, JsToken **failed);

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

// Measures the node once, for PureSize.
void LearnPureSize(JsToken *node);

// The node's cached size (learnt on first use), 0 for one left to frames.
inline int PureSize(JsFrame *parent, JsToken *node) {
    if (!node->pureSize) LearnPureSize(node);
    const int cached = node->pureSize;
    if (cached == kNotPure) return 0;
    // Arguments written as texts may run a toString of their own.
    if (node->code == TK_COMMA && ArgumentsBecomeTexts(parent)) return 0;
    return cached & ~kHoldsCalls;
}

// After PureSize: whether the expression holds calls.
inline bool HoldsCalls(const JsToken *node) { return node->pureSize != kNotPure && (node->pureSize & kHoldsCalls); }

// A node that takes one push and evaluates no child.
inline bool IsFrameLeaf(int code) { return KindOf(code) == LEAF || code == TK_EMPTY || code == TK_FUNCTION; }

// An argument list: each argument goes to the call's pending list as the
// list's frame would append it; the list's value is the last argument
// (owned), null when none could be had.
JsValue *Arguments(Run &run, JsFrame *call, JsToken *node, JsToken **failed);

// The call of a script function with a plain body (see IsPlainBody), once
// its callee is known: its value, owned, or null with *failed set.
JsValue *CallPlainBody(Run &run, JsFrame *scope, JsToken *node, JsFunction *function, JsToken **failed);
// The same for a body whose expressions are names, literals and operators
// alone, bound to its arguments by position: null with *failed unset when
// the function's body or the call is of another kind.
JsValue *CallPlainBodyAhead(Run &run, JsFrame *scope, JsToken *node, JsFunction *function, JsToken **failed);

}  // namespace frameless

#endif
