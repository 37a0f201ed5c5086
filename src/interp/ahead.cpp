// Calls run ahead of their frames. A script function whose body only
// computes (guards and a closing return over names, literals, operators and
// calls of such functions by name) can change nothing a run can see before
// it returns: it assigns nothing, declares nothing and, with the host kept
// quiet, asks the host nothing. Such a call, recursion and all, is evaluated
// here by a bounded C recursion that counts each push as the frames would
// and finds each name where their look-up finds it. When it returns with
// budget to spare, its value is the one the frames would have handed on;
// when it cannot finish (the budget would run out, the calls nest too deep,
// the host would be asked, anything fails) it is dropped as though it never
// ran and the frames take the call.
#include <cstring>

#include "builtins/function.h"
#include "builtins/host_object.h"
#include "builtins/names.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "interp/literal_cache.h"
#include "interp/pure.h"
#include "values/convert.h"
#include "values/object.h"

using namespace frameless;

namespace {

// How deep the calls may nest, and how deep an expression in such a body
// may be: together they bound the C stack.
constexpr int kAheadDepth = 48;
constexpr int kExpressionDepth = 12;
// A call is begun only with more budget left than this, so that the budget
// is seen to run out before it goes far below 0; the pushes of calls that
// cost no more are not remembered. It only divides the work between the
// frames and the calls run ahead: the last pushes of each round go to the
// frames. Somewhat more than a small body's pushes (fib's take 13) keeps
// calls that cannot finish from being begun; much more leaves the frames
// too much (with 256, fib took 14% more instructions).
constexpr int kAheadMargin = 32;
constexpr int kAheadParameters = 8;
static_assert(kAheadParameters < 64, "a parameter's position fits a node's six bits");

// ---- which bodies ----

// A name the frames look up in a call's arguments and then the window
// alone: not built in, not empty, no digit name.
bool PlainName(const JsToken *node) {
    return node->text && node->text[0] >= 'A' && NameIndexOf(node->text) < 0;
}

// An expression of names, literals, operators and calls of names (no
// members, no assignments), no deeper than depth; false for anything else.
bool Computes(const JsToken *node, int depth) {
    if (depth <= 0) return false;
    switch (KindOf(node->code)) {
    case LEAF: return node->code != TK_IDENT || PlainName(node);
    case UNARY: case NEG: case LOGICAL: case BINARY: break;
    case CHOICE:
        if (node->code != TK_CONDITIONAL) return false;
        break;
    case CALL: {
        const JsToken *callee = node->FirstChild();
        const JsToken *list = callee ? callee->Next() : nullptr;
        if (!list || callee->code != TK_IDENT || !PlainName(callee) || list->code != TK_COMMA || list->Next())
            return false;
        int count = 0;
        for (const JsToken *argument = list->FirstChild(); argument; argument = argument->Next())
            if (++count > kAheadParameters || !Computes(argument, depth - 1)) return false;
        return true;
    }
    default: return false;
    }
    const JsToken *first = node->FirstChild();
    if (!first) return false;
    const int operands = KindOf(node->code) == UNARY || KindOf(node->code) == NEG ? 1 : node->code == TK_CONDITIONAL ? 3 : 2;
    int count = 0;
    for (const JsToken *child = first; child; child = child->Next())
        if (++count > operands || !Computes(child, depth - 1)) return false;
    return count == operands;
}

// The value of `return value;` with one value that is no list, or null.
JsToken *ReturnedValue(JsToken *statement) {
    if (statement->code != TK_RETURN) return nullptr;
    JsToken *value = statement->FirstChild();
    return value && !value->Next() && value->code != TK_COMMA ? value : nullptr;
}

// Guards `if (c) return v;` without else, then `return v;`, all of
// expressions that compute.
bool BodyComputes(JsToken *body) {
    if (!body || body->code != TK_BLOCK || !body->FirstChild()) return false;
    for (JsToken *statement = body->FirstChild(); statement; statement = statement->Next()) {
        JsToken *returned = statement;
        if (statement->Next()) {
            JsToken *condition = statement->FirstChild();
            JsToken *then = condition ? condition->Next() : nullptr;
            if (statement->code != TK_IF || !then || then->Next() || then->code != TK_RETURN ||
                condition->code == TK_COMMA || !Computes(condition, kExpressionDepth))
                return false;
            returned = then;
        }
        JsToken *value = ReturnedValue(returned);
        if (!value || !Computes(value, kExpressionDepth)) return false;
    }
    return true;
}

// Parameters a call run ahead binds by position: at most kAheadParameters,
// each a name (a list may hold other nodes, whose names are null).
bool NamedParameters(JsFunction *function) {
    const int count = function->ParameterCount();
    if (!count) return true;
    function->ParamName(1);  // the names, read once
    if (count > kAheadParameters || !function->paramNames || function->paramCount != count) return false;
    for (int k = 0; k < count; k++)
        if (!function->paramNames[k]) return false;
    return true;
}

bool RunsAhead(JsFunction *function) {
    if (function->aheadBody < 0) {
        bool runs = function->id < kFirstNativeId && !function->owner && !function->BodyDeclares() &&
                    BodyComputes(function->Body());
        if (runs && !NamedParameters(function)) runs = false;
        function->aheadBody = runs ? 1 : 0;
    }
    return function->aheadBody != 0;
}

// ---- what calls were seen to cost ----

// The pushes a call of a function with given arguments took, or was seen
// to need at least: a guess only, for whether running it ahead could finish
// in the budget left, never for what it does.
struct Cost {
    const JsFunction *function;  // compared, never followed
    uint64_t key;
    int32_t pushes;
};
constexpr int kCostBits = 10;
Cost g_costs[1 << kCostBits];

uint64_t ArgumentsKey(JsValue *const *arguments, int count) {
    uint64_t key = 1469598103934665603ull;
    for (int i = 0; i < count; i++) {
        uint64_t word = reinterpret_cast<uintptr_t>(arguments[i]);
        if (JsNumber *number = PlainNumber(arguments[i])) std::memcpy(&word, &number->value, sizeof word);
        key = (key ^ word) * 1099511628211ull;
    }
    return key;
}

Cost &CostOf(const JsFunction *function, uint64_t key) {
    const uint64_t h = (key ^ reinterpret_cast<uintptr_t>(function)) * 0x9e3779b97f4a7c15ull;
    return g_costs[h >> (64 - kCostBits)];
}

// ---- the calls ----

// A value's truth; comparisons give the shared true and false.
inline bool Truth(JsValue *value) {
    if (value == g_shared.trueValue) return true;
    if (value == g_shared.falseValue) return false;
    return value->ToBoolean() != 0;
}

// One call run ahead, and the calls it makes.
struct Ahead {
    Run &run;
    JsFrame leaves;         // the scope literals and this are read in: no this
    int depth = 0;
    bool dropped = false;   // something could not be run ahead: all of it is dropped
    bool tooDeep = false;   // because the calls nested too deep
    bool foreseen = false;  // because the first call was known to need more budget
    // The functions the window's names called here were found to be, with
    // the positions their look-ups left: nothing run ahead can change what
    // a window's name names (it assigns nothing and the host is kept
    // quiet), so each callee is looked up once.
    struct Callee {
        const JsToken *site;
        JsFunction *function;  // borrowed from the window's slot
        int position;
    };
    static constexpr unsigned kCalleeBits = 2;
    Callee callees[1u << kCalleeBits] = {};
    explicit Ahead(Run &r) : run(r) {}
};

// A body's scope: its function and the arguments its list was given.
struct Scope {
    JsFunction *function;
    JsValue *arguments[kAheadParameters];  // counted
    int count;
};

JsValue *Drop(Ahead &ahead, JsToken *node, JsToken **failed) {
    ahead.dropped = true;
    *failed = node;
    return nullptr;
}

// The position of the first parameter of a name in a body's function, or
// 0, kept by the name's node: a node lies in one function's body, and every
// function made from that definition has its parameters.
inline int ParameterPosition(const JsFunction *function, JsToken *node) {
    if (node->numberKnown & JsToken::kPositionKnown) return node->numberKnown >> 2;
    int position = 0;
    for (int k = 0; k < function->paramCount && !position; k++)
        if (std::strcmp(function->paramNames[k], node->text) == 0) position = k + 1;
    // Bodies run ahead have at most kAheadParameters parameters.
    node->numberKnown = static_cast<uint8_t>((node->numberKnown & JsToken::kNameIndexKnown) |
                                             JsToken::kPositionKnown | position << 2);
    return position;
}

JsValue *WindowValue(Ahead &ahead, JsToken *node);

// A plain name's argument (borrowed), where the look-up of a call's body
// finds it first: the first argument of the parameter's name; else null,
// and the window's value is the name's.
inline __attribute__((always_inline)) JsValue *ArgumentValue(const Scope *scope, JsToken *node) {
    if (scope) {
        const int position = ParameterPosition(scope->function, node);
        if (position && position <= scope->count) {
            g_lastFoundPosition = position;
            return scope->arguments[position - 1];
        }
        g_lastFoundPosition = 0;  // as the search of the arguments leaves it
    }
    return nullptr;
}

// A plain name (borrowed), found where the look-up of a call's body finds it.
inline __attribute__((always_inline)) JsValue *NameValue(Ahead &ahead, const Scope *scope, JsToken *node) {
    if (JsValue *argument = ArgumentValue(scope, node)) return argument;
    return WindowValue(ahead, node);
}

__attribute__((noinline)) JsValue *WindowValue(Ahead &ahead, JsToken *node) {
    NameIndexHint hint(node);
    JsObject *window = AsObject(ahead.run.context->currentGlobal);
    JsValue *found = window ? window->GetPropertyAt(node) : nullptr;
    return found ? found : g_shared.nullValue;
}

JsValue *NodeValue(Ahead &ahead, const Scope *scope, JsToken *node, JsToken **failed);

// A node's value (owned; null for none, or with *failed set): one push,
// as the node's frame counts it. Names and literals are taken here. The
// window stays the current one throughout, as nothing here can make
// another current.
inline __attribute__((always_inline)) JsValue *Value(Ahead &ahead, const Scope *scope, JsToken *node,
                                                     JsToken **failed) {
    if (KindOf(node->code) != LEAF) return NodeValue(ahead, scope, node, failed);
    ahead.run.context->budget--;
    if (node->code == TK_IDENT) return Owned(NameValue(ahead, scope, node));
    if (JsValue *literal = RememberedLiteral(node)) return Owned(literal);
    return Owned(LeafValue(ahead.run, &ahead.leaves, node));
}

// The value a body's statements return (owned), or undefined: each guard's
// if and condition, and the return taken.
JsValue *BodyValue(Ahead &ahead, const Scope *scope, JsToken *statements, JsToken **failed) {
    JsEvalContext *context = ahead.run.context;
    JsValue *result = nullptr;
    for (JsToken *statement = statements->FirstChild(); statement; statement = statement->Next()) {
        JsToken *returned = statement;
        if (statement->Next()) {
            context->budget--;  // the if
            JsValue *truth = Value(ahead, scope, statement->FirstChild(), failed);
            if (*failed || !truth) {
                if (!*failed) *failed = statement;
                return nullptr;
            }
            const bool taken = Truth(truth);
            ReleaseRef(truth);
            if (!taken) continue;
            returned = statement->FirstChild()->Next();
        }
        context->budget--;  // the return
        result = Value(ahead, scope, returned->FirstChild(), failed);
        break;
    }
    if (!*failed && !result) result = Owned(g_shared.undefinedValue);
    return result;
}

// An argument as a new slot of its list holds it (owned, from value, which
// is owned): the slot holds null until the argument is assigned to it; a
// number that is no NaN is shared, as that assignment shares it.
JsValue *HeldArgument(JsValue *value) {
    if (PlainNumber(value)) return value;
    JsValue *held = g_shared.nullValue;
    held->refs++;
    AssignToSlot(&held, value, TK_ASSIGN);
    ReleaseRef(value);
    return held;
}

// The call of function, as its frames make it: the list's push and each
// argument held as the list's slot holds it, the body's push, each guard's
// if and condition and the return taken, in the body's scope.
JsValue *RunCall(Ahead &ahead, const Scope *caller, JsToken *node, JsFunction *function, JsToken **failed) {
    JsEvalContext *context = ahead.run.context;
    JsToken *statements = function->Body();
    if (ahead.depth >= kAheadDepth) ahead.tooDeep = true;
    if (ahead.tooDeep || context->budget <= kAheadMargin || !statements) return Drop(ahead, node, failed);
    const int32_t start = context->budget;
    Scope scope;
    scope.function = function;
    scope.count = 0;
    context->budget--;  // the list
    for (JsToken *argument = node->FirstChild()->Next()->FirstChild(); argument; argument = argument->Next()) {
        JsValue *value = Value(ahead, caller, argument, failed);
        if (*failed || !value) {
            ReleaseRef(value);
            if (!*failed) *failed = node;
            break;
        }
        scope.arguments[scope.count++] = HeldArgument(value);
    }
    JsValue *result = nullptr;
    if (!*failed && !ahead.depth) {
        const uint64_t key = ArgumentsKey(scope.arguments, scope.count);
        const Cost &cost = CostOf(function, key);
        if (cost.function == function && cost.key == key && cost.pushes >= start) {
            Drop(ahead, node, failed);
            ahead.foreseen = true;
        }
    }
    if (!*failed) {
        ahead.depth++;
        context->budget--;  // the body
        result = BodyValue(ahead, &scope, statements, failed);
        ahead.depth--;
    }
    // What was learnt of the call's cost, where it can tell whether a call
    // fits in the budget a call begins with: a call given up on for the
    // budget needs at least the budget it had.
    int32_t cost = 0;
    if (*failed) {
        if (ahead.dropped && !ahead.tooDeep && !ahead.foreseen) cost = start;
    } else {
        cost = start - context->budget;
    }
    if (cost > kAheadMargin) {
        const uint64_t key = ArgumentsKey(scope.arguments, scope.count);
        CostOf(function, key) = Cost{function, key, cost};
    }
    for (int i = 0; i < scope.count; i++) ReleaseRef(scope.arguments[i]);
    if (*failed) {
        ReleaseRef(result);
        return nullptr;
    }
    return result;
}

// The function a callee names, when its calls run ahead (borrowed).
JsFunction *CalleeAhead(Ahead &ahead, const Scope *scope, JsToken *callee) {
    JsValue *found = ArgumentValue(scope, callee);
    if (!found) {
        Ahead::Callee &seen = ahead.callees[SiteEntryIndex(callee, Ahead::kCalleeBits)];
        if (seen.site == callee) {
            g_lastFoundPosition = seen.position;
            return seen.function;
        }
        found = WindowValue(ahead, callee);
        JsValue *value = !g_hostAsked ? found->AsFunction() : nullptr;
        JsFunction *function = static_cast<JsFunction *>(value);
        if (!function || !RunsAhead(function)) return nullptr;
        seen = Ahead::Callee{callee, function, g_lastFoundPosition};
        return function;
    }
    JsValue *value = !g_hostAsked ? found->AsFunction() : nullptr;
    JsFunction *function = static_cast<JsFunction *>(value);
    return function && RunsAhead(function) ? function : nullptr;
}

// Any node but a name or literal.
JsValue *NodeValue(Ahead &ahead, const Scope *scope, JsToken *node, JsToken **failed) {
    ahead.run.context->budget--;
    const Kind kind = KindOf(node->code);
    switch (kind) {
    case CALL: {
        JsFunction *function = CalleeAhead(ahead, scope, node->FirstChild());
        if (!function) return Drop(ahead, node, failed);
        function->refs++;
        JsValue *result = RunCall(ahead, scope, node, function, failed);
        ReleaseRef(function);
        return result;
    }
    case CHOICE: {
        JsToken *condition = node->FirstChild();
        JsValue *truth = Value(ahead, scope, condition, failed);
        if (*failed) return nullptr;
        if (!truth) {
            *failed = node;
            return nullptr;
        }
        const bool taken = Truth(truth);
        ReleaseRef(truth);
        return Value(ahead, scope, taken ? condition->Next() : condition->Next()->Next(), failed);
    }
    default:
        return OperatorValue(node, kind, failed,
                             [&](JsToken *operand) { return Value(ahead, scope, operand, failed); });
    }
}

}  // namespace

