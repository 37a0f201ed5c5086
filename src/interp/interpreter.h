// The interpreter: runs a compiled tree on the frame stack of an evaluation
// context, without recursion, under a budget of frame pushes.
#ifndef DURIZ_INTERP_INTERPRETER_H
#define DURIZ_INTERP_INTERPRETER_H

#include "compiler/token.h"
#include "interp/frame.h"

class JsObject;

// The budget of frame pushes for one run.
constexpr int kPushBudget = 8000;

// What a handler asks the loop to do next.
struct Step {
    // RESUME: handle run.frame again with run.done (after an unwind).
    enum Kind { PUSH, POP, FINISH, ERROR, RESUME } kind = POP;
    JsToken *child = nullptr;     // PUSH: the node to enter
    bool wantReference = false;   // PUSH: the child is an assignment target
    bool callScope = false;       // PUSH: the scope below comes from the handler
    JsFunction *function = nullptr;
    JsValue *thisObject = nullptr;
    JsValue *locals = nullptr;
    bool setWith = false;         // PUSH: the child gets withObject below
    JsValue *withObject = nullptr;
    JsValue *value = nullptr;     // POP: handed to the parent (may be null)
    JsToken *errorNode = nullptr; // ERROR: printed in the report
};

// The state of one Interpret call.
struct Run {
    JsEvalContext *context;
    JsFrame *frame;  // F: the frame being handled
    JsToken *done;   // K: the child that has just completed, null on entry
};

inline Step Push(JsToken *child, bool wantReference = false) {
    Step s;
    s.kind = Step::PUSH;
    s.child = child;
    s.wantReference = wantReference;
    return s;
}
inline Step PushBody(JsToken *body, JsFunction *function, JsValue *thisObject, JsValue *locals) {
    Step s = Push(body);
    s.callScope = true;
    s.function = function;
    s.thisObject = thisObject;
    s.locals = locals;
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

// Nodes with no children to evaluate: names, literals, this, empty
// statements and function declarations.
bool IsLeafNode(int code);
// A leaf's value (borrowed or fresh; null for the statements), read in the
// scope of the given frame. A name's value as a target is not asked here.
JsValue *LeafValue(Run &run, JsFrame *scope, JsToken *node);

// Name resolution through with objects, function scopes, this and the global.
JsValue *ResolveName(const char *name, JsFrame *frame, JsValue *global);
JsValue *AssignName(const char *name, JsValue *value, int op, JsFrame *frame, JsValue *global);
JsValue *StoreLocal(const char *name, JsValue *value, int op, JsFrame *frame, bool create);

// Declares a name as var does (a local in a function, else on the global).
bool DeclareForList(Run &run, const char *name);

// Unlinks, fully clears and pools a frame, handing nothing on.
void DiscardFrame(JsFrame *frame);

#endif
