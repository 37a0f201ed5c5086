// Shared by the targets that run scripts: compile a text whole and run it in
// a window for at most a number of budget rounds.
#ifndef DURIZ_FUZZ_SCRIPT_ROUNDS_H
#define DURIZ_FUZZ_SCRIPT_ROUNDS_H

#include <string>

#include "duriz.h"

// onRound(round, status, value) sees each round's status and value (null
// for none); the value is deleted after it.
template <typename OnRound>
void RunScriptRounds(JsValue *window, const std::string &text, int rounds, OnRound onRound) {
    JsScript *script = JS_CreateScript(0);
    const char *pos = text.data();
    if (JS_LoadScript(script, &pos, text.data() + text.size(), 0) == DURIZ_OK) {
        JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, window);
        for (int round = 0; context && round < rounds; round++) {
            JsValue *value = nullptr;
            const int status = JS_Evaluate(context, &value);
            onRound(round, status, value);
            JS_DeleteObject(value);
            if (status != DURIZ_BUSY) break;
        }
        JS_DeleteEvalContext(context);
    }
    JS_DeleteScript(script);
}

#endif
