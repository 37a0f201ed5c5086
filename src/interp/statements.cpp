// Statement and literal nodes: root and blocks, if and ?:, loops, break,
// continue, return, var, and the literals.
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "interp/literal_cache.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

bool IsLoop(const JsToken *node) {
    return node && (node->code == TK_FOR || node->code == TK_FOR_IN || node->code == TK_WHILE);
}

}  // namespace

// A block's statements, one after the other.
Step HandleList(Run &run) {
    JsFrame *f = run.frame;
    JsToken *next = run.done ? run.done->Next() : f->node->FirstChild();
    if (!run.done && !next) return Pop();  // an empty root empties the stack
    for (; next; next = next->Next()) {
        if (run.done) ClearFrame(f, false);
        if (!TakeInPlace(run, next)) return Push(next);
    }
    if (!f->Prev()) return Finish();
    return Pop(f->operand1);
}

Step HandleConditional(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *condition = node->FirstChild();
    if (!run.done) {
        if (!condition) return Fail(node);
        if (!TakeInPlace(run, condition)) return Push(condition);
    }
    if (run.done == condition) {
        JsToken *then = condition->Next();
        if (!f->operand1 || !then) return Fail(node);
        JsToken *chosen = then;
        if (!f->operand1->ToBoolean()) {
            JsToken *otherwise = then->Next();
            chosen = !otherwise ? nullptr : node->code == TK_IF ? otherwise->FirstChild() : otherwise;
            if (!chosen) return Pop();
        }
        if (!TakeInPlace(run, chosen)) return Push(chosen);
    }
    return Pop(f->operand2);
}

Step HandleWhile(Run &run) {
    JsFrame *f = run.frame;
    JsToken *condition = f->node->FirstChild();
    if (!run.done) {
        if (!condition) return Fail(f->node);
        if (!TakeInPlace(run, condition)) return Push(condition);
    }
    while (true) {
        if (run.done == condition) {
            JsToken *body = condition->Next();
            if (!f->operand1 || !body) return Fail(f->node);
            if (!f->operand1->ToBoolean()) return Pop();
            if (!TakeInPlace(run, body)) return Push(body);
        }
        ClearFrame(f, false);
        if (!TakeInPlace(run, condition)) return Push(condition);
    }
}

Step HandleFor(Run &run) {
    JsFrame *f = run.frame;
    JsToken *init = f->node->FirstChild();
    JsToken *condition = init ? init->Next() : nullptr;
    JsToken *step = condition ? condition->Next() : nullptr;
    JsToken *body = step ? step->Next() : nullptr;
    if (!run.done) {
        if (!step) return Fail(f->node);
        if (!TakeInPlace(run, init)) return Push(init);
    }
    while (true) {
        JsToken *next;
        if (run.done == condition) {
            if (!f->operand1) return Fail(f->node);
            if (!f->operand1->ToBoolean()) return Pop(f->operand1);
            next = body ? body : step;
        } else {
            ClearFrame(f, false);
            next = run.done == init || run.done == step ? condition : step;  // else after the body
        }
        if (!TakeInPlace(run, next)) return Push(next);
    }
}

// break and continue: unwind to the loop.
Step HandleJump(Run &run) {
    const bool isContinue = run.frame->node->code == TK_CONTINUE;
    JsFrame *f = run.frame;
    while (true) {
        if (IsLoop(f->node)) break;
        if (isContinue && IsLoop(f->node->Parent())) break;
        JsFrame *parent = f->Prev();
        if (!parent) break;
        DiscardFrame(run.context, f);
        f = parent;
    }
    run.frame = f;
    if (isContinue && f->node->Parent()) {
        // The loop frame resumes as if its body had just completed.
        f->node = f->node->Parent()->LastChild();
    }
    return Pop();
}

namespace {

// The unwinding of a return: frames go from f down to the call that gets
// the value (counted, or null) or to the bottom frame, where the statement
// that held the return (lastPopped) has completed.
inline __attribute__((always_inline)) void Unwind(Run &run, JsFrame *f, JsToken *lastPopped, JsToken *returnNode,
                                                  JsValue *result) {
    while (f->node->code != TK_CALL && !(f->node->code == TK_COMMA && f->savedChild) && f->Prev()) {
        JsFrame *parent = f->Prev();
        lastPopped = f->node;
        DiscardFrame(run.context, f);
        f = parent;
    }
    ClearFrame(f, false);
    PutOperand(f, result);
    ReleaseRef(result);
    run.frame = f;
    run.done = f->Prev() ? returnNode : lastPopped;
}

}  // namespace

Step HandleReturn(Run &run) {
    JsFrame *f = run.frame;
    JsToken *value = f->node->FirstChild();
    if (!run.done && value && !TakeInPlace(run, value)) return Push(value);
    JsValue *result = value ? f->operand1 : nullptr;
    if (result) result->refs++;
    if (f->onStack) {
        // Done in place: the runs in place end first (RunInPlace).
        run.stop = Run::RETURNED;
        run.stopNode = f->node;
        run.returnValue = result;
        return Pop();
    }
    JsFrame *parent = f->Prev();
    JsToken *returnNode = f->node;
    DiscardFrame(run.context, f);
    Unwind(run, parent, returnNode, returnNode, result);
    return Resume();
}

