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
//
// The scope (this, locals, args, with object, window) of a frame that only
// inherits it is borrowed from the frame below, which outlives it and does
// not change its own scope while it has frames above: only the frame being
// handled, the top one, writes its scope, and it calls OwnScope first.
class JsFrame : public JsListNode {
public:
    JsFunction *function = nullptr;  // not counted; non-null inside a function
    JsValue *thisObject = nullptr;   // scope
    JsValue *locals = nullptr;       // scope
    JsValue *args = nullptr;         // scope
    JsValue *pendingArgs = nullptr;  // counted
    JsValue *withObject = nullptr;   // scope
    JsFrame *withStart = nullptr;    // the lowest frame of the run of frames that share withObject
    JsValue *globalObject = nullptr; // scope: a call may leave a window held by frames alone
    JsToken *node = nullptr;
    JsToken *savedChild = nullptr;
    JsValue *operand1 = nullptr;     // counted
    JsValue *operand2 = nullptr;     // counted
    JsValue *held = nullptr;         // counted
    JsToken *memberName = nullptr;
    JsScript *ownedScript = nullptr; // a script compiled at run time (eval)
    int32_t wantReference = 0;
    int32_t toStringArgs = 0;
    int32_t argumentsDone = 0;       // an argument list's arguments appended so far
    bool ownsScope = false;          // the scope fields are counted

    JsFrame *Prev() const { return static_cast<JsFrame *>(JsListNode::Prev()); }
    JsFrame *Next() const { return static_cast<JsFrame *>(JsListNode::Next()); }
};

// A frame from the pool, or a new zeroed one (null when memory runs out).
JsFrame *AcquireFrame();
void ReleaseFrame(JsFrame *frame);
// Light: the operands and the member name. Full: everything the frame holds.
void ClearFrame(JsFrame *frame, bool full);
// Counts the scope fields of a frame that borrowed them, before it writes one.
void OwnScope(JsFrame *frame);
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
