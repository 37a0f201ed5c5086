#include "runner.h"

#include <cstdio>
#include <string>

#include "duriz.h"

std::string Escaped(const std::string &text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7f) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string SyntaxFailure(std::string_view text) {
    const std::string &report = g_reported.syntaxExcerpt;
    if (report == "out of memory" && text.find(report) == std::string_view::npos) return report;
    return "syntax error: " + Escaped(report);
}

int EvaluateContext(JsEvalContext *context, const RunSettings &settings, const std::string &name,
                    JsValue **value) {
    *value = nullptr;
    int rc;
    size_t rounds = 0;
    do {
        JS_DeleteObject(*value);
        *value = nullptr;
        if (settings.maxSteps && rounds == settings.maxSteps) {
            std::fflush(stdout);
            std::fprintf(stderr, "duriz: %s: stopped after %zu budget rounds\n", name.c_str(), rounds);
            return DURIZ_BUSY;
        }
        rc = JS_Evaluate(context, value);
        rounds++;
    } while (rc == DURIZ_BUSY);
    return rc;
}

namespace {

// Feeds text to the compiler, whole or in chunks; answers the last result
// and leaves *stop where the compiler stopped.
int LoadText(JsScript *script, std::string_view text, size_t chunk, const char **stop) {
    const char *begin = text.data();
    const char *pos = begin;
    const size_t total = text.size();
    if (!chunk) {
        const int rc = JS_LoadScript(script, &pos, begin + total, 0);
        *stop = pos;
        return rc;
    }
    size_t fed = 0;
    int rc;
    do {
        fed = fed + chunk < total ? fed + chunk : total;
        rc = JS_LoadScript(script, &pos, begin + fed, fed < total);
    } while (rc == DURIZ_MORE_TEXT && fed < total);
    *stop = pos;
    return rc;
}

size_t LineOf(std::string_view text, const char *stop) {
    size_t line = 1;
    for (const char *p = text.data(); p < stop && p < text.data() + text.size(); p++)
        if (*p == '\n') line++;
    return line;
}

void PrintRuntimeErrors(const std::string &name) {
    std::fflush(stdout);
    for (const std::string &source : g_reported.runtime)
        std::fprintf(stderr, "duriz: %s: run-time error: %s\n", name.c_str(), Escaped(source).c_str());
    g_reported.runtime.clear();
}

// Evaluates a compiled script to completion; answers the last status and
// leaves the value (with a reference) in *value.
int Evaluate(Model &model, const RunSettings &settings, const std::string &name, JsScript *script,
             JsValue **value) {
    *value = nullptr;
    JsEvalContext *context = JS_CreateEvalContext(model.Window(), script, nullptr, nullptr);
    if (!context) return DURIZ_RUNTIME_ERROR;
    const int rc = EvaluateContext(context, settings, name, value);
    JS_DeleteEvalContext(context);
    return rc;
}

void PrintResult(int status, JsValue *value) {
    std::string line = std::to_string(status);
    if (value) {
        const char *text = JS_GetStringValue(value);
        line += ' ';
        line += text ? text : "";
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

bool RunScript(Model &model, const RunSettings &settings, const std::string &name, std::string_view text) {
    JsScript *script = JS_CreateScript(0);
    if (!script) {
        std::fprintf(stderr, "duriz: %s: out of memory\n", name.c_str());
        return false;
    }
    g_reported.syntaxExcerpt.clear();
    const char *stop = nullptr;
    if (LoadText(script, text, settings.chunk, &stop) != DURIZ_OK) {
        std::fflush(stdout);
        std::fprintf(stderr, "duriz: %s:%zu: %s\n", name.c_str(), LineOf(text, stop), SyntaxFailure(text).c_str());
        JS_DeleteScript(script);
        if (settings.result) PrintResult(DURIZ_SYNTAX_ERROR, nullptr);
        return false;
    }
    JsValue *value = nullptr;
    const int status = Evaluate(model, settings, name, script, &value);
    // Functions the script defined stay callable from later scripts,
    // handlers and timers: the model keeps the script until it stops.
    model.scripts.push_back(script);
    const bool failed = status == DURIZ_RUNTIME_ERROR || status == DURIZ_BUSY;
    if (failed) PrintRuntimeErrors(name);
    if (settings.result) PrintResult(status, value);
    JS_DeleteObject(value);
    return !failed;
}

bool RunTimers(Model &model, const RunSettings &settings) {
    // A timer may set another: stop after a fixed number of runs so that a
    // page that keeps re-arming one cannot hold the command forever.
    constexpr int kTimerRunLimit = 10000;
    RunSettings quiet = settings;
    quiet.result = false;
    bool ok = true;
    Timer timer;
    for (int runs = 0; model.TakeTimer(&timer); runs++) {
        if (runs == kTimerRunLimit) {
            std::fprintf(stderr, "duriz: timers stopped after %d runs\n", kTimerRunLimit);
            return false;
        }
        if (!RunScript(model, quiet, "setTimeout " + std::to_string(timer.id), timer.text)) ok = false;
    }
    return ok;
}
