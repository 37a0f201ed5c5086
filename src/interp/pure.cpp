// Expressions of operators, member accesses and assignments over names and
// literals, evaluated by a bounded recursion instead of frames. Each node
// entered counts one push against the budget, values are taken in the order
// the frames take them, and the window is made current after each node as a
// pop makes it, so the run cannot tell the difference.
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "values/object.h"

namespace {

// The most pushes an expression evaluated this way may take; it bounds the
// recursion as well.
constexpr int kPureLimit = 64;
constexpr uint8_t kNotPure = 255;

bool IsValueLeaf(int code) {
    switch (code) {
    case TK_IDENT: case TK_NULL: case TK_FALSE: case TK_TRUE: case TK_THIS: case TK_STRING:
    case TK_INT: case TK_OCTAL: case TK_HEX: case TK_DECIMAL:
        return true;
    default:
        return false;
    }
}

bool IsBinaryOperator(int code) {
    switch (code) {
    case TK_PLUS: case TK_MINUS: case TK_MUL: case TK_DIV: case TK_MOD: case TK_SHL: case TK_SHR: case TK_USHR:
    case TK_BITAND: case TK_BITOR: case TK_XOR: case TK_AND: case TK_OR: case TK_EQ: case TK_NE:
    case TK_LT: case TK_LE: case TK_GT: case TK_GE:
        return true;
    default:
        return false;
    }
}

bool IsAssignment(int code) {
    switch (code) {
    case TK_ASSIGN: case TK_ADD_ASSIGN: case TK_SUB_ASSIGN: case TK_MUL_ASSIGN: case TK_DIV_ASSIGN:
    case TK_AND_ASSIGN: case TK_OR_ASSIGN: case TK_XOR_ASSIGN: case TK_SHL_ASSIGN: case TK_SHR_ASSIGN:
    case TK_POSTINC: case TK_POSTDEC: case TK_PREINC: case TK_PREDEC:
        return true;
    default:
        return false;
    }
}

bool IsStep(int code) { return code == TK_PREINC || code == TK_POSTINC || code == TK_PREDEC || code == TK_POSTDEC; }

// A subscript whose index is an expression of its own (not a name or a
// literal key).
bool IsComputedIndex(const JsToken *node) {
    const JsToken *member = node->FirstChild()->Next();
    return node->code == TK_SUBSCRIPT && member->code != TK_IDENT && member->code != TK_STRING &&
           !(member->code >= TK_INT && member->code <= TK_DECIMAL);
}

// The node's size, or 0 when it is no such expression or is bigger than room.
// Shapes that the operator handler would refuse (a missing operand) are left
// to the frames, which report them.
int Measure(const JsToken *node, int room) {
    if (room <= 0) return 0;
    const int code = node->code;
    if (IsValueLeaf(code)) return 1;
    if (code == TK_DOT || code == TK_SUBSCRIPT) {
        const JsToken *object = node->FirstChild();
        const JsToken *member = object ? object->Next() : nullptr;
        if (!member) return 0;
        const int a = Measure(object, room - 1);
        if (!a || !IsComputedIndex(node)) return a ? 1 + a : 0;
        const int b = Measure(member, room - 1 - a);
        return b ? 1 + a + b : 0;
    }
    if (IsAssignment(code)) {
        // The value (none for ++ and --), then a member target as a frame of
        // its own; a name target is stored without a push.
        const JsToken *target = node->FirstChild();
        if (!target) return 0;
        int size = 1;
        if (!IsStep(code)) {
            if (!target->Next() || target->Next()->Next()) return 0;
            const int v = Measure(target->Next(), room - size);
            if (!v) return 0;
            size += v;
        }
        if (target->code == TK_IDENT) return size;
        if (target->code != TK_DOT && target->code != TK_SUBSCRIPT) return 0;
        const int t = Measure(target, room - size);
        return t ? size + t : 0;
    }
    const bool unary = IsUnaryOperator(code) || code == TK_NEG;
    if (!unary && !IsBinaryOperator(code)) return 0;
    const JsToken *first = node->FirstChild();
    if (!first) return 0;
    const int a = Measure(first, room - 1);
    if (!a) return 0;
    if (unary) return 1 + a;
    const JsToken *second = first->Next();
    if (!second) return 0;
    const int b = Measure(second, room - 1 - a);
    return b ? 1 + a + b : 0;
}

JsValue *Owned(JsValue *value) {
    if (value) value->refs++;
    return value;
}

JsValue *Evaluate(Run &run, JsFrame *scope, JsToken *node, JsToken **failed);

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
            *key = Owned(ResolveName(member->text, scope, context->currentGlobal));
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
    if (IsStep(code)) {
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

JsValue *Evaluate(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    JsEvalContext *context = run.context;
    context->budget--;
    const int code = node->code;
    JsValue *result = nullptr;
    if (IsValueLeaf(code)) {
        result = Owned(LeafValue(run, scope, node));
    } else if (IsAssignment(code)) {
        result = Assign(run, scope, node, failed);
        if (*failed) return nullptr;
    } else if (code == TK_DOT || code == TK_SUBSCRIPT) {
        JsToken *member = node->FirstChild()->Next();
        JsValue *object = Evaluate(run, scope, node->FirstChild(), failed);  // owned, as a frame's operand
        if (*failed) return nullptr;
        JsValue *value = nullptr;
        bool ok = true;
        switch (MemberAfterObject(run, scope, node, &object, false, &value)) {
        case MEMBER_VALUE: break;
        case MEMBER_INDEX: {
            JsValue *index = Evaluate(run, scope, member, failed);
            if (*failed) {
                ReleaseRef(object);
                return nullptr;
            }
            ok = IndexedMember(scope, object, index, &value);
            if (ok) result = Owned(value);
            ReleaseRef(index);
            value = nullptr;
            break;
        }
        default: ok = false; break;
        }
        if (value) result = Owned(value);
        ReleaseRef(object);
        if (!ok) {
            *failed = node;
            return nullptr;
        }
    } else {
        JsToken *first = node->FirstChild();
        JsValue *a = Evaluate(run, scope, first, failed);
        if (*failed) return nullptr;
        if (IsUnaryOperator(code) || code == TK_NEG) {
            if (code != TK_VOID) {
                if (!a) {
                    *failed = node;
                    return nullptr;
                }
                // Negation is 0 minus the operand.
                result = Owned(code == TK_NEG ? BinaryValue(TK_NEG, g_shared.zero, a) : UnaryValue(code, a));
            }
            ReleaseRef(a);
        } else {
            bool decided = false;
            if (code == TK_AND || code == TK_OR) {
                if (!a) {
                    *failed = node;
                    return nullptr;
                }
                const bool truth = a->ToBoolean() != 0;
                if (code == TK_AND && !truth) result = Owned(g_shared.falseValue), decided = true;
                if (code == TK_OR && truth) result = Owned(g_shared.trueValue), decided = true;
            }
            if (!decided) {
                // Both operands are evaluated before a missing one fails.
                JsValue *b = Evaluate(run, scope, first->Next(), failed);
                if (*failed || !a || !b) {
                    ReleaseRef(a);
                    ReleaseRef(b);
                    if (!*failed) *failed = node;
                    return nullptr;
                }
                result = Owned(BinaryValue(code, a, b));
                ReleaseRef(b);
            }
            ReleaseRef(a);
        }
    }
    AssignRef(&context->currentGlobal, scope->globalObject);
    return result;
}

}  // namespace

int PureSize(JsToken *node) {
    if (!node->pureSize) {
        const int size = Measure(node, kPureLimit);
        node->pureSize = size ? static_cast<uint8_t>(size) : kNotPure;
    }
    return node->pureSize == kNotPure ? 0 : node->pureSize;
}

JsValue *EvaluatePure(Run &run, JsFrame *scope, JsToken *node, JsToken **failed) {
    *failed = nullptr;
    return Evaluate(run, scope, node, failed);
}
