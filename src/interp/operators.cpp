// Operator nodes: arithmetic, comparison, logical, bitwise, typeof, void,
// and the assignments with ++ and --.
#include <cstdio>

#include "builtins/function.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

JsValue *Boolean(bool truth) { return truth ? g_shared.trueValue : g_shared.falseValue; }

// Arithmetic on the operands' numbers.
JsValue *NumberArithmetic(int code, double a, double b) {
    switch (code) {
    case TK_PLUS: return MakeNumber(a + b);
    case TK_MINUS: case TK_NEG: return MakeNumber(a - b);
    case TK_MUL: return MakeNumber(a * b);
    case TK_DIV:
        if (b == 0.0) return JsNumber::MakeNaN();
        return MakeNumber(a / b);
    case TK_MOD: {
        const int32_t divisor = IntegerView(b);
        if (divisor == 0) return JsNumber::MakeNaN();
        const int32_t dividend = IntegerView(a);
        // The most negative integer divided by -1 leaves 0 without trapping.
        return MakeNumber(divisor == -1 ? 0.0 : static_cast<double>(dividend % divisor));
    }
    case TK_SHL:
        return MakeNumber(static_cast<int32_t>(static_cast<uint32_t>(IntegerView(a)) << (IntegerView(b) & 31)));
    case TK_SHR:
        return MakeNumber(IntegerView(a) >> (IntegerView(b) & 31));
    default:
        // >>>: the arithmetic shift with only its low 27 bits kept, whatever
        // the count, as scripts of the time saw it.
        return MakeNumber((IntegerView(a) >> (IntegerView(b) & 31)) & 0x07FFFFFF);
    }
}

JsValue *Arithmetic(int code, JsValue *left, JsValue *right) {
    if (code == TK_PLUS) {
        if (left->IsString()) {
            // A text that ends where its block does grows into the block's
            // room, so neither a long chain a + b + c ... nor s = s + t
            // copies what came before each time.
            if (right->IsString())
                return JsString::Join(static_cast<JsString *>(left), static_cast<JsString *>(right));
            return JsString::Join(static_cast<JsString *>(left), right->ToText());
        }
        if (right->IsString()) return JsString::Join(left->ToText(), static_cast<JsString *>(right));
    }
    if (left->IsNaN()) return left;
    if (right->IsNaN()) return right;
    return NumberArithmetic(code, left->ToNumber(), right->ToNumber());
}

// A comparison's answer from the order of its operands: c is -1, 0 or 1
// as the left one is less, equal or greater (1 also when they are unordered).
JsValue *Ordered(int code, int c) {
    switch (code) {
    case TK_EQ: return Boolean(c == 0);
    case TK_NE: return Boolean(c != 0);
    case TK_LT: return Boolean(c < 0);
    case TK_LE: return Boolean(c <= 0);
    case TK_GT: return Boolean(c > 0);
    default: return Boolean(c >= 0);
    }
}

JsValue *Comparison(int code, JsValue *left, JsValue *right) {
    if (left->IsNaN() || right->IsNaN()) return Boolean(code == TK_NE);
    if (!left->IsNumber() && right->IsNumber()) {
        JsValue *t = left;
        left = right;
        right = t;
        switch (code) {
        case TK_LT: code = TK_GT; break;
        case TK_LE: code = TK_GE; break;
        case TK_GT: code = TK_LT; break;
        case TK_GE: code = TK_LE; break;
        default: break;
        }
    }
    return Ordered(code, left->Compare(right));
}

JsValue *Bitwise(int code, JsValue *left, JsValue *right) {
    if (left->IsNaN()) return left;
    if (right->IsNaN()) return right;
    const int32_t a = IntegerView(left->ToNumber()), b = IntegerView(right->ToNumber());
    switch (code) {
    case TK_BITAND: return MakeNumber(a & b);
    case TK_BITOR: return MakeNumber(a | b);
    default: return MakeNumber(a ^ b);
    }
}

bool IsComparison(int code) {
    return code == TK_EQ || code == TK_NE || code == TK_LT || code == TK_LE || code == TK_GT || code == TK_GE;
}

}  // namespace

bool IsUnaryOperator(int code) {
    return code == TK_NOT || code == TK_BITNOT || code == TK_TYPEOF || code == TK_VOID;
}

JsValue *UnaryValue(int code, JsValue *v) {
    switch (code) {
    case TK_TYPEOF: return v->TypeName();
    case TK_NOT: return Boolean(!v->ToBoolean());
    default:  // ~
        if (v->IsNaN()) return v;
        return MakeNumber(~IntegerView(v->ToNumber()));
    }
}

