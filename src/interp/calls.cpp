// Calls, argument lists, new and native bodies.
#include "builtins/function.h"
#include "builtins/host_object.h"
#include "builtins/natives.h"
#include "compiler/script.h"
#include "duriz.h"
#include "engine/callbacks.h"
#include "engine/shared.h"
#include "interp/interpreter.h"
#include "interp/locals.h"
#include "values/array.h"
#include "values/object.h"

namespace {

uint32_t HandleOf(JsValue *value) {
    JsObject *object = AsObject(value);
    return object && object->IsHostObject() ? static_cast<JsHostObject *>(object)->handle : 0;
}

// new Image(): the host makes the object.
JsValue *HostImage(Run &run, JsValue *args) {
    const char *text = nullptr;
    int32_t number = 0;
    const uint32_t handle = HandleOf(run.context->currentGlobal);
    if (!g_host.callHostMethod) return nullptr;
    return reinterpret_cast<JsValue *>(
        g_host.callHostMethod(handle, handle, DURIZ_CTOR_IMAGE, args, &text, &number));
}

// A call that cannot have what it runs with (its locals, its argument
// list, the object it constructs or the wrapper of its this) when memory
// runs out fails at the node as a run-time error, as a frame that cannot be
// had does: it must not end as though the body had run and returned.
inline Step CannotRun(JsToken *node) { return Fail(node); }

// A call's locals: its own object when the body can declare a name (eval's
// code counts as one that can), else the shared one that stays empty.
JsObject *NewLocals(JsFunction *function) {
    if (!function->BodyDeclares()) return g_shared.noLocals;
    if (function->LocalCount() > 0) {
        if (JsLocals *kept = JsLocals::TakeKept(function)) return kept;
        return JsLocals::Make(function);
    }
    return new JsObject();
}

}  // namespace

bool IsWindow(JsValue *value) {
    return value && value->HasClass() && static_cast<JsClassObject *>(value)->ClassNumber() == DURIZ_CLASS_WINDOW;
}

JsValue *MethodOf(JsValue *object, JsToken *memberName, JsValue *index) {
    NameIndexHint hint(memberName);
    if (object->IsFunction()) {
        JsFunction *function = static_cast<JsFunction *>(object);
        const char *name = memberName && memberName->text ? memberName->text : nullptr;
        if (name && function->members) {
            if (JsValue *found = function->members->GetProperty(name)) return found;
        }
        JsObject *prototype = function->Prototype();
        if (name && prototype) return prototype->GetProperty(name);
        return nullptr;
    }
    JsObject *o = AsObject(object);
    if (!o) return nullptr;
    if (memberName) {
        if (memberName->code == TK_IDENT && memberName->text) return o->GetPropertyAt(memberName);
        return o->GetProperty(memberName->text ? memberName->text : "");
    }
    return index ? o->GetByKey(index) : nullptr;
}

namespace {

// Enters the called function's body: false with *step to hand back, true
// when the body has been entered and done here (run.done is the body) and
// the call goes on.
bool EnterBody(Run &run, JsFunction *function, bool construct, Step *step) {
    JsFrame *f = run.frame;
    JsToken *body = function->Body();
    OwnScope(f);
    // A built-in other than eval runs no code of its own: it needs no
    // locals, and its body cannot pause once entered.
    const bool builtIn = body && body->code == TK_NATIVE_BODY && function->id != DURIZ_NATIVE_HOST_EVAL;
    if (!builtIn) {
        JsObject *locals = NewLocals(function);
        if (!locals) return Hand(step, CannotRun(f->node));
        AssignRef(&f->locals, locals);
    }
    ClearFrame(f, false);
    if (JsObject *home = function->HomeWindow()) {
        AssignRef(&f->globalObject, home);
        AssignRef(&run.context->currentGlobal, home);
    }
    if (!body) return Hand(step, construct ? Pop(f->thisObject) : Pop());
    if (builtIn && run.context->budget > 1) return RunBodyInPlace(run, body, function);
    return Hand(step, PushBody(run, body, function, f->thisObject, f->locals));
}

}  // namespace