namespace {

// The parent's scope as a body run ahead would have it, when its look-ups
// find what such a body's find: at the top with no this of its own, or in
// a call of a body that declares nothing, has no this, and has an argument
// list in which the parameters' names stand in order. False for anything
// else; *top is set at the top. The arguments are counted.
bool ScopeOfParent(Run &run, JsFrame *parent, Scope *scope, bool *top) {
    scope->count = 0;
    *top = !parent->function;
    if (parent->withObject || run.context->currentGlobal != parent->globalObject) return false;
    if (*top) return !parent->thisObject || parent->thisObject == parent->globalObject;
    JsFunction *function = parent->function;
    if (parent->thisObject || parent->locals != g_shared.noLocals) return false;
    if (!NamedParameters(function)) return false;
    scope->function = function;
    JsObject *list = AsObject(parent->args);
    if (!parent->args) return true;
    if (!list || !list->argumentList) return false;
    list->Spread();
    int k = 0;
    for (JsProperty *slot = list->FirstProperty(); slot; slot = slot->Next(), k++) {
        const char *expected = k < function->paramCount ? function->paramNames[k] : "";
        if (k >= kAheadParameters || std::strcmp(slot->name, expected) != 0) {
            for (int i = 0; i < scope->count; i++) ReleaseRef(scope->arguments[i]);
            scope->count = 0;
            return false;
        }
        scope->arguments[scope->count++] = Owned(slot->value);
    }
    return true;
}

}  // namespace

