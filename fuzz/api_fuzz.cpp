// The host API driven by a sequence of calls decoded from the input:
// objects, scripts (loaded whole or in pieces), handlers, contexts,
// evaluation and the getters, in any valid order, with handles given back
// in any order. The scripts build cycles through windows, documents,
// objects, arrays and functions; once every handle is back, nothing may be
// left for the shutdown to free (the collector took it all), and the
// address checker sees that nothing was used after it was freed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "duriz.h"
#include "engine/memory.h"

namespace {

const char *const kTexts[] = {
    "x = 1; x + 2",
    "function f(a) { return a * 2 } f(21)",
    "o = new Object(); o.p = 'q'; o",
    "for (i = 0; i < 20000; i++) ; i",
    "document.title = 'T'; document.forms.length",
    "return false",
    "a = new Array(3, 1, 2); a.sort(); a",
    "x = ;",
    "s = 'abc'; s.charAt(1) + s.length",
    "while (true) ;",
    "this.name + window.closed",
    "eval('1 +')",
    "w = window; me = self; d = document; d.w = w; o = new Object(); o.o = o; o.d = d",
    "function N() { this.next = this; this.w = window } n = new N(); N.n = n; n",
    "a = new Array(); a[0] = a; a[1] = document; b = new Array(); b[0] = a; a[2] = b; a",
    "function f(x) { x.f = f; return x } f(new Object()); f.prototype.f = f; f",
    "o = new Object(); p = new Object(); o.p = p; p.o = o; p.w = window; document.p = p; o = 0; p",
    "function g() { var l = new Object(); l.l = l; l.g = g; return l } g(); g(); g()",
    "document.forms.me = document.forms; document.images.d = document; window",
    "s = new String('t'); s.s = s; s.w = window; s",
};
constexpr size_t kTextCount = sizeof kTexts / sizeof kTexts[0];

int DURIZ_CALL GetProperty(uint32_t handle, int, int, const char **text, int32_t *number) {
    *number = static_cast<int32_t>(handle);
    *text = handle % 2 ? "text" : nullptr;
    return handle % 3 != 0;
}
// The document the scripts see: the last one made that the host still holds.
JsValue *g_document = nullptr;
JsValue *DURIZ_CALL GetObject(uint32_t, int nameIndex, int) {
    return nameIndex == DURIZ_NAME_DOCUMENT ? g_document : nullptr;
}

intptr_t DURIZ_CALL CallMethod(uint32_t, uint32_t, int, JsValue *, const char **, int32_t *number) {
    *number = 1;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    JS_Init(GetProperty, GetObject, nullptr, CallMethod, nullptr, nullptr);
    g_document = nullptr;
    std::vector<JsValue *> values;  // one reference each
    std::vector<JsScript *> scripts;
    std::vector<JsEvalContext *> contexts;
    auto pick = [&](size_t i, size_t n) { return n ? (data[i] % n) : 0; };
    for (size_t i = 0; i + 1 < size; i += 2) {
        const uint8_t op = data[i] % 12;
        const size_t arg = i + 1;
        switch (op) {
        case 0: {
            const int kinds[] = {0, 1, 6, 10, 11, 18, 20, 22, 27, 28, 29, 31, 33, 2, 40};
            JsValue *owner = values.empty() ? nullptr : values[pick(arg, values.size())];
            const int kind = kinds[data[arg] % 15];
            if (JsValue *v = JS_CreateObject(kind, data[arg], owner)) {
                values.push_back(v);
                if (kind == DURIZ_CLASS_DOCUMENT) g_document = v;
            }
            break;
        }
        case 1: {
            JsScript *s = JS_CreateScript(0);
            const std::string text = kTexts[data[arg] % kTextCount];
            const char *pos = text.data();
            // Loaded in two pieces when the byte says so.
            const size_t cut = data[arg] / 16 % (text.size() + 1);
            if (JS_LoadScript(s, &pos, text.data() + cut, 1) == DURIZ_MORE_TEXT)
                JS_LoadScript(s, &pos, text.data() + text.size(), 0);
            scripts.push_back(s);
            break;
        }
        case 2: {
            const std::string text = kTexts[data[arg] % kTextCount];
            JsValue *owner = values.empty() || data[arg] % 2 ? nullptr : values[pick(arg, values.size())];
            if (JsValue *h = JS_LoadEventHandler(data[arg], text.data(), static_cast<int>(text.size()), owner))
                values.push_back(h);
            break;
        }
        case 3: {
            JsValue *global = values.empty() ? nullptr : values[pick(arg, values.size())];
            JsScript *script = scripts.empty() || data[arg] % 3 == 0 ? nullptr : scripts[pick(arg, scripts.size())];
            JsValue *handler = values.empty() ? nullptr : values[data[arg] / 3 % values.size()];
            if (JsEvalContext *c = JS_CreateEvalContext(global, script, script ? nullptr : handler, global))
                contexts.push_back(c);
            break;
        }
        case 4:
            if (!contexts.empty()) {
                JsValue *v = nullptr;
                JS_Evaluate(contexts[pick(arg, contexts.size())], &v);
                if (v) values.push_back(v);
            }
            break;
        case 5:
            if (!values.empty()) {
                const size_t k = pick(arg, values.size());
                if (values[k] == g_document) g_document = nullptr;
                JS_DeleteObject(values[k]);
                values.erase(values.begin() + static_cast<long>(k));
            }
            break;
        case 6:
            if (!scripts.empty()) {
                const size_t k = pick(arg, scripts.size());
                JS_DeleteScript(scripts[k]);
                scripts.erase(scripts.begin() + static_cast<long>(k));
            }
            break;
        case 7:
            if (!contexts.empty()) {
                const size_t k = pick(arg, contexts.size());
                JS_DeleteEvalContext(contexts[k]);
                contexts.erase(contexts.begin() + static_cast<long>(k));
            }
            break;
        case 8:
            if (values.size() >= 2) {
                JsValue *parent = values[pick(arg, values.size())];
                JsValue *child = values[data[arg] / 7 % values.size()];
                const int names[] = {DURIZ_NAME_FORMS, DURIZ_NAME_IMAGES, DURIZ_NAME_ELEMENTS, DURIZ_NAME_OPTIONS,
                                     DURIZ_NAME_TITLE};
                JS_AddObjectIdx(parent, names[data[arg] % 5], DURIZ_CLASS_FORM, 0, data[arg],
                                data[arg] % 2 ? child : nullptr);
            }
            break;
        case 9:
            if (!values.empty()) {
                JsValue *v = values[pick(arg, values.size())];
                JS_GetStringValue(v);
                JS_GetObjectStringValue(v, data[arg] % 220, data[arg] % 2);
                JS_GetObjectHandleValue(v, data[arg] % 220, data[arg] / 2 % 2);
            }
            break;
        case 10:
            if (!values.empty()) {
                JsValue *v = values[pick(arg, values.size())];
                JS_GetObjectByName(v, data[arg] % 2 ? "x" : "length");
                values.push_back(JS_NewInstance(v));
            }
            break;
        default:
            JS_DebugPrint(data[arg]);
            break;
        }
    }
    // Give everything back in the order the input ends with.
    for (JsEvalContext *c : contexts) JS_DeleteEvalContext(c);
    for (JsScript *s : scripts) JS_DeleteScript(s);
    g_document = nullptr;
    for (JsValue *v : values) JS_DeleteObject(v);
    JS_Destroy();
    if (g_blocksLeftAtShutDown) __builtin_trap();  // something was still held once all was given back
    return 0;
}