namespace {

// The call's next step once the child run.done has completed, or the first
// one when nothing has; false with *step to hand back, true when the call
// goes on with a new run.done.
bool CallGoesOn(Run &run, Step *step) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *callee = node->FirstChild();
    JsToken *list = callee ? callee->Next() : nullptr;
    if (!run.done) {
        if (!callee) return Hand(step, Fail(node));
        if (callee->code == TK_IDENT) {
            NameIndexHint hint(callee);
            AssignRef(&f->held, ResolveName(callee->text, f, run.context->currentGlobal, callee));
            if (!list) return Hand(step, Fail(node));
            return TakeInPlace(run, list) || Hand(step, Push(list));
        }
        return TakeInPlace(run, callee, true) || Hand(step, Push(callee, true));
    }
    if (run.done == callee) {
        JsValue *object = f->operand1;
        if (!object) return Hand(step, Fail(node));
        if (object->IsString() || object->IsNumber()) {
            JsObject *wrapper = JsObject::MakeConstructed(
                static_cast<JsFunction *>(NativeFunction(DURIZ_CTOR_STRING)), nullptr);
            if (!wrapper) return Hand(step, CannotRun(node));
            JsString *text = object->IsString() ? static_cast<JsString *>(object) : JsString::Make(object->ToText());
            AssignRef(&wrapper->internal, text);
            AssignRef(&f->operand1, wrapper);
            object = wrapper;
        }
        if (!f->memberName && !f->operand2) return Hand(step, Fail(node));
        AssignRef(&f->held, MethodOf(object, f->memberName, f->operand2));
        if (!list) return Hand(step, Fail(node));
        return TakeInPlace(run, list) || Hand(step, Push(list));
    }
    if (run.done == list) {
        JsValue *value = f->held ? f->held->AsFunction() : nullptr;
        if (!value || list->code != TK_COMMA) return Hand(step, Fail(node));
        JsFunction *function = static_cast<JsFunction *>(value);
        JsValue *candidate = callee->code == TK_IDENT ? nullptr : f->operand1;
        if (!candidate) candidate = f->withObject;
        OwnScope(f);
        if (f->pendingArgs) static_cast<JsArray *>(f->pendingArgs)->Filled();
        AssignRef(&f->args, f->pendingArgs);
        AssignRef(&f->pendingArgs, nullptr);
        const bool construct = function->id >= kFirstConstructorId || (node->Parent() && node->Parent()->code == TK_NEW);
        if (construct) {
            if (function->id == DURIZ_CTOR_IMAGE) return Hand(step, Pop(HostImage(run, f->args)));
            if (function->id == DURIZ_CTOR_ARRAY) return Hand(step, Pop(JsArray::Construct(AsObject(f->args))));
            JsObject *made = JsObject::MakeConstructed(function, AsObject(f->args));
            if (!made) return Hand(step, CannotRun(node));
            AssignRef(&f->thisObject, made);
        } else if (IsWindow(candidate)) {
            AssignRef(&f->globalObject, candidate);
            AssignRef(&run.context->currentGlobal, candidate);
            AssignRef(&f->thisObject, nullptr);
        } else {
            AssignRef(&f->thisObject, candidate);
        }
        return EnterBody(run, function, construct, step);
    }
    // The body has completed.
    JsValue *called = f->held ? f->held->AsFunction() : nullptr;
    if (called && f->args && f->ownsScope && static_cast<JsFunction *>(called)->KeepList(static_cast<JsArray *>(f->args)))
        f->args = nullptr;  // its count went with it
    if (f->ownsScope) {
        JsObject *locals = AsObject(f->locals);
        if (locals && locals->localCells && JsLocals::Keep(static_cast<JsLocals *>(locals))) f->locals = nullptr;
    }
    if ((node->Parent() && node->Parent()->code == TK_NEW) ||
        (called && static_cast<JsFunction *>(called)->id >= kFirstConstructorId))
        return Hand(step, Pop(f->thisObject));
    // A return's value that took the body's place pops straight into the call.
    if (run.done->code == TK_RETURN || run.done->code == TK_NATIVE_BODY ||
        (run.done->Parent() && run.done->Parent()->code == TK_RETURN))
        return Hand(step, Pop(f->operand1 ? f->operand1 : g_shared.undefinedValue));
    return Hand(step, Pop(g_shared.undefinedValue));
}

}  // namespace

Step HandleCall(Run &run) {
    Step step;
    while (CallGoesOn(run, &step)) {
    }
    return step;
}

namespace {

// The function a call frame holds, or null.
JsFunction *CalledFunction(JsFrame *call) {
    JsValue *held = call ? call->held : nullptr;
    JsValue *value = held ? held->AsFunction() : nullptr;
    return static_cast<JsFunction *>(value);
}

}  // namespace

bool ArgumentsBecomeTexts(JsFrame *call) {
    JsFunction *called = CalledFunction(call);
    return called && (called->id == DURIZ_NATIVE_DOCUMENT_WRITE || called->id == DURIZ_NATIVE_DOCUMENT_WRITELN);
}

bool AppendArgument(JsFrame *call, JsValue *value, int position) {
    JsFunction *function = CalledFunction(call);
    if (!call->pendingArgs) {
        JsArray *list = function ? function->TakeKeptList() : nullptr;
        if (!list) list = new JsArray(1);
        if (!list) return false;
        AssignRef(&call->pendingArgs, list);
    }
    const char *name = function ? function->ParamName(position) : nullptr;
    static_cast<JsArray *>(call->pendingArgs)->Fill(name ? name : "", value);
    return true;
}

