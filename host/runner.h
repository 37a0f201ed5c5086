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
    size_t runForSeconds = 60;  // the page time timers may run for
    // Timers that re-arm without delay keep the clock still: after this
    // many runs at one moment they are stopped.
    int runsAtOneMoment = 100000;
    // When set, the budget rounds all runs together may still take: once
    // none is left, every run stops before it starts (the fuzz target bounds
    // a whole page so).
    size_t *roundsLeft = nullptr;
};

// Evaluates a context until it finishes or has used settings.maxSteps
// budget rounds (then it says so, naming the run, and answers
// DURIZ_BUSY); the value is left in *value with a reference.
int EvaluateContext(JsEvalContext *context, const RunSettings &settings, const std::string &name,
                    JsValue **value);

// The text with its ASCII letters in lower case.
std::string LowerCase(std::string text);
// Escapes control bytes, so that every report stays on one line.
std::string Escaped(const std::string &text);
// What the last syntax report says of text: "syntax error: EXCERPT", or
// "out of memory" when the compiler ran out of memory (its report says so
// in place of an excerpt, words the text itself does not hold).
std::string SyntaxFailure(std::string_view text);

// Compiles and runs one script in a window (null: the model's first);
// answers false when it had an error. line is the line of the page the
// text starts on, for the reports (1 for a file of its own).
bool RunScript(Model &model, const RunSettings &settings, const std::string &name, std::string_view text,
               JsValue *window = nullptr, size_t line = 1);

// The line a position of text is on, counting LF, CRLF and CR line ends.
size_t LineOf(std::string_view text, size_t position);
// A report's text on one line: line ends of any kind shown as \n.
std::string ReportText(const std::string &text);
// The line of text that shows the expression a run-time report prints, or
// 0 when none does.
size_t FailingLine(std::string_view text, const std::string &source);
// Prints the run-time errors the engine reported, each named by name and
// the line of the failing expression in text (which starts on firstLine).
void PrintRuntimeErrors(const std::string &name, std::string_view text, size_t firstLine);

// Runs the timers set by setTimeout, earliest first, each in the window
// that set it, on the model's clock of page time: until none is armed, or
// the next is due past settings.runForSeconds (then named on standard
// error, which is no failure). Answers false when any had an error.
bool RunTimers(Model &model, const RunSettings &settings);

// Reads line by line from a terminal with a prompt; answers false when any
// statement had an error.
bool RunInteractive(Model &model, const RunSettings &settings);

#endif
