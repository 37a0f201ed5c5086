// Running scripts in the model's window: loading (whole or in chunks),
// evaluating to completion, and printing results and errors.
#ifndef DURIZ_HOST_RUNNER_H
#define DURIZ_HOST_RUNNER_H

#include <cstddef>
#include <string>
#include <string_view>

#include "model.h"

struct RunSettings {
    size_t chunk = 0;     // 0: the whole text at once
    bool result = false;  // print the status and value after each script
    size_t maxSteps = 0;  // budget rounds a run may take (0: no bound)
};

// Evaluates a context until it finishes or has used settings.maxSteps
// budget rounds (then it says so, naming the run, and answers
// DURIZ_BUSY); the value is left in *value with a reference.
int EvaluateContext(JsEvalContext *context, const RunSettings &settings, const std::string &name,
                    JsValue **value);

// Escapes control bytes, so that every report stays on one line.
std::string Escaped(const std::string &text);
// What the last syntax report says of text: "syntax error: EXCERPT", or
// "out of memory" when the compiler ran out of memory (its report says so
// in place of an excerpt, words the text itself does not hold).
std::string SyntaxFailure(std::string_view text);

// Compiles and runs one script; answers false when it had an error.
bool RunScript(Model &model, const RunSettings &settings, const std::string &name, std::string_view text);

// Runs the timers set by setTimeout, earliest first; answers false when
// any had an error.
bool RunTimers(Model &model, const RunSettings &settings);

// Reads line by line from a terminal with a prompt; answers false when any
// statement had an error.
bool RunInteractive(Model &model, const RunSettings &settings);

#endif
