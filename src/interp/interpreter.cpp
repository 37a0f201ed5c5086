#include "interp/interpreter.h"

#include "interp/dispatch.h"

#include <initializer_list>

#include "builtins/host_object.h"
#include "compiler/printer.h"
#include "engine/callbacks.h"
#include "engine/shared.h"
#include "values/object.h"

namespace {


uint32_t HostHandleOf(JsValue *value) {
    if (value && value->IsObjectKind() && static_cast<JsObject *>(value)->IsHostObject())
        return static_cast<JsHostObject *>(value)->handle;
    return 0;
}

}  // namespace

Step HandleMissing(Run &run) { return Fail(run.frame->node); }  // %=, >>>=, in, else, ...

void ReportRuntimeError(JsEvalContext *context, const JsToken *node) {
    char text[1024];
    text[0] = 0;
    if (node) PrintSource(node, text, sizeof text);
    if (g_host.reportError) g_host.reportError(HostHandleOf(context->currentGlobal), RC_RUNTIME_ERROR, text);
}

int Interpret(JsEvalContext *context, JsValue **result) {
    JsFrame *first = context->top;
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
            if (run.stop == Run::GOING && step.scope == Step::INHERIT &&
                TakeInPlace(run, step.child, step.wantReference))
                continue;
            if (run.stop == Run::RETURNED) {
                ReturnFromInPlace(run);
                continue;
            }
            if (run.stop == Run::FAILED) {
                // A subtree run in place failed: its frames are on the stack.
                ReportRuntimeError(context, run.stopNode);
                return RC_RUNTIME_ERROR;
            }
            if (run.stop == Run::JUMPED) {
                // A subtree run in place reached a break or continue: its
                // frames are on the stack, and the topmost pushes it.
                frame = run.frame = context->top;
                step.child = run.stopNode;
                step.wantReference = false;
                step.scope = Step::INHERIT;
                run.stop = Run::GOING;
            }
            JsFrame *child = AcquireFrame();
            if (child && step.scope == Step::INHERIT) {
                LinkInheriting(child, frame, step.child, step.wantReference);
            } else if (child) {
                child->wantReference = step.wantReference;
                if (step.scope == Step::CALL && run.thisObject == frame->thisObject &&
                    run.locals == frame->locals) {
                    BorrowCallScope(child, frame, run.function);
                } else {
                    const bool call = step.scope == Step::CALL;
                    child->ownsScope = true;
                    child->function = call ? run.function : frame->function;
                    AssignRef(&child->globalObject, frame->globalObject);
                    AssignRef(&child->thisObject, call ? run.thisObject : frame->thisObject);
                    AssignRef(&child->locals, call ? run.locals : frame->locals);
                    AssignRef(&child->args, frame->args);
                    AssignRef(&child->withObject, call ? nullptr : run.withObject);
                    // A with of the object already in scope adds nothing to
                    // the chain: its frames join the run below.
                    if (!call) child->withStart = run.withObject == frame->withObject ? frame->withStart : child;
                }
                child->node = step.child;
                child->below = frame;
            }
            if (child) {
                context->top = child;
                run.frame = child;
                run.done = nullptr;
                if (ChargePush(context) <= 0) return RC_BUSY;
                continue;
            }
            // No frame to be had (memory has run out, as in an endless
            // recursion): the node that asked for it fails, and stays on
            // top to be entered again.
            if (step.scope == Step::CALL) DropIfUnowned(run.locals);
            ReportRuntimeError(context, frame->node);
            return RC_RUNTIME_ERROR;
        }
        case Step::POP: {
            JsFrame *parent = frame->below;
            JsValue *value = step.value;
            if (parent) PopInto(context, frame, parent, value);
            run.done = frame->node;
            if (!parent && value && value->refs == 0) DropIfUnowned(value);  // with a parent, PutOperand took or dropped it
            DiscardFrame(context, frame);
            if (!parent) return RC_DONE;
            run.frame = parent;
            continue;
        }
        }
    }
}
