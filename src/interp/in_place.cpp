// Subtrees that cannot pause, run in place: the bound on a node's pushes,
// the frames on the C stack that evaluate such a subtree through the
// handlers, the frames written out when a run-time error, a break or a
// continue stops one, and the frames let go one by one after a return.
#include "interp/dispatch.h"
#include "interp/interpreter.h"

namespace {

// Bounds are learnt by recursion over the children, no deeper than this;
// a deeper subtree counts as unbounded.
constexpr int kBoundDepth = 64;

bool IsJump(const JsToken *node) { return node->code == TK_BREAK || node->code == TK_CONTINUE; }

uint8_t Bound(JsToken *node, int depth);

// The pushes of a node's children, each entered at most once, added to
// total. A break or continue counts its own push here, though it is never
// taken in place itself: reached inside a subtree run in place, it is
// pushed by the loop once the frames below it are written out.
int ChildPushes(JsToken *node, int total, int depth) {
    for (JsToken *child = node->FirstChild(); child && total < JsToken::kUnbounded; child = child->Next()) {
        if (depth >= kBoundDepth) return JsToken::kUnbounded;
        total += IsJump(child) ? ChildPushes(child, 1, depth + 1) : Bound(child, depth + 1);
    }
    return total;
}

uint8_t Bound(JsToken *node, int depth) {
    if (node->pushBound) return node->pushBound;
    int total;
    switch (node->code) {
    case TK_CALL: case TK_NEW: case TK_WHILE: case TK_FOR: case TK_FOR_IN: case TK_WITH: case TK_BREAK:
    case TK_CONTINUE: case TK_NATIVE_BODY: case TK_ROOT:
        total = JsToken::kUnbounded;
        break;
    default:
        // A leaf enters itself; every other node itself (an else part only
        // its statement) and each child at most once.
        total = IsLeaf(node) ? 1 : ChildPushes(node, node->code == TK_ELSE ? 0 : 1, depth);
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

// A run-time error, or a jump, inside frames on the C stack: they become
// frames of the context's stack, as the frame machine would have them, the
// innermost on top. False when memory ran out before all were written.
bool WriteOutFrames(Run &run) {
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
            run.context->top = below;
            return false;
        }
        MoveFrame(copy, stack[i]);
        copy->below = below;
        below = copy;
    }
    run.context->top = below;
    return true;
}

}  // namespace

uint8_t LearnPushBound(JsToken *node) { return Bound(node, 0); }

namespace {

// Each step of the child's frame, set up on the C stack by the caller,
// until it pops or the run stops short (here, or deeper in, where the
// frames were written out).
inline __attribute__((always_inline)) bool StepInPlace(Run &run, JsFrame &frame, JsToken *child) {
    JsEvalContext *context = run.context;
    JsFrame *parent = run.frame;
    ChargePush(context);
    run.frame = &frame;
    run.done = nullptr;
    while (true) {
        Step step = Dispatch(run);
        if (run.stop != Run::GOING) break;
        if (step.kind == Step::POP) {
            PopInto(context, &frame, parent, step.value);
            ReleaseOnStack(&frame);
            run.frame = parent;
            run.done = child;
            return true;
        }
        if (step.kind != Step::PUSH) {
            // ERROR (nothing else comes from a bounded subtree).
            run.stop = Run::FAILED;
            run.stopNode = step.kind == Step::ERROR ? step.errorNode : frame.node;
            WriteOutFrames(run);
            return false;
        }
        if (IsJump(step.child)) {
            // A break or continue unwinds through the frames below it: they
            // are written out, and the loop pushes it (or, when memory ran
            // out, reports the last frame written).
            const bool written = WriteOutFrames(run);
            run.stop = written ? Run::JUMPED : Run::FAILED;
            run.stopNode = written ? step.child : context->top->node;
            return false;
        }
        // A bounded subtree pushes only what its bound counted, with its own
        // scope; the budget covers it.
        if (!RunInPlace(run, step.child, step.wantReference)) break;
    }
    if (run.stop != Run::RETURNED) return false;
    // A return has been done here or deeper in: this frame goes as the
    // return's unwinding would take it.
    ReleaseOnStack(&frame);
    run.frame = parent;
    run.passed = child;
    return false;
}

}  // namespace

bool RunInPlace(Run &run, JsToken *child, bool wantReference) {
    JsFrame frame(run.frame, child, wantReference);
    return StepInPlace(run, frame, child);
}

bool RunBodyInPlace(Run &run, JsToken *body, JsFunction *callee) {
    JsFrame frame(run.frame, body, false);
    BorrowCallScope(&frame, run.frame, callee);
    return StepInPlace(run, frame, body);
}
