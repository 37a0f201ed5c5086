#include "runner.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "duriz.h"

std::string LowerCase(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

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
        if ((settings.maxSteps && rounds == settings.maxSteps) || (settings.roundsLeft && !*settings.roundsLeft)) {
            std::fflush(stdout);
            std::fprintf(stderr, "duriz: %s: stopped after %zu budget rounds\n", name.c_str(), rounds);
            return DURIZ_BUSY;
        }
        rc = JS_Evaluate(context, value);
        rounds++;
        if (settings.roundsLeft) --*settings.roundsLeft;
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

}  // namespace

size_t LineOf(std::string_view text, size_t position) {
    size_t line = 1;
    const size_t end = position < text.size() ? position : text.size();
    for (size_t i = 0; i < end; i++) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) line++;
    }
    return line;
}

std::string ReportText(const std::string &text) {
    // Line ends as the file has them (CRLF, or CR alone) show as one.
    std::string plain;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '\r') {
            plain += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') i++;
        } else {
            plain += text[i];
        }
    }
    return Escaped(plain);
}

namespace {

// The text as code alone: comments and the contents of string literals
// blanked out (line ends kept, so positions stay), both quotes alike.
std::string CodeOnly(std::string_view text) {
    std::string code(text);
    char quote = 0;
    for (size_t i = 0; i < code.size(); i++) {
        const char c = code[i], next = i + 1 < code.size() ? code[i + 1] : 0;
        if (quote) {
            if (c == '\n' || c == '\r') {
                quote = 0;
            } else if (c == quote) {
                code[i] = '"';
                quote = 0;
            } else {
                if (c == '\\' && i + 1 < code.size() && next != '\n' && next != '\r') code[++i] = ' ';
                code[i] = ' ';
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            code[i] = '"';
        } else if (c == '/' && next == '/') {
            while (i < code.size() && code[i] != '\n' && code[i] != '\r') code[i++] = ' ';
        } else if (c == '/' && next == '*') {
            const size_t end = code.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? code.size() : end + 2;
            for (; i < stop; i++)
                if (code[i] != '\n' && code[i] != '\r') code[i] = ' ';
            i--;
        }
    }
    return code;
}

bool IsNameByte(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

}  // namespace

size_t FindExcerpt(std::string_view source, const std::string &excerpt) {
    // The report prints the failing expression from the compiled tree, so
    // its spacing may differ from the source's: compare code without
    // blanks. A match inside a longer name, or a function's declaration of
    // its name, is not the expression.
    const std::string text = CodeOnly(source);
    std::string wanted;
    for (char c : CodeOnly(excerpt))
        if (!std::isspace(static_cast<unsigned char>(c))) wanted += c;
    if (wanted.empty()) return std::string::npos;
    for (size_t start = 0; start < text.size(); start++) {
        if (text[start] != wanted[0]) continue;
        if (start > 0 && IsNameByte(wanted[0]) && IsNameByte(text[start - 1])) continue;
        size_t back = start;
        while (back > 0 && std::isspace(static_cast<unsigned char>(text[back - 1]))) back--;
        if (back >= 8 && text.compare(back - 8, 8, "function") == 0 && (back == 8 || !IsNameByte(text[back - 9])))
            continue;
        size_t i = start, k = 0;
        while (i < text.size() && k < wanted.size()) {
            if (std::isspace(static_cast<unsigned char>(text[i]))) {
                i++;
            } else if (text[i] == wanted[k]) {
                i++;
                k++;
            } else {
                break;
            }
        }
        if (k == wanted.size() && !(IsNameByte(wanted.back()) && i < text.size() && IsNameByte(text[i]))) return start;
    }
    return std::string::npos;
}

size_t FailingLine(std::string_view text, const std::string &source) {
    const size_t at = FindExcerpt(text, source);
    return at == std::string::npos ? 0 : LineOf(text, at);
}

void PrintRuntimeErrors(const std::string &name, std::string_view text, size_t firstLine) {
    std::fflush(stdout);
    for (const std::string &source : g_reported.runtime) {
        // The line of the failing expression, where the source shows it.
        const size_t line = FailingLine(text, source);
        const std::string where = line ? name + ":" + std::to_string(firstLine - 1 + line) : name;
        std::fprintf(stderr, "duriz: %s: run-time error: %s\n", where.c_str(), ReportText(source).c_str());
    }
    g_reported.runtime.clear();
}

namespace {

// Evaluates a compiled script to completion; answers the last status and
// leaves the value (with a reference) in *value.
int Evaluate(Model &model, const RunSettings &settings, const std::string &name, JsScript *script,
             JsValue *window, JsValue **value) {
    *value = nullptr;
    JsEvalContext *context = JS_CreateEvalContext(window ? window : model.Window(), script, nullptr, nullptr);
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

bool RunScript(Model &model, const RunSettings &settings, const std::string &name, std::string_view text,
               JsValue *window, size_t line) {
    JsScript *script = JS_CreateScript(0);
    if (!script) {
        std::fprintf(stderr, "duriz: %s: out of memory\n", name.c_str());
        return false;
    }
    g_reported.syntaxExcerpt.clear();
    const char *stop = nullptr;
    if (LoadText(script, text, settings.chunk, &stop) != DURIZ_OK) {
        std::fflush(stdout);
        const size_t at = stop ? static_cast<size_t>(stop - text.data()) : 0;
        std::fprintf(stderr, "duriz: %s:%zu: %s\n", name.c_str(), line - 1 + LineOf(text, at), SyntaxFailure(text).c_str());
        JS_DeleteScript(script);
        if (settings.result) PrintResult(DURIZ_SYNTAX_ERROR, nullptr);
        return false;
    }
    JsValue *value = nullptr;
    const int status = Evaluate(model, settings, name, script, window, &value);
    const bool failed = status == DURIZ_RUNTIME_ERROR || status == DURIZ_BUSY;
    if (failed) PrintRuntimeErrors(name, text, line);
    if (settings.result) PrintResult(status, value);
    JS_DeleteObject(value);
    model.ScriptRan(script, text);
    return !failed;
}

bool RunTimers(Model &model, const RunSettings &settings) {
    // Timers run at once, the clock of page time moving to each as it is
    // due. A scroller or a clock re-arms its timer for ever: page time is
    // bounded, and so are the runs at one moment.
    const int64_t bound = static_cast<int64_t>(settings.runForSeconds) * 1000;
    RunSettings quiet = settings;
    quiet.result = false;
    bool ok = true;
    int runsNow = 0;
    int64_t now = model.clock;
    while (const Timer *next = model.NextTimer()) {
        if (settings.roundsLeft && !*settings.roundsLeft) break;
        if (next->due > bound) {
            if (!model.timeRanOut) {
                std::fflush(stdout);
                std::fprintf(stderr, "duriz: page time ran out after %zu s; still armed: setTimeout %d \"%s\"\n",
                             settings.runForSeconds, next->id, ReportText(next->text).c_str());
            }
            model.timeRanOut = true;
            break;
        }
        Timer timer;
        model.TakeTimer(&timer);
        runsNow = timer.due == now ? runsNow + 1 : 1;
        now = timer.due;
        if (runsNow > settings.runsAtOneMoment) {
            std::fflush(stdout);
            std::fprintf(stderr, "duriz: timers stopped: %d ran at %lld ms of page time without the clock moving\n",
                         settings.runsAtOneMoment, static_cast<long long>(now));
            return false;
        }
        HostNode *window = model.Find(timer.window);
        if (window && window->closed) continue;
        if (!RunScript(model, quiet, "setTimeout " + std::to_string(timer.id), timer.text,
                       window ? window->object : nullptr))
            ok = false;
    }
    return ok;
}
