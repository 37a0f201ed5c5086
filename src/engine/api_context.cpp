// The exports that bind scripts and handlers to a global object and run
// them: evaluation contexts and JS_Evaluate.
#include "builtins/function.h"
#include "builtins/host_object.h"
#include "compiler/script.h"
#include "duriz.h"
#include "engine/shared.h"
#include "interp/frame.h"
#include "interp/interpreter.h"
#include "values/cycles.h"
#include "values/object.h"

namespace {

// Top-level function declarations are stored on the global before the
// first statement runs.
void HoistFunctions(JsToken *start, JsScript *script, JsValue *global) {
    if (!start || !global->IsObject()) return;
    JsObject *object = static_cast<JsObject *>(global);
    JsHostObject *window = object->IsHostObject() && static_cast<JsHostObject *>(object)->classNumber == DURIZ_CLASS_WINDOW
                               ? static_cast<JsHostObject *>(object)
                               : nullptr;
    for (JsToken *child = start->FirstChild(); child; child = child->Next()) {
        if (child->code != TK_FUNCTION) continue;
        JsToken *name = child->FirstChild();
        if (!name || name->code != TK_IDENT) break;
        JsFunction *function = JsFunction::MakeScript(child, script);
        if (!function) continue;
        // Made for the window: a call of it runs there, wherever it is
        // called from.
        if (window) function->BindToWindow(window);
        JsValue *stored = object->PutProperty(name->text ? name->text : "", function, TK_ASSIGN, 1);
        // A window member the host keeps answers with a value of its own.
        if (stored != function) DropIfUnowned(stored);
        DropIfUnowned(function);
    }
}

}  // namespace

extern "C" {

JsEvalContext *DURIZ_CALL JS_CreateEvalContext(JsValue *global, JsScript *script, JsValue *handler,
                                               JsValue *thisObject) {
    if (!global) return nullptr;
    JsFunction *function = handler && handler->IsFunction() ? static_cast<JsFunction *>(handler) : nullptr;
    if (!script && !function) return nullptr;
    EngineEntry entry;
    if (function && function->owner) global = function->owner;
    else if (function && function->boundWindow) global = function->boundWindow;
    JsToken *start = nullptr;
    if (script) {
        start = script->root;
    } else {
        start = function->Body();
        script = function->script;
    }
    JsEvalContext *context = new JsEvalContext();
    if (!context) return nullptr;
    JsFrame *frame = AcquireFrame();
    if (!frame) {
        delete context;
        return nullptr;
    }
    context->script = script;
    if (script) script->refs++;
    frame->node = start;
    frame->function = nullptr;
    frame->ownsScope = true;
    AssignRef(&frame->thisObject, thisObject);
    AssignRef(&frame->globalObject, global);
    context->top = frame;
    AssignRef(&context->currentGlobal, global);
    if (script) HoistFunctions(start, script, global);
    return context;
}

}  // extern "C"

namespace {

void DeleteContext(JsEvalContext *context) {
    EngineEntry entry;
    // The last context of a page whose window the host has given back: the
    // page's cycles can go now.
    JsObject *global = AsObject(context->currentGlobal);
    if (global && global->IsHostObject() && static_cast<JsHostObject *>(global)->givenBack) CollectSoon();
    while (JsFrame *frame = context->top) DiscardFrame(context, frame);
    JsScript::Release(context->script);
    AssignRef(&context->currentGlobal, nullptr);
    delete context;
}

}  // namespace

extern "C" {

void DURIZ_CALL JS_DeleteEvalContext(JsEvalContext *context) {
    if (!context) return;
    if (context->busy) {
        // A host callback deletes the context its run is in: the frames are
        // in use below the callback. The run stops at its next push (no
        // budget left) and JS_Evaluate deletes the context as it returns.
        context->busy = 2;
        context->budget = 0;
        return;
    }
    DeleteContext(context);
}

int DURIZ_CALL JS_Evaluate(JsEvalContext *context, JsValue **result) {
    if (result) *result = nullptr;
    if (!context) return RC_NULL_HANDLE;
    if (g_dialogFlag || context->busy) return RC_BUSY;
    EngineEntry entry;
    context->busy = 1;
    JsValue *value = nullptr;
    const int status = Interpret(context, &value);
    const bool deleted = context->busy == 2;
    context->busy = 0;
    if (deleted) {
        // Deleted by the host while it ran: no result is handed out.
        ReleaseRef(value);
        DeleteContext(context);
        return status;
    }
    if (value && (value->IsNull() || value->IsUndefined())) {
        ReleaseRef(value);
        value = nullptr;
    }
    if (result) {
        *result = value;
    } else {
        ReleaseRef(value);
    }
    return status;
}

}  // extern "C"
