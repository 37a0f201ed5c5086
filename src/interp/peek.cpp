// Which built-in a call's callee names, seen before an expression without
// frames begins: the look-up its frames would make, but one that stops
// short of asking the host anything.
#include "builtins/function.h"
#include "builtins/host_object.h"
#include "builtins/names.h"
#include "builtins/natives.h"
#include "interp/interpreter.h"

namespace {

// Built-ins that ask nothing of the host themselves, change no binding and
// leave the window as it was (Math's, the string methods, the global
// conversions): they can run in the middle of an expression. What decides
// it is fixed when the function is made (its id, its owner, a built-in's
// body), so it is worked out once per function.
bool RunsAlone(JsValue *value) {
    JsValue *f = value ? value->AsFunction() : nullptr;
    if (!f) return false;
    JsFunction *function = static_cast<JsFunction *>(f);
    if (function->runsAlone < 0) {
        JsToken *body = IsLoneNative(function->id) ? function->Body() : nullptr;
        function->runsAlone = body && body->code == TK_NATIVE_BODY && !IsWindow(function->owner) ? 1 : 0;
    }
    return function->runsAlone != 0;
}

// The callee's look-up as the call's frames make it: a name, or a name's
// member. *object gets the member's object for a member (counted; a string
// or number is wrapped as its member access wraps it), the answer is the
// function value found (borrowed, possibly fresh).
JsValue *LookUpCallee(Run &run, JsFrame *scope, const JsToken *call, JsValue **object, int32_t *pushes) {
    JsToken *callee = call->FirstChild();
    JsValue *global = run.context->currentGlobal;
    *object = nullptr;
    *pushes = 0;
    if (callee->code == TK_IDENT) {
        NameIndexHint hint(callee);
        return ResolveName(callee->text, scope, global, callee);
    }
    JsToken *base = callee->FirstChild();
    JsValue *o;
    if (base->code == TK_IDENT) {
        NameIndexHint hint(base);
        o = ResolveName(base->text, scope, global, base);
        if (o) o->refs++;
        *pushes = 2;
    } else {
        o = PeekValue(run, scope, base, pushes);
        ++*pushes;
    }
    if (!o) return nullptr;
    // A member target of an object or function is the object as it stands;
    // anything else goes through the member access, which wraps a string
    // or number and fails the rest.
    JsValue *ignored = nullptr;
    const bool asItStands = !o->IsString() && !o->IsNumber() && (o->IsFunction() || o->IsObject());
    if (!asItStands && MemberAfterObject(run, scope, callee, &o, true, &ignored) != MEMBER_REFERENCE) {
        ReleaseRef(o);
        return nullptr;
    }
    // A window would become the current one.
    if (IsWindow(o)) {
        ReleaseRef(o);
        return nullptr;
    }
    *object = o;
    return MethodOf(o, base->Next(), nullptr);
}

// A script function of a plain body, called by its name alone (no this).
bool IsPlainScript(JsValue *value, JsValue *object) {
    JsValue *f = value && !object ? value->AsFunction() : nullptr;
    return f && IsPlainBody(static_cast<JsFunction *>(f));
}

}  // namespace

bool KeepIfAlone(JsValue *found, JsValue **object, JsFunction **function) {
    const bool alone = RunsAlone(found) || IsPlainScript(found, *object);
    if (alone) {
        *function = static_cast<JsFunction *>(found->AsFunction());
        (*function)->refs++;
    }
    DropIfUnowned(found);
    if (!alone) {
        ReleaseRef(*object);
        *object = nullptr;
    }
    return alone;
}

namespace {

bool Peek(Run &run, JsFrame *scope, JsToken *node, PeekedCalls *peeked) {
    if (node->code == TK_CALL) {
        // A call once seen to name something else is left to the frames
        // (see MarkFramed).
        if (peeked->count == PeekedCalls::kRoom || node->pureSize == kFramedCall) return false;
        JsValue *object = nullptr;
        int32_t pushes = 0;
        g_hostQuiet = true;
        g_hostAsked = false;
        JsValue *found = LookUpCallee(run, scope, node, &object, &pushes);
        g_hostQuiet = false;
        if (g_hostAsked) {
            DropIfUnowned(found);
            ReleaseRef(object);
            node->pureSize = kFramedCall;
            return false;
        }
        JsFunction *function = nullptr;
        if (!KeepIfAlone(found, &object, &function)) {
            node->pureSize = kFramedCall;
            return false;
        }
        if (function->id < kFirstNativeId) peeked->plainScripts++;
        peeked->calls[peeked->count++] = PeekedCall{node, object, function, pushes};
        // The arguments may hold calls of their own.
        node = node->FirstChild()->Next();
    }
    // Names and literals hold no calls.
    for (JsToken *child = node->FirstChild(); child; child = child->Next()) {
        if (child->FirstChild() && !Peek(run, scope, child, peeked)) return false;
    }
    return true;
}

}  // namespace

bool PeekCalls(Run &run, JsFrame *scope, JsToken *node, PeekedCalls *peeked) {
    peeked->count = 0;
    peeked->plainScripts = 0;
    peeked->hostAnswers = g_hostAnswers;
    // The callees are looked up in the scope and window that the expression
    // will have when it reaches them.
    if (scope->withObject || run.context->currentGlobal != scope->globalObject) return false;
    return Peek(run, scope, node, peeked);
}

void ReleasePeeked(PeekedCalls *peeked) {
    for (int i = 0; i < peeked->count; i++) {
        ReleaseRef(peeked->calls[i].object);
        ReleaseRef(peeked->calls[i].function);
    }
    peeked->count = 0;
}

bool SeenCallee(Run &run, JsFrame *scope, const JsToken *call, JsValue **object, JsFunction **function,
                int32_t *pushes) {
    *object = nullptr;
    *function = nullptr;
    *pushes = 0;
    PeekedCalls *peeked = run.peeked;
    const PeekedCall *seen = nullptr;
    for (int i = 0; peeked && i < peeked->count && !seen; i++) {
        if (peeked->calls[i].node == call) seen = &peeked->calls[i];
    }
    if (!seen) return false;
    if (g_hostAnswers == peeked->hostAnswers) {
        // Nothing but the expression has run since the look-up, and it
        // assigns nothing before its calls and calls nothing that changes
        // what a look-up finds: the callee would give the same again.
        *object = seen->object;
        *function = seen->function;
        *pushes = seen->pushes;
        if (*object) (*object)->refs++;
        (*function)->refs++;
        return true;
    }
    // The host may have run something: look again, asking it as the frames
    // would, or have the callee evaluated.
    JsToken *callee = call->FirstChild();
    if (callee->code != TK_IDENT && callee->FirstChild()->code != TK_IDENT) {
        *pushes = -1;
        return true;
    }
    JsValue *found = LookUpCallee(run, scope, call, object, pushes);
    if (!KeepIfAlone(found, object, function)) return false;
    // Room was made for a script's body only where one was seen.
    if (((*function)->id < kFirstNativeId) == (seen->function->id < kFirstNativeId)) return true;
    ReleaseRef(*object);
    ReleaseRef(*function);
    *object = nullptr;
    *function = nullptr;
    return false;
}
