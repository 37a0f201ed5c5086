#include "interp/interpreter.h"

#include "builtins/host_object.h"
#include "compiler/printer.h"
#include "engine/callbacks.h"
#include "engine/shared.h"
#include "values/object.h"

namespace {

bool IsAssignmentNode(int code) {
    switch (code) {
    case TK_ASSIGN: case TK_ADD_ASSIGN: case TK_SUB_ASSIGN: case TK_MUL_ASSIGN: case TK_DIV_ASSIGN:
    case TK_AND_ASSIGN: case TK_OR_ASSIGN: case TK_XOR_ASSIGN: case TK_SHL_ASSIGN: case TK_SHR_ASSIGN:
    case TK_POSTINC: case TK_POSTDEC: case TK_PREINC: case TK_PREDEC:
        return true;
    default:
        return false;
    }
}

bool IsOperatorNode(int code) {
    switch (code) {
    case TK_PLUS: case TK_MINUS: case TK_NEG: case TK_MUL: case TK_DIV: case TK_MOD:
    case TK_SHL: case TK_SHR: case TK_USHR: case TK_BITAND: case TK_BITOR: case TK_XOR:
    case TK_BITNOT: case TK_NOT: case TK_AND: case TK_OR: case TK_EQ: case TK_NE:
    case TK_LT: case TK_LE: case TK_GT: case TK_GE: case TK_TYPEOF: case TK_VOID:
        return true;
    default:
        return false;
    }
}

Step Dispatch(Run &run) {
    const int code = run.frame->node ? run.frame->node->code : 0;
    switch (code) {
    case TK_ROOT: case TK_BLOCK: case TK_EMPTY: case TK_FUNCTION: case TK_IF: case TK_CONDITIONAL:
    case TK_WHILE: case TK_FOR: case TK_BREAK: case TK_CONTINUE: case TK_RETURN: case TK_VAR:
    case TK_NULL: case TK_FALSE: case TK_TRUE: case TK_THIS: case TK_INT: case TK_OCTAL: case TK_HEX:
    case TK_DECIMAL: case TK_STRING:
        return HandleStatement(run);
    case TK_IDENT: return HandleName(run);
    case TK_DOT: case TK_SUBSCRIPT: return HandleMember(run);
    case TK_WITH: return HandleWith(run);
    case TK_FOR_IN: return HandleForIn(run);
    case TK_CALL: return HandleCall(run);
    case TK_COMMA: return HandleArgumentList(run);
    case TK_NEW: return HandleNew(run);
    case TK_NATIVE_BODY: return HandleNativeBody(run);
    default:
        if (IsAssignmentNode(code)) return HandleAssignment(run);
        if (IsOperatorNode(code)) return HandleOperator(run);
        return Fail(run.frame->node);  // no handler (%=, >>>=, in, else, ...)
    }
}

uint32_t HostHandleOf(JsValue *value) {
    if (value && value->IsObject() && static_cast<JsObject *>(value)->IsHostObject())
        return static_cast<JsHostObject *>(value)->handle;
    return 0;
}

}  // namespace

void DiscardFrame(JsFrame *frame) {
    frame->Unlink();
    ClearFrame(frame, true);
    ReleaseFrame(frame);
}

void ReportRuntimeError(JsEvalContext *context, const JsToken *node) {
    char text[1024];
    text[0] = 0;
    if (node) PrintSource(node, text, sizeof text);
    if (g_host.reportError) g_host.reportError(HostHandleOf(context->currentGlobal), RC_RUNTIME_ERROR, text);
}

int Interpret(JsEvalContext *context, JsValue **result) {
    JsFrame *first = static_cast<JsFrame *>(context->frames.Last());
    if (!first) {
        ReportRuntimeError(context, nullptr);
        return RC_RUNTIME_ERROR;
    }
    context->budget = kPushBudget;
    Run run{context, first, nullptr};
    while (true) {
        Step step = Dispatch(run);
        JsFrame *frame = run.frame;
        switch (step.kind) {
        case Step::RESUME:
            continue;
        case Step::ERROR:
            ReportRuntimeError(context, step.errorNode);
            return RC_RUNTIME_ERROR;
        case Step::FINISH: {
            AssignRef(result, frame->operand1);
            JsValue *v = frame->operand1;
            if (v && v->IsBoolean()) return v->ToBoolean() ? RC_DONE_TRUE : RC_DONE_FALSE;
            return RC_DONE;
        }
        case Step::PUSH: {
            JsToken *leaf = step.child;
            if (leaf && step.scope == Step::INHERIT && IsLeafNode(leaf->code) && context->budget > 1) {
                // A leaf is evaluated in its parent's frame, as if it had
                // been pushed and popped: the same count against the
                // budget, the same value and target name handed on.
                --context->budget;
                JsValue *value = step.wantReference && leaf->code == TK_IDENT ? nullptr : LeafValue(run, frame, leaf);
                AssignRef(&context->currentGlobal, frame->globalObject);
                if (step.wantReference) frame->memberName = leaf->code == TK_IDENT ? leaf : nullptr;
                PutOperand(frame, value);
                run.done = leaf;
                continue;
            }
            JsFrame *child = AcquireFrame();
            if (child) {
                child->wantReference = step.wantReference;
                if (step.scope != Step::INHERIT) {
                    const bool call = step.scope == Step::CALL;
                    child->ownsScope = true;
                    child->function = call ? run.function : frame->function;
                    AssignRef(&child->globalObject, frame->globalObject);
                    AssignRef(&child->thisObject, call ? run.thisObject : frame->thisObject);
                    AssignRef(&child->locals, call ? run.locals : frame->locals);
                    AssignRef(&child->args, frame->args);
                    AssignRef(&child->withObject, call ? nullptr : run.withObject);
                } else {
                    child->function = frame->function;
                    child->globalObject = frame->globalObject;
                    child->thisObject = frame->thisObject;
                    child->locals = frame->locals;
                    child->args = frame->args;
                    child->withObject = frame->withObject;
                }
                child->node = step.child;
                child->InsertAfter(frame);
                run.frame = child;
                run.done = nullptr;
                if (--context->budget <= 0) return RC_BUSY;
                continue;
            }
            // No frame to be had: the node pops with no value.
            if (step.scope == Step::CALL) DropIfUnowned(run.locals);
            step = Pop();
        }
            [[fallthrough]];
        case Step::POP: {
            JsFrame *parent = frame->prev == &context->frames ? nullptr : static_cast<JsFrame *>(frame->prev);
            JsValue *value = step.value;
            if (parent) {
                AssignRef(&context->currentGlobal, parent->globalObject);
                if (frame->wantReference) parent->memberName = frame->memberName;
                PutOperand(parent, value);
            }
            run.done = frame->node;
            if (!parent && value && value->refs == 0) DropIfUnowned(value);  // with a parent, PutOperand took or dropped it
            DiscardFrame(frame);
            if (!parent) return RC_DONE;
            run.frame = parent;
            continue;
        }
        }
    }
}
