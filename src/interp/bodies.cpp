// Function bodies without frames of their own: the guards and closing
// return of a body its call pushes, and the whole body of a plain script
// function called inside an expression. Their pushes are counted as the
// body's frames would count them.
#include "builtins/function.h"
#include "builtins/names.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "interp/pure.h"
#include "values/array.h"

using namespace frameless;

namespace {

// The value of `return value;` with one value that is no list, or null.
inline __attribute__((always_inline)) JsToken *ReturnedValue(JsToken *statement) {
    if (statement->code != TK_RETURN) return nullptr;
    JsToken *value = statement->FirstChild();
    return value && !value->Next() && value->code != TK_COMMA ? value : nullptr;
}

// The return of a guard, `if (condition) return value;` without else and
// with a condition that is no list, or null.
inline __attribute__((always_inline)) JsToken *GuardReturn(JsToken *statement) {
    if (statement->code != TK_IF) return nullptr;
    JsToken *condition = statement->FirstChild();
    JsToken *then = condition ? condition->Next() : nullptr;
    if (!then || then->Next() || then->code != TK_RETURN || condition->code == TK_COMMA) return nullptr;
    return then;
}

// A guard's if and condition, evaluated in scope: whether its return is
// taken; false with *failed set when the condition fails.
inline __attribute__((always_inline)) bool GuardTaken(Run &run, JsFrame *scope, JsToken *guard, JsToken **failed) {
    run.context->budget--;  // the if
    JsValue *truth = Evaluate(run, scope, guard->FirstChild(), failed);
    if (*failed || !truth) {
        if (!*failed) *failed = guard;
        return false;
    }
    const bool taken = truth->ToBoolean() != 0;
    ReleaseRef(truth);
    return taken;
}

// A plain body's statements: each `if (c) return v;` and the closing
// `return v;`, the most pushes it can take (its own push included), or 0.
int PlainBodySize(JsToken *body) {
    if (!body || body->code != TK_BLOCK) return 0;
    int size = 1;
    for (JsToken *statement = body->FirstChild(); statement; statement = statement->Next()) {
        const bool last = !statement->Next();
        JsToken *returned = last ? statement : GuardReturn(statement);
        JsToken *value = returned ? ReturnedValue(returned) : nullptr;
        if (!value) return 0;
        Notes notes;
        if (!last) {
            const int c = Measure(statement->FirstChild(), kPlainBodyPushes - size, &notes);
            if (!c) return 0;
            size += 1 + c;
        }
        const int r = Measure(value, kPlainBodyPushes - size, &notes);
        if (!r || notes.calls || notes.assignments) return 0;
        size += 1 + r;  // as if this return were the one taken
        if (size > kPlainBodyPushes) return 0;
    }
    return size > 1 ? size : 0;
}

}  // namespace

bool IsPlainBody(JsFunction *function) {
    if (function->id >= kFirstNativeId || function->owner) return false;
    JsToken *body = function->Body();
    if (!body) return false;
    if (function->plainBody < 0) function->plainBody = PlainBodySize(body) && !function->BodyDeclares() ? 1 : 0;
    return function->plainBody != 0;
}

// The call of a script function with a plain body, after its callee: the
// list's push and each argument appended to an argument list as the list's
// frame appends it, then the body's push, each guard's if, condition and
// return taken, or the closing return, in the body's scope (no this, the
// shared empty locals, the list as arguments). The list is kept as the
// finished call keeps it. The value is the return's, else undefined.
JsValue *frameless::CallPlainBody(Run &run, JsFrame *scope, JsToken *node, JsFunction *function, JsToken **failed) {
    if (JsValue *result = CallPlainBodyAhead(run, scope, node, function, failed)) return result;
    if (*failed) return nullptr;
    JsEvalContext *context = run.context;
    // The arguments go to a list as they would from the call's frame, which
    // has the scope of the expression and holds the callee.
    JsFrame call;
    BorrowCallFrame(&call, scope, function, node);
    context->budget--;  // the list
    ReleaseRef(Arguments(run, &call, node->FirstChild()->Next(), failed));  // its value goes as the body is entered
    JsArray *args = static_cast<JsArray *>(call.pendingArgs);  // its count comes along
    ForgetCallFrame(&call);
    JsValue *result = nullptr;
    if (!*failed) {
        AssignRef(&context->currentGlobal, scope->globalObject);
        if (args) args->Filled();
        // A body whose script the host has let go of runs nothing.
        JsToken *statements = function->Body();
        if (statements) context->budget--;  // the body
        JsFrame body;
        body.function = function;
        body.locals = g_shared.noLocals;
        body.args = args;
        body.globalObject = scope->globalObject;
        for (JsToken *statement = statements ? statements->FirstChild() : nullptr; statement;
             statement = statement->Next()) {
            JsToken *returned = statement;
            if (statement->code == TK_IF) {
                const bool taken = GuardTaken(run, &body, statement, failed);
                if (*failed) break;
                if (!taken) continue;
                returned = statement->FirstChild()->Next();
            }
            context->budget--;  // the return
            result = Evaluate(run, &body, returned->FirstChild(), failed);
            break;
        }
        body.function = nullptr;
        body.locals = body.args = body.globalObject = nullptr;
        if (!*failed && !result) result = Owned(g_shared.undefinedValue);
        AssignRef(&context->currentGlobal, scope->globalObject);
    }
    // A list kept by the function takes its count along.
    if (args && !(args->refs == 1 && function->KeepList(args))) ReleaseRef(args);
    if (*failed) {
        ReleaseRef(result);
        return nullptr;
    }
    return result;
}