namespace {

// Items of a var list: names are declared, assignments declared and
// evaluated, anything else evaluated.
Step NextVarItem(Run &run, JsToken *item) {
    for (; item; item = item->Next()) {
        JsToken *name = item->code == TK_IDENT ? item : item->FirstChild();
        if (name && name->code == TK_IDENT) {
            JsObject *global = AsObject(run.context->currentGlobal);
            JsValue *existing = global ? global->GetProperty(name->text) : nullptr;
            if (existing) {
                DropIfUnowned(existing);
            } else if (!AssignName(name->text, g_shared.nullValue, TK_ASSIGN, run.frame,
                                   run.context->currentGlobal)) {
                return Fail(run.frame->node);
            }
        }
        if (item->code != TK_IDENT) return Push(item);
    }
    return Pop(run.frame->operand1);
}

}  // namespace

Step HandleArgumentList(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *parent = node->Parent();
    if (parent && parent->code == TK_VAR) {
        if (!run.done) return NextVarItem(run, node->FirstChild());
        JsToken *next = run.done->Next();
        if (!next) return Pop(f->operand1);
        ClearFrame(f, false);
        return NextVarItem(run, next);
    }
    JsFrame *call = f->Prev();
    if (!run.done) {
        if (ArgumentsBecomeTexts(call)) f->toStringArgs = 1;
        JsToken *first = node->FirstChild();
        if (!first) return Pop();
        if (!TakeInPlace(run, first)) return Push(first);
    }
    for (;;) {
        JsToken *done = run.done;
        if (f->savedChild && done->Parent() != node) {
            // An argument's toString has returned: its value stands in for it.
            done = f->savedChild;
            f->savedChild = nullptr;
        } else {
            JsValue *a = f->operand1;
            if (!a) return Fail(node);
            JsObject *object = AsObject(a);
            if (f->toStringArgs && object) {
                JsValue *member = object->GetProperty("toString");
                JsValue *method = member ? member->AsFunction() : nullptr;
                JsFunction *function = static_cast<JsFunction *>(method);
                if (function && function->id == 0 && function->Body()) {
                    f->savedChild = done;
                    JsObject *locals = NewLocals(function);
                    if (!locals) return CannotRun(node);
                    return PushBody(run, function->Body(), function, a, locals);
                }
            }
        }
        JsValue *a = f->operand1;
        if (!a) return Fail(node);
        if (call && !AppendArgument(call, a, ++f->argumentsDone)) return CannotRun(call->node);
        JsToken *next = done->Next();
        if (!next) return Pop(a);
        ClearFrame(f, false);
        if (!TakeInPlace(run, next)) return Push(next);
    }
}

Step HandleNew(Run &run) {
    JsFrame *f = run.frame;
    JsToken *node = f->node;
    JsToken *child = node->FirstChild();
    if (!run.done) {
        if (!child) return Fail(node);
        if (child->code == TK_CALL) return Push(child);
        if (child->code != TK_IDENT) return Fail(node);
        JsObject *global = AsObject(run.context->currentGlobal);
        JsValue *found = global ? global->GetProperty(child->text) : nullptr;
        JsValue *value = found ? found->AsFunction() : nullptr;
        if (!value) {
            DropIfUnowned(found);
            return Fail(node);
        }
        JsFunction *function = static_cast<JsFunction *>(value);
        if (function->id == DURIZ_CTOR_IMAGE) return Pop(HostImage(run, nullptr));
        if (function->id == DURIZ_CTOR_ARRAY) return Pop(JsArray::Construct(nullptr));
        JsObject *made = JsObject::MakeConstructed(function, nullptr);
        if (!made) return CannotRun(node);
        OwnScope(f);
        AssignRef(&f->thisObject, made);
        JsObject *locals = NewLocals(function);
        if (!locals) return CannotRun(node);
        AssignRef(&f->locals, locals);
        JsToken *body = function->Body();
        if (!body) return Pop(f->thisObject);
        return PushBody(run, body, function, f->thisObject, f->locals);
    }
    if (child->code == TK_IDENT || !f->operand1) return Pop(f->thisObject);
    return Pop(f->operand1);
}

Step HandleNativeBody(Run &run) {
    JsFrame *f = run.frame;
    if (run.done) return Pop(f->operand1);
    JsScript *code = nullptr;
    JsValue *result = CallNative(run.context, f, &code);
    if (code) {
        f->ownedScript = code;
        return Push(code->root);
    }
    return Pop(result);
}
