// The interpreter: runs a compiled tree on the frame stack of an evaluation
// context, without recursion, under a budget of frame pushes.
#ifndef DURIZ_INTERP_INTERPRETER_H
#define DURIZ_INTERP_INTERPRETER_H

#include "compiler/token.h"
#include "interp/frame.h"
#include "values/value.h"

class JsObject;

// The budget of frame pushes for one run.
constexpr int kPushBudget = 8000;

// What a handler asks the loop to do next. Small enough to come back in
// registers; the scope of a call or with body travels in the Run.
struct Step {
    // RESUME: handle run.frame again with run.done (after an unwind).
    enum Kind : uint8_t { PUSH, POP, FINISH, ERROR, RESUME };
    // PUSH into the scope below: none, a call body's, a with body's.
    enum Scope : uint8_t { INHERIT, CALL, WITH };
    Kind kind = POP;
    bool wantReference = false;   // PUSH: the child is an assignment target
    Scope scope = INHERIT;
    union {
        JsToken *child;           // PUSH: the node to enter
        JsValue *value;           // POP: handed to the parent (may be null)
        JsToken *errorNode;       // ERROR: printed in the report
    };
    Step() : child(nullptr) {}
};

// The built-ins that the calls of an expression were seen to name before
// it began (object: the callee's object, the call's this), counted.
struct PeekedCall {
    const JsToken *node;
    JsValue *object;
    JsFunction *function;
    int32_t pushes;  // the callee's: none for a name, else the member's and its object's
};
struct PeekedCalls {
    static constexpr int kRoom = 24;
    int count = 0;
    int plainScripts = 0;      // the calls that name script functions with plain bodies
    uint32_t hostAnswers = 0;  // as they stood when the callees were seen
    PeekedCall calls[kRoom];
};

// The state of one Interpret call.
struct Run {
    JsEvalContext *context;
    JsFrame *frame;  // F: the frame being handled
    JsToken *done;   // K: the child that has just completed, null on entry
    // The scope a CALL or WITH push gives its child.
    JsFunction *function = nullptr;
    JsValue *thisObject = nullptr;
    JsValue *locals = nullptr;
    JsValue *withObject = nullptr;
    // The calls seen for the expression under evaluation without frames.
    PeekedCalls *peeked = nullptr;
};

inline Step Push(JsToken *child, bool wantReference = false) {
    Step s;
    s.kind = Step::PUSH;
    s.child = child;
    s.wantReference = wantReference;
    return s;
}
inline Step PushBody(Run &run, JsToken *body, JsFunction *function, JsValue *thisObject, JsValue *locals) {
    Step s = Push(body);
    s.scope = Step::CALL;
    run.function = function;
    run.thisObject = thisObject;
    run.locals = locals;
    return s;
}
inline Step PushWith(Run &run, JsToken *body, JsValue *withObject) {
    Step s = Push(body);
    s.scope = Step::WITH;
    run.withObject = withObject;
    return s;
}
inline Step Pop(JsValue *value = nullptr) {
    Step s;
    s.kind = Step::POP;
    s.value = value;
    return s;
}
inline Step Resume() {
    Step s;
    s.kind = Step::RESUME;
    return s;
}
inline Step Finish() {
    Step s;
    s.kind = Step::FINISH;
    return s;
}
inline Step Fail(JsToken *node) {
    Step s;
    s.kind = Step::ERROR;
    s.errorNode = node;
    return s;
}

// Hands back a step of a handler's: it goes on in the loop.
inline bool Hand(Step *step, Step next) {
    *step = next;
    return false;
}

// Gives a frame another's scope (its function, window, this, locals and
// arguments), uncounted: the frame borrows them while the other lives.
inline void ShareScope(JsFrame *to, const JsFrame *from) {
    to->function = from->function;
    to->globalObject = from->globalObject;
    to->thisObject = from->thisObject;
    to->locals = from->locals;
    to->args = from->args;
}

// Links a frame for node above frame, with frame's scope, as a push that
// inherits the scope links it.
inline void LinkInheriting(JsFrame *child, JsFrame *frame, JsToken *node, bool wantReference) {
    child->wantReference = wantReference;
    ShareScope(child, frame);
    child->withObject = frame->withObject;
    child->node = node;
    child->InsertAfter(frame);
}

// A frame's pop into its parent: the parent's window is made current and
// it gets the value, and the name a target frame found.
inline void PopInto(JsEvalContext *context, JsFrame *frame, JsFrame *parent, JsValue *value) {
    AssignRef(&context->currentGlobal, parent->globalObject);
    if (frame->wantReference) parent->memberName = frame->memberName;
    PutOperand(parent, value);
}