namespace {

// `if (condition) return value;` without else, both such expressions: its
// pushes when the return is taken (the if, the condition, the return and
// its value), or 0.
int GuardSize(JsFrame *call, JsToken *statement) {
    JsToken *returned = GuardReturn(statement);
    JsToken *value = returned ? ReturnedValue(returned) : nullptr;
    if (!value) return 0;
    // Calls are left to the frames: the guards run one after the other.
    JsToken *condition = statement->FirstChild();
    const int c = PureSize(call, condition);
    const int r = c && !HoldsCalls(condition) ? PureSize(call, value) : 0;
    return r && !HoldsCalls(value) ? 2 + c + r : 0;
}

// `return value;` of such an expression: its pushes, or 0.
int ReturnSize(JsFrame *call, JsToken *statement) {
    JsToken *value = ReturnedValue(statement);
    const int r = value ? PureSize(call, value) : 0;
    return r && !HoldsCalls(value) ? 1 + r : 0;
}

// As the return statement leaves it: the value with the call, which goes
// on as after its body.
void ReturnToCall(Run &run, JsFrame *call, JsToken *body, JsToken *statement, JsValue *value) {
    ClearFrame(call, false);
    PutOperand(call, value);
    ReleaseRef(value);
    run.done = call->Prev() ? statement : body;
}

// What takes the body's place when one statement is left: the statement,
// or for `return value;` whose value is known to need frames of its own
// (calls of script functions) the value itself, in a frame with the body's
// scope, its return's push counted here. The return's frame would only
// push the value, see it pop, and hand it to the call, which the call does
// as well when the value pops into it. A return whose push the budget
// would stop at keeps its frame, so the run stops at the same place.
JsToken *ReturnedInPlace(JsEvalContext *context, JsToken *statement) {
    JsToken *value = context->budget >= 2 ? ReturnedValue(statement) : nullptr;
    if (!value || IsFrameLeaf(value->code) || value->pureSize != kNotPure) return statement;
    context->budget--;
    return value;
}

}  // namespace

BodyOutcome BodyInParent(Run &run, JsFrame *call, JsToken *body, JsToken **failed, JsToken **resumeAfter,
                         JsFrame **reserved) {
    JsEvalContext *context = run.context;
    *failed = *resumeAfter = nullptr;
    *reserved = nullptr;
    // Only a call's own body: a return unwinds past the frame of a new
    // without an argument list, which this does not do.
    if (g_evaluateWithFrames || body->code != TK_BLOCK || !call->node || call->node->code != TK_CALL)
        return BODY_FRAMES;
    // The body's push, each guard's as if its return were taken, and a
    // last statement that returns.
    int total = 1, guards = 0;
    JsToken *statement = body->FirstChild();
    for (int size; statement && (size = GuardSize(call, statement)) != 0 && total < kPureLimit;
         statement = statement->Next(), guards++)
        total += size;
    const bool alone = statement && !statement->Next();
    const int last = alone ? ReturnSize(call, statement) : 0;
    // A last statement of another kind takes the body's place as the call's
    // child, unless the call is the bottom frame: a return from there hands
    // on what was popped last, which must stay the body.
    const bool inPlace = alone && !last && call->Prev();
    // Guards followed by nothing would leave the body without a return.
    if ((!guards && !last && !inPlace) || !statement || context->budget <= total + last) return BODY_FRAMES;
    if (!last) {
        // The body goes on in its frame after the guards: the frame is had
        // before anything runs, as its push would have it.
        *reserved = AcquireFrame();
        if (!*reserved) return BODY_FRAMES;
    }
    context->budget--;
    JsFrame scope;  // the scope the body's frame would have had
    scope.function = run.function;
    scope.thisObject = run.thisObject;
    scope.locals = run.locals;
    scope.args = call->args;
    scope.globalObject = call->globalObject;
    BodyOutcome outcome = BODY_GOES_ON;
    for (JsToken *guard = body->FirstChild(); guard != statement; guard = guard->Next()) {
        const bool taken = GuardTaken(run, &scope, guard, failed);
        if (*failed) {
            outcome = BODY_FAILED;
            break;
        }
        if (!taken) {
            *resumeAfter = guard;
            continue;
        }
        JsToken *returned = guard->FirstChild()->Next();
        context->budget--;  // the return
        JsValue *value = Evaluate(run, &scope, returned->FirstChild(), failed);
        if (*failed) {
            outcome = BODY_FAILED;
            break;
        }
        ReturnToCall(run, call, body, returned, value);
        outcome = BODY_RETURNED;
        break;
    }
    if (outcome == BODY_GOES_ON && inPlace) {
        *resumeAfter = ReturnedInPlace(context, statement);
        outcome = BODY_LAST_STATEMENT;
    }
    if (outcome == BODY_GOES_ON && last) {
        context->budget--;
        JsValue *value = Evaluate(run, &scope, statement->FirstChild(), failed);
        if (*failed) {
            outcome = BODY_FAILED;
        } else {
            ReturnToCall(run, call, body, statement, value);
            outcome = BODY_RETURNED;
        }
    }
    scope.function = nullptr;
    scope.thisObject = scope.locals = scope.args = scope.globalObject = nullptr;
    if (outcome != BODY_GOES_ON && outcome != BODY_LAST_STATEMENT && *reserved) {
        ReleaseFrame(*reserved);
        *reserved = nullptr;
    }
    return outcome;
}
