// Subtrees that cannot pause, run in place: the bound on a node's pushes,
// the frames on the C stack that evaluate such a subtree through the
// handlers, and the frames written out when a run-time error stops one.
#include "interp/dispatch.h"
#include "interp/interpreter.h"

namespace {

// Bounds are learnt by recursion over the children, no deeper than this;
// a deeper subtree counts as unbounded.
constexpr int kBoundDepth = 64;

uint8_t Bound(JsToken *node, int depth) {
    if (node->pushBound) return node->pushBound;
    int total;
    switch (node->code) {
    case TK_CALL: case TK_NEW: case TK_WHILE: case TK_FOR: case TK_FOR_IN: case TK_WITH: case TK_BREAK:
    case TK_CONTINUE: case TK_RETURN: case TK_NATIVE_BODY: case TK_ROOT:
        total = JsToken::kUnbounded;
        break;
    default:
        if (IsLeaf(node)) {
            total = 1;
            break;
        }
        // Every other node enters itself (an else part only its statement)
        // and each child at most once.
        total = node->code == TK_ELSE ? 0 : 1;
        for (JsToken *child = node->FirstChild(); child && total < JsToken::kUnbounded; child = child->Next())
            total += depth < kBoundDepth ? Bound(child, depth + 1) : JsToken::kUnbounded;
        if (total > JsToken::kUnbounded) total = JsToken::kUnbounded;
        break;
    }
    node->pushBound = static_cast<uint8_t>(total);
    return node->pushBound;
}

// Moves a frame's contents to another, leaving the first empty.
void MoveFrame(JsFrame *to, JsFrame *from) {
    JsFrame::InheritScope(to, from);
    to->node = from->node;
    to->operand1 = from->operand1;
    to->operand2 = from->operand2;
    to->memberName = from->memberName;
    to->held = from->held;
    to->pendingArgs = from->pendingArgs;
    to->savedChild = from->savedChild;
    to->ownedScript = from->ownedScript;
    to->toStringArgs = from->toStringArgs;
    to->argumentsDone = from->argumentsDone;
    to->wantReference = from->wantReference;
    to->ownsScope = from->ownsScope;
    from->operand1 = from->operand2 = from->held = from->pendingArgs = nullptr;
    from->ownedScript = nullptr;
    from->ownsScope = false;
}

// A run-time error inside frames on the C stack: they become frames of the
// context's stack, as the frame machine would have left them, the failing
// one on top.
void WriteOutFrames(Run &run) {
    JsFrame *stack[JsToken::kUnbounded + 1];
    int n = 0;
    for (JsFrame *f = run.frame; f && f->onStack && n <= JsToken::kUnbounded; f = f->below) stack[n++] = f;
    JsFrame *below = n ? stack[n - 1]->below : run.frame;
    for (int i = n - 1; i >= 0; i--) {
        JsFrame *copy = AcquireFrame();
        if (!copy) {
            // No memory for the rest: those frames go, and the error stands
            // at the last frame written out.
            for (; i >= 0; i--) ClearFrame(stack[i], true);
            break;
        }
        MoveFrame(copy, stack[i]);
        copy->below = below;
        below = copy;
    }
    run.context->top = below;
}

}  // namespace

uint8_t LearnPushBound(JsToken *node) { return Bound(node, 0); }

bool RunInPlace(Run &run, JsToken *child, bool wantReference) {
    JsEvalContext *context = run.context;
    JsFrame *parent = run.frame;
    JsFrame frame(parent, child, wantReference);
    ChargePush(context);
    run.frame = &frame;
    run.done = nullptr;
    while (true) {
        Step step = Dispatch(run);
        if (run.failed) return false;  // written out deeper in
        switch (step.kind) {
        case Step::POP:
            PopInto(context, &frame, parent, step.value);
            ReleaseOnStack(&frame);
            run.frame = parent;
            run.done = child;
            return true;
        case Step::PUSH:
            // A bounded subtree pushes only what its bound counted, with its
            // own scope; the budget covers it.
            if (!RunInPlace(run, step.child, step.wantReference)) return false;
            continue;
        default:
            // ERROR (nothing else comes from a bounded subtree).
            run.failed = step.kind == Step::ERROR ? step.errorNode : frame.node;
            WriteOutFrames(run);
            return false;
        }
    }
}