__attribute__((cold)) bool CallAheadForParent(Run &run, JsFrame *parent, JsToken *child, JsToken **failed) {
    JsEvalContext *context = run.context;
    *failed = nullptr;
    if (child->code != TK_CALL) return false;
    JsToken *callee = child->FirstChild();
    JsToken *list = callee ? callee->Next() : nullptr;
    if (!list || callee->code != TK_IDENT || list->code != TK_COMMA || list->Next() ||
        context->budget <= kAheadMargin || (child->Parent() && child->Parent()->code == TK_NEW) ||
        !PlainName(callee))
        return false;
    Scope root;
    bool top;
    if (!ScopeOfParent(run, parent, &root, &top)) return false;
    const Scope *scope = top ? nullptr : &root;
    Ahead ahead(run);
    const bool quiet = g_hostQuiet;
    g_hostQuiet = true;
    g_hostAsked = false;
    JsFunction *function = CalleeAhead(ahead, scope, callee);
    if (!function || function->aheadSkip || !Computes(child, kExpressionDepth)) {
        if (function && function->aheadSkip) function->aheadSkip--;
        g_hostQuiet = quiet;
        g_hostAsked = false;
        for (int i = 0; i < root.count; i++) ReleaseRef(root.arguments[i]);
        return false;
    }
    function->refs++;
    const int32_t budget = context->budget;
    context->budget--;  // the call
    JsToken *failedAhead = nullptr;
    JsValue *value = RunCall(ahead, scope, child, function, &failedAhead);
    for (int i = 0; i < root.count; i++) ReleaseRef(root.arguments[i]);
    g_hostQuiet = quiet;
    const bool finished = value && !failedAhead && !g_hostAsked && context->budget >= 1;
    const bool givenUp = (ahead.dropped || g_hostAsked) && !ahead.foreseen;
    g_hostAsked = false;
    if (!finished) {
        // As though it never ran. A call given up on half way waits a while
        // before it is tried again, longer each time.
        ReleaseRef(value);
        context->budget = budget;
        if (givenUp) {
            function->aheadSkip = function->aheadBackoff;
            function->aheadBackoff = function->aheadBackoff < 2048 ? 2 * function->aheadBackoff + 1 : 4095;
        }
        ReleaseRef(function);
        return false;
    }
    function->aheadBackoff /= 2;
    ReleaseRef(function);
    PutOperand(parent, value);
    ReleaseRef(value);
    AssignRef(&context->currentGlobal, parent->globalObject);
    return true;
}

