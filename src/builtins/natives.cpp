// The native dispatcher and the natives that go to the host: window,
// document, element, location and history methods, assign; and eval,
// toString, the array methods and the navigator's fixed answers.
#include "builtins/natives.h"

#include <cstring>

#include "builtins/function.h"
#include "builtins/host_object.h"
#include "builtins/library.h"
#include "compiler/parser.h"
#include "compiler/script.h"
#include "duriz.h"
#include "engine/callbacks.h"
#include "engine/shared.h"
#include "interp/frame.h"
#include "values/array.h"

JsValue *NativeCall::Arg(int i) const { return args && i >= 1 ? args->ValueAt(i - 1) : nullptr; }

namespace {

JsHostObject *AsHost(JsValue *value) {
    if (!value || !value->IsObject() || !static_cast<JsObject *>(value)->IsHostObject()) return nullptr;
    return static_cast<JsHostObject *>(value);
}

JsHostObject *AsHostOfClass(JsValue *value, int classNumber) {
    JsHostObject *host = AsHost(value);
    return host && host->classNumber == classNumber ? host : nullptr;
}

JsValue *AsValue(intptr_t answer) { return reinterpret_cast<JsValue *>(answer); }

JsValue *WindowMethod(const NativeCall &call) {
    JsHostObject *target = AsHostOfClass(call.thisValue, DURIZ_CLASS_WINDOW);
    if (!target) target = AsHostOfClass(call.context->currentGlobal, DURIZ_CLASS_WINDOW);
    if (!target || !g_host.callHostMethod) return nullptr;
    const char *text = nullptr;
    int32_t number = 0;
    const bool dialog = call.id == DURIZ_NATIVE_WINDOW_ALERT || call.id == DURIZ_NATIVE_WINDOW_CONFIRM ||
                        call.id == DURIZ_NATIVE_WINDOW_PROMPT;
    // While the host shows its dialog no script may run.
    if (dialog) g_dialogFlag = 1;
    const intptr_t answer = g_host.callHostMethod(target->handle, target->handle, call.id, call.args, &text, &number);
    if (dialog) g_dialogFlag = 0;
    switch (call.id) {
    case DURIZ_NATIVE_WINDOW_CONFIRM:
    case DURIZ_METHOD_CLOSED:
        return answer ? g_shared.trueValue : g_shared.falseValue;
    case DURIZ_NATIVE_WINDOW_SETTIMEOUT:
        return MakeNumber(number);
    case DURIZ_NATIVE_WINDOW_PROMPT:
        return text ? JsString::Make(text) : AsValue(answer);
    default:
        return AsValue(answer);
    }
}

JsValue *DocumentMethod(const NativeCall &call) {
    JsHostObject *document = AsHostOfClass(call.thisValue, DURIZ_CLASS_DOCUMENT);
    if (!document || !g_host.callHostMethod) return nullptr;
    JsHostObject *window = AsHost(document->window);
    const uint32_t second = window ? window->handle : document->handle;
    const char *text = nullptr;
    int32_t number = 0;
    return AsValue(g_host.callHostMethod(document->handle, second, call.id, call.args, &text, &number));
}

JsValue *ElementMethod(const NativeCall &call) {
    JsHostObject *element = AsHost(call.thisValue);
    if (!element || !g_host.callHostMethod) return nullptr;
    uint32_t second = 0;
    if (call.id == DURIZ_NATIVE_HISTORY_GO) {
        if (JsHostObject *window = AsHost(call.context->currentGlobal)) second = window->handle;
    }
    const char *text = nullptr;
    int32_t number = 0;
    return AsValue(g_host.callHostMethod(element->handle, second, call.id, call.args, &text, &number));
}

// location.assign(url): as an assignment to the window's location.
JsValue *Assign(const NativeCall &call) {
    JsValue *url = call.Arg(1);
    if (!call.thisValue || !call.thisValue->HasClass() ||
        static_cast<JsClassObject *>(call.thisValue)->ClassNumber() != DURIZ_CLASS_LOCATION || !url ||
        !g_host.setHostProperty)
        return nullptr;
    JsHostObject *location = AsHost(call.thisValue);
    const uint32_t handle = location ? location->handle : 0;
    return JsString::Make(g_host.setHostProperty(handle, DURIZ_NAME_LOCATION, DURIZ_CLASS_WINDOW, url->ToText(),
                                                 nullptr, DURIZ_OP_ASSIGN));
}

// eval(text): compiles the text for the caller to run in its frame. A text
// that does not compile gives nothing and reports nothing.
void Eval(const NativeCall &call, JsScript **code) {
    JsValue *source = call.Arg(1);
    const char *text = source ? source->ToText() : nullptr;
    if (!text) return;
    JsScript *script = JsScript::Create(0, 0);
    if (!script) return;
    script->silent = 1;
    // The text may live in the shared number buffer: compile a copy.
    const size_t length = std::strlen(text);
    char *copy = JsCopyText(text, length);
    if (!copy) {
        JsScript::Release(script);
        return;
    }
    const char *position = copy;
    const int result = Compile(script, &position, copy + length, 0);
    JsFree(copy);
    if (result != RC_OK) {
        JsScript::Release(script);
        return;
    }
    *code = script;  // the frame that runs it holds its one count
}

JsValue *ToStringNative(const NativeCall &call) {
    const char *text = call.thisValue ? call.thisValue->ToText() : nullptr;
    return text ? JsString::Make(text) : nullptr;
}

JsValue *ArrayMethod(const NativeCall &call) {
    JsValue *self = call.thisValue;
    if (!self || !self->HasClass() || static_cast<JsClassObject *>(self)->ClassNumber() != DURIZ_CLASS_ARRAY)
        return nullptr;
    JsArray *array = static_cast<JsArray *>(self);
    switch (call.id) {
    case DURIZ_NATIVE_ARRAY_JOIN: {
        JsValue *separator = call.Arg(1);
        if (!separator) return array->Join(nullptr);
        // The separator's text may share the number buffer with the
        // elements' texts: join with a copy.
        const char *text = separator->ToText();
        char *copy = text ? JsCopyText(text, std::strlen(text)) : nullptr;
        if (text && !copy) return nullptr;
        JsString *joined = array->Join(copy);
        JsFree(copy);
        return joined;
    }
    case DURIZ_NATIVE_ARRAY_REVERSE:
        array->Reverse();
        return nullptr;
    default:
        array->Sort();
        return nullptr;
    }
}

// The built-ins that read their arguments one by one only and ask nothing
// of the host themselves: Math's functions, the string methods and the
// global conversions.
bool IsLoneNative(int32_t id) {
    return (id >= DURIZ_NATIVE_STRING_ANCHOR && id <= DURIZ_NATIVE_STRING_TOUPPERCASE) ||
           (id >= DURIZ_NATIVE_MATH_ABS && id <= DURIZ_NATIVE_MATH_TAN) || id == DURIZ_NATIVE_WINDOW_PARSEINT ||
           id == DURIZ_NATIVE_WINDOW_PARSEFLOAT || id == DURIZ_NATIVE_WINDOW_ESCAPE ||
           id == DURIZ_NATIVE_WINDOW_UNESCAPE || id == DURIZ_NATIVE_WINDOW_ISNAN;
}

JsValue *LoneNative(const NativeCall &call) {
    const int id = call.id;
    if (id >= DURIZ_NATIVE_STRING_ANCHOR && id <= DURIZ_NATIVE_STRING_TOUPPERCASE) return StringMethod(call);
    if (id >= DURIZ_NATIVE_MATH_ABS && id <= DURIZ_NATIVE_MATH_TAN) return MathFunction(call);
    return GlobalFunction(call);
}

}  // namespace