// Runs the context's stack; answers 1789, 7777, 9000, 1234 or 1001 and
// leaves the final value (counted) in *result.
int Interpret(JsEvalContext *context, JsValue **result);
void ReportRuntimeError(JsEvalContext *context, const JsToken *node);

// Handlers by node family.
Step HandleStatement(Run &run);
Step HandleOperator(Run &run);
Step HandleAssignment(Run &run);
Step HandleName(Run &run);
Step HandleMember(Run &run);
Step HandleWith(Run &run);
Step HandleForIn(Run &run);
Step HandleCall(Run &run);
Step HandleArgumentList(Run &run);
Step HandleNew(Run &run);
Step HandleNativeBody(Run &run);

// A leaf's value (borrowed or fresh; null for the statements), read in the
// scope of the given frame. A name's value as a target is not asked here.
JsValue *LeafValue(Run &run, JsFrame *scope, JsToken *node);

// Operators on values already evaluated (both present). Answers the value
// handed on: borrowed, shared, fresh, or null when memory runs out.
bool IsUnaryOperator(int code);
JsValue *UnaryValue(int code, JsValue *value);  // !, ~ and typeof
JsValue *BinaryValue(int code, JsValue *left, JsValue *right);  // && and || get the right value

// Member access once the object part has given its value in *slot, a
// counted slot in which a string's or number's wrapper replaces it. VALUE:
// *value is the member (or null for nothing); INDEX: the computed subscript
// comes next; REFERENCE: the access is a target and the caller hands it on.
enum MemberOutcome { MEMBER_VALUE, MEMBER_FAIL, MEMBER_INDEX, MEMBER_REFERENCE };
MemberOutcome MemberAfterObject(Run &run, JsFrame *scope, JsToken *node, JsValue **slot, bool reference,
                                JsValue **value);
// A subscript whose index is an expression of its own (not a name or a
// literal key); the node has its object and member.
bool IsComputedIndex(const JsToken *node);
// A computed subscript's member; false when the access fails.
bool IndexedMember(JsFrame *scope, JsValue *object, JsValue *index, JsValue **value);

// Stores an assignment node's value through its target: a name, or the
// member (by memberName, else by key) of object. Null when the store fails.
JsValue *StoreThrough(Run &run, JsFrame *scope, JsToken *node, JsValue *value, JsValue *object,
                      JsToken *memberName, JsValue *key);

// Whether the call's arguments are written as texts (document.write and
// writeln), which may run their objects' toString.
bool ArgumentsBecomeTexts(JsFrame *call);
// Appends an argument to the call's pending list, named after the called
// function's parameter at that position; false when memory runs out.
// The function given is the one the call holds (CalledFunction).
bool AppendArgument(JsFrame *call, JsValue *value, int position);
bool AppendArgumentOf(JsFunction *function, JsFrame *call, JsValue *value, int position);
JsFunction *CalledFunction(JsFrame *call);

// Expressions of operators over names and literals are evaluated without
// frames, with exactly the pushes, look-ups and results the frames would
// give; so are argument lists of such expressions.
//
// EvaluateInParent: a child that the parent frame would push (with its
// scope) is evaluated here instead when it is such an expression, a leaf
// or a member target and the budget has room for all its pushes: the
// parent gets the operands and target name the child's frames would have
// handed it. False when the child needs frames of its own; on a run-time
// error *failed gets the failing node.
bool EvaluateInParent(Run &run, JsFrame *parent, JsToken *child, bool wantReference, JsToken **failed);
// A child the frame being handled would push: evaluated here when it needs
// no frame of its own, as the loop would have evaluated it after the push,
// so the handler goes on at once with run.done set; else false with the
// push (or the failure) to hand back.
inline bool PushedInPlace(Run &run, JsToken *child, bool wantReference, Step *step) {
    JsToken *failed = nullptr;
    if (!EvaluateInParent(run, run.frame, child, wantReference, &failed)) return Hand(step, Push(child, wantReference));
    if (failed) return Hand(step, Fail(failed));
    run.done = child;
    return true;
}
// A call of a script function by name whose body only computes (guards and
// a closing return over names, literals, operators and such calls, with no
// member, assignment or declaration), that the parent frame would push:
// run to its end here with the host kept quiet, its pushes counted as its
// frames would count them, when it finishes with budget left and asks the
// host nothing; the parent gets its value. Else false, with nothing changed
// (and for any child that is no call).
bool CallAheadForParent(Run &run, JsFrame *parent, JsToken *child, JsToken **failed);
// A built-in body other than eval's, pushed by its call: the built-in is
// called without a frame, with the push counted. False when it needs one.
bool CallBuiltinInParent(Run &run, JsFrame *call, JsToken *body);
// A call's body that begins with guards, `if (c) return v;` without else,
// and may end in `return v;`, all of such expressions, pushed by the call:
// the guards and that return are evaluated in the body's scope without
// frames, their pushes counted. RETURNED: a return was taken and the call
// goes on with its value as after the return. GOES_ON: no guard returned;
// the body's frame, *reserved (had before anything ran), resumes as after
// the statement *resumeAfter, its push counted already. FAILED: *failed
// gets the failing node. LAST_STATEMENT: no guard returned and one
// statement, *resumeAfter, is left: it is pushed in the body's place with
// the body's scope (the body's push counted already) into *reserved.
// FRAMES: the body needs its frames from the start.
enum BodyOutcome { BODY_FRAMES, BODY_RETURNED, BODY_GOES_ON, BODY_LAST_STATEMENT, BODY_FAILED };
BodyOutcome BodyInParent(Run &run, JsFrame *call, JsToken *body, JsToken **failed, JsToken **resumeAfter,
                         JsFrame **reserved);
