// Operator nodes: arithmetic, comparison, logical, bitwise, typeof, void,
// and the assignments with ++ and --.
#include <cstdio>

#include "builtins/function.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

Step PopNumber(double value) { return Pop(MakeNumber(value)); }
Step PopNaN() { return Pop(JsNumber::MakeNaN()); }
Step PopBoolean(bool truth) { return Pop(truth ? g_shared.trueValue : g_shared.falseValue); }

Step Arithmetic(JsToken *node, JsValue *left, JsValue *right) {
    const int code = node->code;
    if (code == TK_PLUS) {
        if (left->IsString()) {
            if (right->IsString())
                return Pop(JsString::Join(static_cast<JsString *>(left), static_cast<JsString *>(right)));
            return Pop(JsString::Join(static_cast<JsString *>(left), right->ToText()));
        }
        if (right->IsString()) return Pop(JsString::Join(left->ToText(), static_cast<JsString *>(right)));
    }
    if (left->IsNaN()) return Pop(left);
    if (right->IsNaN()) return Pop(right);
    const double a = left->ToNumber(), b = right->ToNumber();
    switch (code) {
    case TK_PLUS: return PopNumber(a + b);
    case TK_MINUS: case TK_NEG: return PopNumber(a - b);
    case TK_MUL: return PopNumber(a * b);
    case TK_DIV:
        if (b == 0.0) return PopNaN();
        return PopNumber(a / b);
    case TK_MOD: {
        const int32_t divisor = IntegerView(b);
        if (divisor == 0) return PopNaN();
        const int32_t dividend = IntegerView(a);
        // The most negative integer divided by -1 leaves 0 without trapping.
        return PopNumber(divisor == -1 ? 0.0 : static_cast<double>(dividend % divisor));
    }
    case TK_SHL:
        return PopNumber(static_cast<int32_t>(static_cast<uint32_t>(IntegerView(a)) << (IntegerView(b) & 31)));
    case TK_SHR:
        return PopNumber(IntegerView(a) >> (IntegerView(b) & 31));
    default:
        // >>>: the arithmetic shift with only its low 27 bits kept, whatever
        // the count, as scripts of the time saw it.
        return PopNumber((IntegerView(a) >> (IntegerView(b) & 31)) & 0x07FFFFFF);
    }
}

Step Comparison(JsToken *node, JsValue *left, JsValue *right) {
    int code = node->code;
    if (left->IsNaN() || right->IsNaN()) return PopBoolean(code == TK_NE);
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
    const int c = left->Compare(right);
    switch (code) {
    case TK_EQ: return PopBoolean(c == 0);
    case TK_NE: return PopBoolean(c != 0);
    case TK_LT: return PopBoolean(c < 0);
    case TK_LE: return PopBoolean(c <= 0);
    case TK_GT: return PopBoolean(c > 0);
    default: return PopBoolean(c >= 0);
    }
}

Step Bitwise(JsToken *node, JsValue *left, JsValue *right) {
    if (left->IsNaN()) return Pop(left);
    if (right->IsNaN()) return Pop(right);
    const int32_t a = IntegerView(left->ToNumber()), b = IntegerView(right->ToNumber());
    switch (node->code) {
    case TK_BITAND: return PopNumber(a & b);
    case TK_BITOR: return PopNumber(a | b);
    default: return PopNumber(a ^ b);
    }
}

bool IsComparison(int code) {
    return code == TK_EQ || code == TK_NE || code == TK_LT || code == TK_LE || code == TK_GT || code == TK_GE;
}

// ! and ~, typeof and void: one child.
Step Unary(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *child = node->FirstChild();
    if (!run.done) {
        if (!child) return Fail(node);
        return Push(child);
    }
    JsValue *v = f->operand1;
    switch (node->code) {
    case TK_VOID: return Pop();
    case TK_TYPEOF:
        if (!v) return Fail(node);
        return Pop(v->TypeName());
    case TK_NOT:
        if (!v) return Fail(node);
        return PopBoolean(!v->ToBoolean());
    default:  // ~
        if (!v) return Fail(node);
        if (v->IsNaN()) return Pop(v);
        return PopNumber(~IntegerView(v->ToNumber()));
    }
}

}  // namespace

Step HandleOperator(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    const int code = node->code;
    if (code == TK_NOT || code == TK_BITNOT || code == TK_TYPEOF || code == TK_VOID) return Unary(run);
    JsToken *left = node->FirstChild();
    if (!run.done) {
        if (!left) return Fail(node);
        if (code == TK_NEG) PutOperand(f, g_shared.zero);
        return Push(left);
    }
    JsToken *right = code == TK_NEG ? nullptr : left->Next();
    if (code != TK_NEG && run.done == left) {
        if (code == TK_AND || code == TK_OR) {
            if (!f->operand1 || !right) return Fail(node);
            const bool truth = f->operand1->ToBoolean() != 0;
            if (code == TK_AND && !truth) return PopBoolean(false);
            if (code == TK_OR && truth) return PopBoolean(true);
        }
        if (!right) return Fail(node);
        return Push(right);
    }
    if (!f->operand1 || !f->operand2) return Fail(node);
    if (code == TK_AND || code == TK_OR) return PopBoolean(f->operand2->ToBoolean() != 0);
    if (IsComparison(code)) return Comparison(node, f->operand1, f->operand2);
    if (code == TK_BITAND || code == TK_BITOR || code == TK_XOR) return Bitwise(node, f->operand1, f->operand2);
    return Arithmetic(node, f->operand1, f->operand2);
}

namespace {

// The property object a member store goes to, or null.
JsObject *StoreTarget(JsValue *value) {
    if (!value) return nullptr;
    if (value->IsObject()) return static_cast<JsObject *>(value);
    if (value->IsFunction()) return static_cast<JsFunction *>(value)->members;
    return nullptr;
}

Step Store(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *target = node->FirstChild();
    JsValue *value = f->held;
    const int op = node->code;
    if (!value) return Fail(node);
    JsValue *result;
    if (target->code == TK_IDENT) {
        NameIndexHint hint(target);
        result = AssignName(target->text, value, op, f, run.context->currentGlobal);
    } else {
        JsObject *object = StoreTarget(f->operand1);
        if (!object) return Fail(node);
        const int create = op == TK_ASSIGN;
        if (JsToken *member = f->memberName) {
            const char *name = member->text ? member->text : "";
            char canonical[kNumberTextSize];
            if (member->code == TK_OCTAL || member->code == TK_HEX || member->code == TK_DECIMAL) {
                std::snprintf(canonical, sizeof canonical, "%.16g", LiteralValue(member->text, member->code));
                name = canonical;
            }
            NameIndexHint hint(member);
            result = object->PutProperty(name, value, op, create);
        } else {
            if (!f->operand2) return Fail(node);
            result = object->PutByKey(f->operand2, value, op, create);
        }
    }
    if (!result) return Fail(node);
    return Pop(result);
}

// The right-hand side (or the ++/-- constant) is in operand1.
Step AfterValue(Run &run) {
    JsFrame *f = run.frame;
    if (!f->operand1) return Fail(f->node);
    AssignRef(&f->held, f->operand1);
    ClearFrame(f, false);
    JsToken *target = f->node->FirstChild();
    if (target->code == TK_IDENT) return Store(run);
    return Push(target, true);
}

}  // namespace

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
        return Push(node->LastChild());
    }
    if (!step && run.done != target) return AfterValue(run);
    return Store(run);
}