JsValue *CallNative(JsEvalContext *context, JsFrame *frame, JsScript **code) {
    *code = nullptr;
    JsFunction *callee = frame ? frame->function : nullptr;
    if (!callee) return nullptr;
    NativeCall call{context, callee->id, frame->thisObject,
                    frame->args && frame->args->IsObject() ? static_cast<JsObject *>(frame->args) : nullptr};
    const int id = call.id;
    if (id == DURIZ_METHOD_CLOSED || (id >= DURIZ_NATIVE_WINDOW_ALERT && id <= DURIZ_NATIVE_WINDOW_SETTIMEOUT)) return WindowMethod(call);
    if (id >= DURIZ_NATIVE_DOCUMENT_CLEAR && id <= DURIZ_NATIVE_DOCUMENT_WRITELN) return DocumentMethod(call);
    if (id >= DURIZ_NATIVE_ARRAY_JOIN && id <= DURIZ_NATIVE_ARRAY_SORT) return ArrayMethod(call);
    if (IsLoneNative(id)) return LoneNative(call);
    if (id >= DURIZ_NATIVE_DATE_GETDATE && id <= DURIZ_NATIVE_DATE_UTC) return DateMethod(call);
    switch (id) {
    case DURIZ_NATIVE_HOST_ASSIGN:
        return Assign(call);
    case DURIZ_NATIVE_HOST_EVAL:
        Eval(call, code);
        return nullptr;
    case DURIZ_NATIVE_HOST_TOSTRING:
        return ToStringNative(call);
    case DURIZ_NATIVE_FORM_RESET:
    case DURIZ_NATIVE_FORM_SUBMIT:
    case DURIZ_NATIVE_TEXT_BLUR:
    case DURIZ_NATIVE_TEXT_FOCUS:
    case DURIZ_NATIVE_TEXT_SELECT:
    case 1093:  // an element method that no name leads to
    case DURIZ_NATIVE_LOCATION_RELOAD:
    case DURIZ_NATIVE_LOCATION_REPLACE:
    case DURIZ_NATIVE_HISTORY_BACK:
    case DURIZ_NATIVE_HISTORY_FORWARD:
    case DURIZ_NATIVE_HISTORY_GO:
        return ElementMethod(call);
    case DURIZ_NATIVE_NAVIGATOR_JAVAENABLED:
    case DURIZ_NATIVE_NAVIGATOR_TAINTENABLED:
        return g_shared.falseValue;
    default:
        // valueOf, taint, untaint, the constructors and the ids no name
        // leads to give no value.
        return nullptr;
    }
}
