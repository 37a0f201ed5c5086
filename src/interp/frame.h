// Interpreter frames, their engine-wide pool, and the evaluation context
// that holds a run's stack between calls of JS_Evaluate.
#ifndef DURIZ_INTERP_FRAME_H
#define DURIZ_INTERP_FRAME_H

#include <cstdint>

#include "interp/list.h"

struct JsValue;
class JsFunction;
class JsToken;
struct JsScript;

// One node under evaluation. Counted fields are stored with AssignRef.
class JsFrame : public JsListNode {
public:
    JsFunction *function = nullptr;  // not counted; non-null inside a function
    JsValue *thisObject = nullptr;   // counted
    JsValue *locals = nullptr;       // counted
    JsValue *args = nullptr;         // counted
    JsValue *pendingArgs = nullptr;  // counted
    JsValue *withObject = nullptr;   // counted
    JsValue *globalObject = nullptr; // counted: a call may leave a window held by frames alone
    JsToken *node = nullptr;
    JsToken *savedChild = nullptr;
    JsValue *operand1 = nullptr;     // counted
    JsValue *operand2 = nullptr;     // counted
    JsValue *held = nullptr;         // counted
    JsToken *memberName = nullptr;
    JsScript *ownedScript = nullptr; // a script compiled at run time (eval)
    int32_t wantReference = 0;
    int32_t toStringArgs = 0;

    JsFrame *Prev() const { return static_cast<JsFrame *>(JsListNode::Prev()); }
    JsFrame *Next() const { return static_cast<JsFrame *>(JsListNode::Next()); }
};

// A frame from the pool, or a new zeroed one (null when memory runs out).
JsFrame *AcquireFrame();
void ReleaseFrame(JsFrame *frame);
// Light: the operands and the member name. Full: everything the frame holds.
void ClearFrame(JsFrame *frame, bool full);
// Stores value in the first empty operand (with a reference), else drops it.
void PutOperand(JsFrame *frame, JsValue *value);

void FramePoolDestroy();

struct JsEvalContext : public JsAllocated {
    JsList frames;
    JsValue *currentGlobal = nullptr;  // counted
    JsScript *script = nullptr;        // counted through its refs
    int32_t budget = 0;
    int32_t busy = 0;
};

// Engine-wide: set while alert, confirm or prompt wait on the host.
extern int g_dialogFlag;

#endif