void ReturnFromInPlace(Run &run) {
    JsToken *returnNode = run.stopNode;
    JsValue *result = run.returnValue;
    run.stop = Run::GOING;
    run.returnValue = nullptr;
    Unwind(run, run.frame, run.passed, returnNode, result);
}

namespace {

// Declares a name for var: a local inside a function, else on the global
// unless it is there already.
bool Declare(Run &run, const char *name) {
    JsFrame *f = run.frame;
    JsValue *null = g_shared.nullValue;
    if (f->function) return StoreLocal(name, null, TK_ASSIGN, f, true) != nullptr;
    JsValue *global = run.context->currentGlobal;
    if (!global || !global->IsObject()) return false;
    JsObject *object = static_cast<JsObject *>(global);
    JsValue *existing = object->GetProperty(name);
    if (existing) {
        DropIfUnowned(existing);
        return true;
    }
    return object->PutProperty(name, null, TK_ASSIGN, 1) != nullptr;
}

}  // namespace

Step HandleVar(Run &run) {
    JsFrame *f = run.frame;
    if (run.done) return Pop(f->operand1);
    JsToken *declarator = f->node->FirstChild();
    if (!declarator) return Fail(f->node);
    if (declarator->code == TK_COMMA) {
        if (!TakeInPlace(run, declarator)) return Push(declarator);
        return Pop(f->operand1);
    }
    if (declarator->code == TK_IDENT) {
        if (!Declare(run, declarator->text)) return Fail(f->node);
        return Pop();
    }
    JsToken *target = declarator->FirstChild();
    if (declarator->code == TK_ASSIGN && target && target->code == TK_IDENT) {
        if (!Declare(run, target->text)) return Fail(f->node);
        if (!TakeInPlace(run, declarator)) return Push(declarator);
        return Pop(f->operand1);
    }
    return Fail(f->node);
}

bool DeclareForList(Run &run, const char *name) { return Declare(run, name); }

JsValue *LeafValue(Run &run, JsFrame *scope, JsToken *node) {
    switch (node->code) {
    case TK_IDENT: return ResolveName(node->text, scope, run.context->currentGlobal, node);
    case TK_EMPTY: case TK_FUNCTION: return nullptr;
    case TK_NULL: return g_shared.nullValue;
    case TK_FALSE: return g_shared.falseValue;
    case TK_TRUE: return g_shared.trueValue;
    case TK_THIS: return scope->thisObject ? scope->thisObject : run.context->currentGlobal;
    case TK_STRING: {
        if (JsValue *shared = RememberedLiteral(node)) return shared;
        JsString *text = JsString::Make(node->text);
        RememberLiteral(node, text);
        return text;
    }
    default: {
        if (JsValue *shared = RememberedLiteral(node)) return shared;
        // The text and code of a node never change: read the value once.
        JsNumber *number;
        if (node->numberKnown == 1) {
            number = MakeNumber(node->integer);
        } else {
            const double value = LiteralValue(node->text, node->code);
            if (!node->numberKnown) {
                const bool integral = value >= -2147483648.0 && value <= 2147483647.0 &&
                                      static_cast<double>(static_cast<int32_t>(value)) == value;
                node->numberKnown = integral ? 1 : 2;
                if (integral) node->integer = static_cast<int32_t>(value);
            }
            number = MakeNumber(value);
        }
        RememberLiteral(node, number);
        return number;
    }
    }
}

namespace {

// What entering a leaf gives: its value, or for a name that is an
// assignment target no value and the name in *memberName. A leaf is done
// as soon as it is entered, so the frame that pushes one can take this in
// the leaf's place (scope: the frames share their scope).
inline JsValue *LeafStep(Run &run, JsFrame *scope, JsToken *node, bool wantReference, JsToken **memberName) {
    if (node->code == TK_IDENT) {
        if (!wantReference) return ResolveName(node->text, scope, run.context->currentGlobal, node);
        *memberName = node;  // the assignment stores by name
        return nullptr;
    }
    return LeafValue(run, scope, node);
}

}  // namespace

Step HandleLeaf(Run &run) {
    JsFrame *f = run.frame;
    return Pop(LeafStep(run, f, f->node, f->wantReference, &f->memberName));
}

bool TakeLeaf(Run &run, JsToken *child, bool wantReference) {
    JsEvalContext *context = run.context;
    // A leaf is entered and popped at once: its push is counted, and the
    // frame that pushed it gets what its pop would give, without a frame
    // being made for it.
    ChargePush(context);
    JsFrame *frame = run.frame;
    JsToken *memberName = nullptr;
    JsValue *value = LeafStep(run, frame, child, wantReference, &memberName);
    AssignRef(&context->currentGlobal, frame->globalObject);
    if (wantReference) frame->memberName = memberName;
    PutOperand(frame, value);
    run.done = child;
    return true;
}