// Built-in calls in such expressions: before the expression begins, every
// call's callee is looked up without asking the host (PeekCalls), and the
// expression is evaluated so only when each names a built-in that runs
// alone (Math's functions, the string methods, the global conversions)
// and its this is no window. False when one does not or cannot be told;
// the calls seen are counted in *peeked either way, for ReleasePeeked.
bool PeekCalls(Run &run, JsFrame *scope, JsToken *node, PeekedCalls *peeked);
// The cached size of an expression left to the frames; a call is marked so
// once its callee was seen to name anything else, and is not looked at again.
constexpr uint8_t kFramedCall = 255;
void ReleasePeeked(PeekedCalls *peeked);
// The built-in a call was seen to name and its this (both counted, for the
// caller) with the callee's pushes, to be counted as its evaluation would.
// If the host has answered anything since, a callee of a name or a name's
// member is looked up again as the call's frames would; any other callee
// gets *pushes -1: the caller evaluates it. False when the call names no
// such built-in now.
bool SeenCallee(Run &run, JsFrame *scope, const JsToken *call, JsValue **object, JsFunction **function,
                int32_t *pushes);
// The value of an expression without calls, evaluated as it would be but
// with no push counted (owned; null when it fails); *pushes gets those it
// would have counted. For the look-up.
JsValue *PeekValue(Run &run, JsFrame *scope, JsToken *node, int32_t *pushes);
// A function value found for a callee that names a built-in that runs
// alone: *function gets it (counted), *object is kept. Else false, and
// *object is let go of. found is dropped if nothing holds it.
bool KeepIfAlone(JsValue *found, JsValue **object, JsFunction **function);
// A script function whose body is plain: `if (c) return v;` guards and a
// closing `return v;`, over expressions without calls or assignments, that
// declares nothing and belongs to no window of its own. A call of its name
// can run inside an expression like a built-in: it asks nothing of the host
// before its body runs, changes no binding, and its body takes at most
// kPlainBodyPushes pushes.
bool IsPlainBody(JsFunction *function);
constexpr int kPlainBodyPushes = 60;
// The function value the callee names on an object (by member name, else
// by index), or null.
JsValue *MethodOf(JsValue *object, JsToken *memberName, JsValue *index);
bool IsWindow(JsValue *value);
// Set by tests that compare the two ways: every node gets a frame.
extern bool g_evaluateWithFrames;

// Name resolution through with objects, function scopes, this and the global.
// With a site (the node whose own text is the name) the global's slot is
// remembered for the node's next look-up.
JsValue *ResolveName(const char *name, JsFrame *frame, JsValue *global, const JsToken *site = nullptr);
JsValue *AssignName(const char *name, JsValue *value, int op, JsFrame *frame, JsValue *global,
                    const JsToken *site = nullptr);
JsValue *StoreLocal(const char *name, JsValue *value, int op, JsFrame *frame, bool create,
                    const JsToken *site = nullptr);

// Declares a name as var does (a local in a function, else on the global).
bool DeclareForList(Run &run, const char *name);

// Unlinks, fully clears and pools a frame, handing nothing on.
void DiscardFrame(JsFrame *frame);

#endif
