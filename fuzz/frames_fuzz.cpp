// The interpreter evaluates simple expressions without frames of their own.
// This target runs each input script twice, that way and with a frame for
// every node entered, and aborts when the runs differ in anything a host
// can see: the status of each budget round, each round's value, the errors
// reported and every callback with its arguments.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "builtins/random.h"
#include "duriz.h"
#include "engine/memory.h"
#include "interp/interpreter.h"
#include "script_rounds.h"

namespace {

std::string g_log;
uint32_t g_calls;
JsValue *g_window, *g_document;
std::string g_text;

void Log(const char *format, long a, long b, long c, const char *text) {
    char line[160];
    std::snprintf(line, sizeof line, format, a, b, c);
    g_log += line;
    if (text) g_log.append(text, 0, 200);
    g_log += '\n';
}

int DURIZ_CALL GetProperty(uint32_t handle, int nameIndex, int classNumber, const char **text, int32_t *number) {
    Log("get %ld %ld %ld", handle, nameIndex, classNumber, nullptr);
    const uint32_t a = ++g_calls;
    if (a % 3 == 0) return 0;
    if (a % 3 == 1) {
        g_text.assign(1 + a % 5, static_cast<char>('a' + a % 26));
        *text = g_text.c_str();
    } else {
        *number = static_cast<int32_t>(a % 50) - 10;
    }
    return 1;
}

JsValue *DURIZ_CALL GetObject(uint32_t handle, int nameIndex, int classNumber) {
    Log("object %ld %ld %ld", handle, nameIndex, classNumber, nullptr);
    if (nameIndex == DURIZ_NAME_DOCUMENT) return g_document;
    return ++g_calls % 4 == 0 ? g_window : nullptr;
}

const char *DURIZ_CALL SetProperty(uint32_t handle, int nameIndex, int classNumber, const char *text,
                                   JsValue *handler, int op) {
    Log("set %ld %ld %ld ", handle, nameIndex, classNumber * 1000 + op, handler ? "(handler)" : text);
    return ++g_calls % 2 ? text : nullptr;
}

intptr_t DURIZ_CALL CallMethod(uint32_t handle, uint32_t handle2, int methodId, JsValue *args, const char **text,
                               int32_t *number) {
    Log("call %ld %ld %ld", handle, handle2, methodId, nullptr);
    for (int i = 1; i <= 3; i++) {
        const char *arg = JS_GetObjectStringValue(args, i, 1);
        Log("  arg %ld %ld %ld ", i, 0, 0, arg ? arg : "(none)");
    }
    const uint32_t a = ++g_calls;
    *number = static_cast<int32_t>(a);
    if (methodId == DURIZ_NATIVE_WINDOW_PROMPT && a % 2) *text = "answer";
    if (methodId == DURIZ_NATIVE_WINDOW_OPEN) return reinterpret_cast<intptr_t>(g_window);
    return a % 3 == 0 ? reinterpret_cast<intptr_t>(g_document) : 0;
}

int DURIZ_CALL OnError(uint32_t handle, int code, const char *text) {
    Log("error %ld %ld %ld ", handle, code, 0, text);
    return 0;
}

// One run; false when the memory bound refused an allocation, which the
// two ways may meet at different places.
bool RunOnce(const std::string &text, bool framesOnly, std::string *out) {
    g_evaluateWithFrames = framesOnly;
    g_log.clear();
    g_calls = 0;
    JS_Init(GetProperty, GetObject, SetProperty, CallMethod, nullptr, OnError);
    SeedRandom(7);
    g_randomSeeded = 1;
    JS_SetMemoryLimit(8 << 20);
    const size_t refused = JsRefusedAllocations();
    g_window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    g_document = JS_CreateObject(DURIZ_CLASS_DOCUMENT, 2, g_window);
    RunScriptRounds(g_window, text, 16, [](int round, int status, JsValue *value) {
        const char *t = value ? JS_GetStringValue(value) : nullptr;
        Log("round %ld status %ld %ld ", round, status, 0, t ? t : "(none)");
    });
    JS_SetMemoryLimit(0);
    JS_DeleteObject(g_document);
    JS_DeleteObject(g_window);
    const bool complete = JsRefusedAllocations() == refused;
    JS_Destroy();
    g_evaluateWithFrames = false;
    *out = g_log;
    return complete;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::string inline_log, frames_log;
    const bool a = RunOnce(text, false, &inline_log);
    const bool b = RunOnce(text, true, &frames_log);
    // The clock may move between the runs.
    if (!a || !b || text.find("Date") != std::string::npos) return 0;
    if (inline_log != frames_log) {
        std::fprintf(stderr, "frames_fuzz: the runs differ\n--- without frames:\n%s--- with frames:\n%s",
                     inline_log.c_str(), frames_log.c_str());
        std::abort();
    }
    return 0;
}