JsValue *BinaryValue(int code, JsValue *left, JsValue *right) {
    if (code == TK_AND || code == TK_OR) return Boolean(right->ToBoolean() != 0);
    JsNumber *a = PlainNumber(left), *b = a ? PlainNumber(right) : nullptr;
    if (b) {
        // Two numbers: what the general paths below give them, directly.
        if (IsComparison(code)) return Ordered(code, NumberOrder(a->value, b->value));
        if (code == TK_BITAND || code == TK_BITOR || code == TK_XOR) return Bitwise(code, left, right);
        return NumberArithmetic(code, a->value, b->value);
    }
    if (IsComparison(code)) return Comparison(code, left, right);
    if (code == TK_BITAND || code == TK_BITOR || code == TK_XOR) return Bitwise(code, left, right);
    return Arithmetic(code, left, right);
}

namespace {

// ! and ~, typeof and void: one child.
Step Unary(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    if (!run.done) {
        JsToken *child = node->FirstChild();
        if (!child) return Fail(node);
        if (!TakeInPlace(run, child)) return Push(child);
    }
    if (node->code == TK_VOID) return Pop();
    if (!f->operand1) return Fail(node);
    return Pop(UnaryValue(node->code, f->operand1));
}

}  // namespace

Step HandleOperator(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    const int code = node->code;
    if (IsUnaryOperator(code)) return Unary(run);
    JsToken *left = node->FirstChild();
    if (!run.done) {
        if (!left) return Fail(node);
        if (code == TK_NEG) PutOperand(f, g_shared.zero);
        if (!TakeInPlace(run, left)) return Push(left);
    }
    if (code != TK_NEG && run.done == left) {
        JsToken *right = left->Next();
        if (code == TK_AND || code == TK_OR) {
            if (!f->operand1 || !right) return Fail(node);
            const bool truth = f->operand1->ToBoolean() != 0;
            if (code == TK_AND && !truth) return Pop(g_shared.falseValue);
            if (code == TK_OR && truth) return Pop(g_shared.trueValue);
        }
        if (!right) return Fail(node);
        if (!TakeInPlace(run, right)) return Push(right);
    }
    if (!f->operand1 || !f->operand2) return Fail(node);
    return Pop(BinaryValue(code, f->operand1, f->operand2));
}

namespace {

// The property object a member store goes to, or null.
JsObject *StoreTarget(JsValue *value) {
    if (!value) return nullptr;
    if (value->IsObjectKind()) return static_cast<JsObject *>(value);
    if (value->IsFunction()) return static_cast<JsFunction *>(value)->members;
    return nullptr;
}

Step Store(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    if (!f->held) return Fail(node);
    JsValue *result = StoreThrough(run, f, node, f->held, f->operand1, f->memberName, f->operand2);
    if (!result) return Fail(node);
    return Pop(result);
}

// The right-hand side (or the ++/-- constant) is in operand1.
Step AfterValue(Run &run) {
    JsFrame *f = run.frame;
    if (!f->operand1) return Fail(f->node);
    // The value moves from the operand to held with its reference.
    JsValue *value = f->operand1;
    f->operand1 = nullptr;
    ReleaseRef(f->held);
    f->held = value;
    ClearFrame(f, false);
    JsToken *target = f->node->FirstChild();
    if (target->code != TK_IDENT && !TakeInPlace(run, target, true)) return Push(target, true);
    return Store(run);
}

}  // namespace

JsValue *StoreThrough(Run &run, JsFrame *scope, JsToken *node, JsValue *value, JsValue *object,
                      JsToken *memberName, JsValue *key) {
    JsToken *target = node->FirstChild();
    const int op = node->code;
    if (target->code == TK_IDENT) return AssignName(target->text, value, op, scope, run.context->currentGlobal, target);
    JsObject *store = StoreTarget(object);
    if (!store) return nullptr;
    const int create = op == TK_ASSIGN;
    if (memberName) {
        const char *name = memberName->text ? memberName->text : "";
        char canonical[kNumberTextSize];
        if (memberName->code == TK_OCTAL || memberName->code == TK_HEX || memberName->code == TK_DECIMAL) {
            std::snprintf(canonical, sizeof canonical, "%.16g", LiteralValue(memberName->text, memberName->code));
            name = canonical;
        }
        NameIndexHint hint(memberName);
        if (memberName->code == TK_IDENT && memberName->text) return store->PutPropertyAt(memberName, value, op, create);
        return store->PutProperty(name, value, op, create);
    }
    if (!key) return nullptr;
    return store->PutByKey(key, value, op, create);
}

Step HandleAssignment(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    const int code = node->code;
    const bool step = code == TK_PREINC || code == TK_POSTINC || code == TK_PREDEC || code == TK_POSTDEC;
    JsToken *target = node->FirstChild();
    if (!run.done) {
        if (!target) return Fail(node);
        if (step) {
            const bool up = code == TK_PREINC || code == TK_POSTINC;
            PutOperand(f, up ? g_shared.minusOne : g_shared.one);
            return AfterValue(run);
        }
        if (!target->Next() || target->Next()->Next()) return Fail(node);
        if (!TakeInPlace(run, node->LastChild())) return Push(node->LastChild());
    }
    if (!step && run.done != target) return AfterValue(run);
    return Store(run);
}
