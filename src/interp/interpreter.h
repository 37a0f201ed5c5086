// The interpreter: runs a compiled tree on the frame stack of an evaluation
// context, without recursion, under a budget of frame pushes.
#ifndef DURIZ_INTERP_INTERPRETER_H
#define DURIZ_INTERP_INTERPRETER_H

#include <initializer_list>

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
    // Why subtrees run in place stopped short, with the node concerned:
    // FAILED, a run-time error (their frames have been written out, and the
    // loop reports the node); JUMPED, a break or continue reached (their
    // frames have been written out, and the loop pushes the node from the
    // top frame, to unwind from there); RETURNED, a return done in place
    // (the runs end one by one, each letting go of its frame as the
    // return's unwinding would, passed: the node of the last; the loop
    // unwinds the frames of the context's stack from the top one).
    enum Stop : uint8_t { GOING, FAILED, JUMPED, RETURNED };
    Stop stop = GOING;
    JsToken *stopNode = nullptr;
    JsValue *returnValue = nullptr;  // counted
    JsToken *passed = nullptr;
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

// Gives the frame of a call's body the scope of the call it runs for: the
// called function, with the window, this, locals and arguments the call
// frame holds and no with object, borrowed from the call frame, which
// keeps them unchanged until the body is done.
inline void BorrowCallScope(JsFrame *body, const JsFrame *call, JsFunction *function) {
    body->function = function;
    body->globalObject = call->globalObject;
    body->thisObject = call->thisObject;
    body->locals = call->locals;
    body->args = call->args;
    body->withObject = nullptr;
    body->withStart = nullptr;
}

// Links a frame for node above frame, with frame's scope, as a push that
// inherits the scope links it.
inline void LinkInheriting(JsFrame *child, JsFrame *frame, JsToken *node, bool wantReference) {
    child->wantReference = wantReference;
    JsFrame::InheritScope(child, frame);
    child->node = node;
    child->below = frame;
}

// A frame's pop into its parent: the parent's window is made current and
// it gets the value, and the name a target frame found.
inline void PopInto(JsEvalContext *context, JsFrame *frame, JsFrame *parent, JsValue *value) {
    AssignRef(&context->currentGlobal, parent->globalObject);
    if (frame->wantReference) parent->memberName = frame->memberName;
    PutOperand(parent, value);
}

// A child that the frame being handled would push with its own scope: when
// it is a leaf and the budget has room for its push and more, it is entered
// and done here, as its frame would be, and run.done becomes the child.
// False when it must be pushed.
bool TakeLeaf(Run &run, JsToken *child, bool wantReference);
// Node codes are below this.
constexpr int kCodeLimit = 1024;
// The leaves: names, literals, this, empty statements and declarations.
struct LeafCodes {
    bool leaf[kCodeLimit];
};
constexpr LeafCodes MakeLeafCodes() {
    LeafCodes t{};
    for (int c : {TK_IDENT, TK_EMPTY, TK_FUNCTION, TK_NULL, TK_FALSE, TK_TRUE, TK_THIS, TK_INT, TK_OCTAL, TK_HEX,
                  TK_DECIMAL, TK_STRING})
        t.leaf[c] = true;
    return t;
}
inline constexpr LeafCodes kLeafCodes = MakeLeafCodes();
inline bool IsLeaf(const JsToken *node) {
    return node && static_cast<uint16_t>(node->code) < kCodeLimit && kLeafCodes.leaf[node->code];
}

// The most pushes evaluating a node can take, or JsToken::kUnbounded.
uint8_t LearnPushBound(JsToken *node);
inline int PushBound(JsToken *node) { return node->pushBound ? node->pushBound : LearnPushBound(node); }
// Runs a child's subtree to its end in frames on the C stack, through the
// same handlers, every push counted; the caller has made sure its pushes
// fit the budget left, so it cannot pause. True when it completed (the
// frame being handled got what the child's pop gives, run.done is the
// child); false when it stopped short (run.stop): a run-time error was
// met, a break or continue was reached, which unwinds through frames of
// the context's stack, or a return was done.
bool RunInPlace(Run &run, JsToken *child, bool wantReference);
// RunInPlace of the body of the call being handled, with the call's scope
// for the callee.
bool RunBodyInPlace(Run &run, JsToken *body, JsFunction *callee);
// A child that the frame being handled would push with its own scope,
// taken in place when it cannot pause: a leaf, or a subtree without calls,
// loops or with whose pushes fit the budget left (an argument list whose
// values are written as texts may run script code and is pushed).
// False when it must be pushed, or when it stopped short (run.stop): a
// run-time error, a break or a continue was met inside it (its frames are
// then written out as the frame machine has them) or a return was done;
// the push that follows is then not made.
// Whether the call's arguments are written as texts (document.write and
// writeln), which may run their objects' toString.
bool ArgumentsBecomeTexts(JsFrame *call);
inline bool TakeInPlace(Run &run, JsToken *child, bool wantReference = false) {
    if (IsLeaf(child)) return run.context->budget > 1 && TakeLeaf(run, child, wantReference);
    const int bound = PushBound(child);
    if (bound == JsToken::kUnbounded || bound >= run.context->budget) return false;
    if (child->code == TK_COMMA && ArgumentsBecomeTexts(run.frame)) return false;
    return RunInPlace(run, child, wantReference);
}
// Runs the context's stack; answers 1789, 7777, 9000, 1234 or 1001 and
// leaves the final value (counted) in *result.
int Interpret(JsEvalContext *context, JsValue **result);
void ReportRuntimeError(JsEvalContext *context, const JsToken *node);

// Handlers by node family.
Step HandleList(Run &run);         // the root and blocks
Step HandleConditional(Run &run);  // if and ?:
Step HandleWhile(Run &run);
Step HandleFor(Run &run);
Step HandleJump(Run &run);         // break and continue
Step HandleReturn(Run &run);
// Ends a return done in place: the frames from the top one down to the
// call (or the bottom) go, and the call gets the value.
void ReturnFromInPlace(Run &run);
Step HandleVar(Run &run);
Step HandleLeaf(Run &run);         // names, literals, this, empty statements, declarations
Step HandleMissing(Run &run);      // codes without a handler: a run-time error
Step HandleOperator(Run &run);
Step HandleAssignment(Run &run);
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

// Appends an argument to the call's pending list, named after the called
// function's parameter at that position; false when memory runs out.
bool AppendArgument(JsFrame *call, JsValue *value, int position);

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

// Takes the top frame off the context's stack, fully cleared, to the pool;
// it hands nothing on. Answers the frame below.
inline JsFrame *DiscardFrame(JsEvalContext *context, JsFrame *frame) {
    JsFrame *below = frame->below;
    context->top = below;
    ClearFrame(frame, true);
    ReleaseFrame(frame);
    return below;
}

#endif