JsValue *frameless::CallPlainBodyAhead(Run &run, JsFrame *scope, JsToken *node, JsFunction *function,
                                       JsToken **failed) {
    JsEvalContext *context = run.context;
    JsToken *list = node->FirstChild()->Next();
    int given = 0;
    for (JsToken *argument = list->FirstChild(); argument; argument = argument->Next()) given++;
    if (given > kAheadParameters || !RunsAhead(function)) return nullptr;
    // The arguments are evaluated in the scope of the call's frame, which has
    // the expression's and holds the callee.
    JsFrame call;
    BorrowCallFrame(&call, scope, function, node);
    Scope body;
    body.function = function;
    body.count = 0;
    context->budget--;  // the list
    for (JsToken *argument = list->FirstChild(); argument; argument = argument->Next()) {
        JsValue *value = Evaluate(run, &call, argument, failed);
        if (*failed || !value) {
            if (!*failed) *failed = list;
            break;
        }
        body.arguments[body.count++] = HeldArgument(value);
    }
    ForgetCallFrame(&call);
    JsValue *result = nullptr;
    if (!*failed) {
        AssignRef(&context->currentGlobal, scope->globalObject);
        // A body whose script the host has let go of runs nothing.
        if (JsToken *statements = function->Body()) {
            context->budget--;  // the body
            Ahead ahead(run);
            result = BodyValue(ahead, &body, statements, failed);
        } else {
            result = Owned(g_shared.undefinedValue);
        }
        AssignRef(&context->currentGlobal, scope->globalObject);
    }
    for (int i = 0; i < body.count; i++) ReleaseRef(body.arguments[i]);
    if (*failed) {
        ReleaseRef(result);
        return nullptr;
    }
    return result;
}
