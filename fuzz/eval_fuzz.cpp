// Compile and evaluate: the script runs under a fixed number of budget
// rounds and a memory bound, with a host whose callbacks answer from the
// input, and the result is read the ways a host reads it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "duriz.h"
#include "engine/memory.h"
#include "script_rounds.h"

namespace {

const uint8_t *g_answers;
size_t g_answerCount, g_next;
JsValue *g_window, *g_document;
std::string g_text;

uint8_t Next() { return g_answerCount ? g_answers[g_next++ % g_answerCount] : 0; }

int DURIZ_CALL GetProperty(uint32_t, int, int, const char **text, int32_t *number) {
    const uint8_t a = Next();
    if (a % 3 == 0) return 0;
    if (a % 3 == 1) {
        g_text.assign(1 + a % 7, static_cast<char>('a' + a % 26));
        *text = g_text.c_str();
    } else {
        *number = static_cast<int32_t>(a) - 100;
    }
    return 1;
}

JsValue *DURIZ_CALL GetObject(uint32_t, int nameIndex, int) {
    const uint8_t a = Next();
    if (nameIndex == DURIZ_NAME_DOCUMENT) return g_document;
    return a % 4 == 0 ? g_window : a % 4 == 1 ? g_document : nullptr;
}

const char *DURIZ_CALL SetProperty(uint32_t, int, int, const char *text, JsValue *, int) {
    return Next() % 2 ? text : nullptr;
}

intptr_t DURIZ_CALL CallMethod(uint32_t, uint32_t, int methodId, JsValue *args, const char **text, int32_t *number) {
    const uint8_t a = Next();
    // Read the arguments as a host does.
    for (int i = 1; i <= 3; i++) JS_GetObjectStringValue(args, i, 1);
    *number = a;
    if (methodId == DURIZ_NATIVE_WINDOW_PROMPT && a % 2) *text = "answer";
    if (methodId == DURIZ_NATIVE_WINDOW_OPEN && a % 2) return reinterpret_cast<intptr_t>(g_window);
    // Methods answer with nothing or with an object the host made.
    return a % 3 == 0 ? 0 : reinterpret_cast<intptr_t>(a % 3 == 1 ? g_window : g_document);
}

int DURIZ_CALL OnError(uint32_t, int, const char *) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Input: [answer count][answers...][script]
    const size_t count = size ? data[0] % 32 : 0;
    const size_t head = size ? 1 + (count < size - 1 ? count : size - 1) : 0;
    g_answers = data + (size ? 1 : 0);
    g_answerCount = head ? head - 1 : 0;
    g_next = 0;
    JS_Init(GetProperty, GetObject, SetProperty, CallMethod, nullptr, OnError);
    const size_t refusedBefore = JsRefusedAllocations();
    JS_SetMemoryLimit(8 << 20);
    g_window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    g_document = JS_CreateObject(DURIZ_CLASS_DOCUMENT, 2, g_window);
    const std::string text(reinterpret_cast<const char *>(data) + head, size - head);
    RunScriptRounds(g_window, text, 8, [](int, int, JsValue *value) {
        if (!value) return;
        JS_GetStringValue(value);
        JS_GetObjectByName(value, "length");
        JS_GetObjectHandleValue(value, 0, 1);
    });
    JS_SetMemoryLimit(0);
    JS_DeleteObject(g_document);
    JS_DeleteObject(g_window);
    const size_t refused = JsRefusedAllocations();
    JS_Destroy();
    // With every handle given back, the collector has taken what the script
    // left in cycles; only a refused allocation may have kept a candidate
    // from being noted.
    if (g_blocksLeftAtShutDown && refused == refusedBefore) __builtin_trap();
    return 0;
}
