// Interpreter frames, their engine-wide pool, and the evaluation context
// that holds a run's stack between calls of JS_Evaluate.
#ifndef DURIZ_INTERP_FRAME_H
#define DURIZ_INTERP_FRAME_H

#include <cstdint>

#include "interp/list.h"
#include "values/value.h"

struct JsValue;
class JsFunction;
class JsToken;
struct JsScript;

// One node under evaluation. Counted fields are stored with AssignRef.
// A context's frames form a stack from its top frame down through each
// frame's parent (the frame it was pushed from); frames not in use wait in
// an engine-wide pool.
//
// The scope (this, locals, args, with object, window) of a frame that only
// inherits it is borrowed from the frame below, which outlives it and does
// not change its own scope while it has frames above: only the frame being
// handled, the top one, writes its scope, and it calls OwnScope first.
class JsFrame : public JsAllocated {
public:
    JsFrame *below = nullptr;        // the parent frame; null at the bottom (and the pool's link)
    JsFunction *function = nullptr;  // not counted; non-null inside a function
    JsValue *thisObject = nullptr;   // scope
    JsValue *locals = nullptr;       // scope
    JsValue *args = nullptr;         // scope
    JsValue *withObject = nullptr;   // scope
    JsFrame *withStart = nullptr;    // the lowest frame of the run of frames that share withObject
    JsValue *globalObject = nullptr; // scope: a call may leave a window held by frames alone
    JsToken *node = nullptr;
    JsValue *operand1 = nullptr;     // counted
    JsValue *operand2 = nullptr;     // counted
    JsToken *memberName = nullptr;
    // What few frames hold; ClearFrame looks here only when heavy is set.
    JsValue *held = nullptr;         // counted
    JsValue *pendingArgs = nullptr;  // counted
    JsToken *savedChild = nullptr;
    JsScript *ownedScript = nullptr; // a script compiled at run time (eval)
    int32_t toStringArgs = 0;
    int32_t argumentsDone = 0;       // an argument list's arguments appended so far
    bool wantReference = false;
    bool ownsScope = false;          // the scope fields are counted
    bool onStack = false;            // a frame on the C stack, for a subtree run in place

    JsFrame *Prev() const { return below; }
    JsFrame() = default;
    // A frame on the C stack for node, pushed by parent with parent's scope.
    JsFrame(JsFrame *parent, JsToken *node, bool wantReference)
        : below(parent), node(node), wantReference(wantReference), onStack(true) {
        InheritScope(this, parent);
    }
    // A pushed frame shares its parent's scope: borrowed, not counted.
    static void InheritScope(JsFrame *to, const JsFrame *from) {
        to->function = from->function;
        to->thisObject = from->thisObject;
        to->locals = from->locals;
        to->args = from->args;
        to->withObject = from->withObject;
        to->withStart = from->withStart;
        to->globalObject = from->globalObject;
    }
    JsFrame(const JsFrame &) = delete;
    JsFrame &operator=(const JsFrame &) = delete;
};

// The pool of frames not in use, linked through below.
extern JsFrame *g_framePool;

// A frame from the pool, or a new zeroed one (null when memory runs out).
inline JsFrame *AcquireFrame() {
    if (JsFrame *frame = g_framePool) {
        g_framePool = frame->below;
        frame->below = nullptr;
        return frame;
    }
    return new JsFrame();
}
inline void ReleaseFrame(JsFrame *frame) {
    frame->below = g_framePool;
    g_framePool = frame;
}
// What a full clear does past the operands, for frames that hold more.
void ClearHeavy(JsFrame *frame);
// Lets go of every count a frame holds (a frame on the C stack needs no
// more as it ends).
inline void ReleaseOnStack(JsFrame *frame) {
    AssignRef(&frame->operand1, nullptr);
    AssignRef(&frame->operand2, nullptr);
    if (frame->ownsScope || frame->held || frame->pendingArgs || frame->ownedScript) ClearHeavy(frame);
}
// Light: the operands and the member name. Full: everything the frame
// holds; the frame is then as a new one (below aside).
inline void ClearFrame(JsFrame *frame, bool full) {
    frame->memberName = nullptr;
    if (!full) {
        AssignRef(&frame->operand1, nullptr);
        AssignRef(&frame->operand2, nullptr);
        return;
    }
    ReleaseOnStack(frame);
    frame->function = nullptr;
    frame->thisObject = frame->locals = frame->args = frame->withObject = frame->globalObject = nullptr;
    frame->withStart = nullptr;
    frame->node = nullptr;
    frame->savedChild = nullptr;
    frame->toStringArgs = frame->argumentsDone = 0;
    frame->wantReference = false;
}
// Counts the scope fields of a frame that borrowed them, before it writes
// one (CountScope does the counting).
void CountScope(JsFrame *frame);
inline void OwnScope(JsFrame *frame) {
    if (!frame->ownsScope) CountScope(frame);
}
// Stores value in the first empty operand (with a reference), else drops it.
inline void PutOperand(JsFrame *frame, JsValue *value) {
    if (!value) return;
    JsValue **slot = !frame->operand1 ? &frame->operand1 : !frame->operand2 ? &frame->operand2 : nullptr;
    if (slot) {
        *slot = value;
        value->refs++;
    } else {
        DropIfUnowned(value);
    }
}

void FramePoolDestroy();

struct JsEvalContext : public JsAllocated {
    JsFrame *top = nullptr;  // the frame stack, from its top down
    JsValue *currentGlobal = nullptr;  // counted
    JsScript *script = nullptr;        // counted through its refs
    int32_t budget = 0;
    int32_t busy = 0;  // 1 while a run is under way; 2 once the host has deleted the context meanwhile
};

// Counts one node entered against the run's budget, however it is entered
// (a pushed frame, a frame on the C stack, a leaf taken at once); answers
// the pushes left. Only the loop's own pushes can find none left: a node
// entered in place was checked to fit first.
inline int32_t ChargePush(JsEvalContext *context) { return --context->budget; }

// Engine-wide: set while alert, confirm or prompt wait on the host.
extern int g_dialogFlag;

#endif
