#include "interp/interpreter.h"

#include <initializer_list>

#include "builtins/host_object.h"
#include "compiler/printer.h"
#include "engine/callbacks.h"
#include "engine/shared.h"
#include "values/object.h"

namespace {

Step NoHandler(Run &run) { return Fail(run.frame->node); }  // %=, >>>=, in, else, ...

using Handler = Step (*)(Run &);

struct NodeTable {
    Handler handler[kCodeLimit];
};

constexpr NodeTable MakeNodeTable() {
    NodeTable t{};
    for (int c = 0; c < kCodeLimit; c++) t.handler[c] = NoHandler;
    t.handler[TK_ROOT] = t.handler[TK_BLOCK] = HandleList;
    t.handler[TK_IF] = t.handler[TK_CONDITIONAL] = HandleConditional;
    t.handler[TK_WHILE] = HandleWhile;
    t.handler[TK_FOR] = HandleFor;
    t.handler[TK_BREAK] = t.handler[TK_CONTINUE] = HandleJump;
    t.handler[TK_RETURN] = HandleReturn;
    t.handler[TK_VAR] = HandleVar;
    for (int c = 0; c < kCodeLimit; c++)
        if (kLeafCodes.leaf[c]) t.handler[c] = HandleLeaf;
    t.handler[TK_DOT] = t.handler[TK_SUBSCRIPT] = HandleMember;
    t.handler[TK_WITH] = HandleWith;
    t.handler[TK_FOR_IN] = HandleForIn;
    t.handler[TK_CALL] = HandleCall;
    t.handler[TK_COMMA] = HandleArgumentList;
    t.handler[TK_NEW] = HandleNew;
    t.handler[TK_NATIVE_BODY] = HandleNativeBody;
    for (int c : {TK_ASSIGN, TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_MUL_ASSIGN, TK_DIV_ASSIGN, TK_AND_ASSIGN, TK_OR_ASSIGN,
                  TK_XOR_ASSIGN, TK_SHL_ASSIGN, TK_SHR_ASSIGN, TK_POSTINC, TK_POSTDEC, TK_PREINC, TK_PREDEC})
        t.handler[c] = HandleAssignment;
    for (int c : {TK_PLUS, TK_MINUS, TK_NEG, TK_MUL, TK_DIV, TK_MOD, TK_SHL, TK_SHR, TK_USHR, TK_BITAND, TK_BITOR,
                  TK_XOR, TK_BITNOT, TK_NOT, TK_AND, TK_OR, TK_EQ, TK_NE, TK_LT, TK_LE, TK_GT, TK_GE, TK_TYPEOF,
                  TK_VOID})
        t.handler[c] = HandleOperator;
    return t;
}

constexpr NodeTable kNodes = MakeNodeTable();

bool InTable(int code) { return code >= 0 && code < kCodeLimit; }

Step Dispatch(Run &run) {
    const JsToken *node = run.frame->node;
    const int code = node ? node->code : 0;
    return InTable(code) ? kNodes.handler[code](run) : NoHandler(run);
}

uint32_t HostHandleOf(JsValue *value) {
    if (value && value->IsObjectKind() && static_cast<JsObject *>(value)->IsHostObject())
        return static_cast<JsHostObject *>(value)->handle;
    return 0;
}

}  // namespace

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
            if (step.scope == Step::INHERIT && LeafInPlace(run, step.child, step.wantReference)) continue;
            JsFrame *child = AcquireFrame();
            if (child && step.scope == Step::INHERIT) {
                LinkInheriting(child, frame, step.child, step.wantReference);
            } else if (child) {
                child->wantReference = step.wantReference;
                if (step.scope == Step::CALL && run.thisObject == frame->thisObject &&
                    run.locals == frame->locals) {
                    // A call's body borrows the scope the call holds and
                    // keeps unchanged until the body is done.
                    child->function = run.function;
                    child->globalObject = frame->globalObject;
                    child->thisObject = frame->thisObject;
                    child->locals = frame->locals;
                    child->args = frame->args;
                    child->withObject = nullptr;
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
                if (--context->budget <= 0) return RC_BUSY;
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
