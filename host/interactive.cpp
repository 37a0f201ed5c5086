// The interactive prompt: each line goes to the incremental loader; while
// brackets are open the compiler waits for more (a continuation prompt),
// and a complete statement is run at once.
#include <cstdio>
#include <string>

#include "duriz.h"
#include "runner.h"

namespace {

// One line without its newline; false at the end of input with nothing read.
bool ReadLine(std::FILE *in, std::string *line) {
    line->clear();
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n') return true;
        line->push_back(static_cast<char>(c));
    }
    return !line->empty();
}

// How many brackets the text leaves open, outside strings and comments.
// The state carries over from line to line.
struct Brackets {
    int depth = 0;
    bool blockComment = false;

    void Scan(const std::string &line) {
        char quote = 0;
        for (size_t i = 0; i < line.size(); i++) {
            const char c = line[i];
            const char next = i + 1 < line.size() ? line[i + 1] : 0;
            if (blockComment) {
                if (c == '*' && next == '/') {
                    blockComment = false;
                    i++;
                }
            } else if (quote) {
                if (c == '\\') {
                    i++;
                } else if (c == quote) {
                    quote = 0;
                }
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '/' && next == '/') {
                break;
            } else if (c == '/' && next == '*') {
                blockComment = true;
                i++;
            } else if (c == '{' || c == '(' || c == '[') {
                depth++;
            } else if (c == '}' || c == ')' || c == ']') {
                depth--;
            }
        }
    }
    bool Open() const { return depth > 0 || blockComment; }
};

}  // namespace

bool RunInteractive(Model &model, const RunSettings &settings) {
    bool ok = true;
    std::string text;  // the statement being typed, kept while the loader holds on to it
    JsScript *script = nullptr;
    const char *position = nullptr;
    Brackets brackets;
    int number = 0;
    while (true) {
        std::fputs(script ? "...> " : "duriz> ", stdout);
        std::fflush(stdout);
        std::string line;
        if (!ReadLine(stdin, &line)) break;
        if (!script) {
            script = JS_CreateScript(0);
            if (!script) return false;
            text.clear();
            position = nullptr;
            g_reported.syntaxExcerpt.clear();
        }
        // The loader copies what it compiles and only keeps our position:
        // carry it over as an offset, since the buffer may move as it grows.
        const size_t offset = position ? static_cast<size_t>(position - text.data()) : 0;
        text += line;
        text += '\n';
        brackets.Scan(line);
        const char *pos = text.data() + offset;
        int rc = JS_LoadScript(script, &pos, text.data() + text.size(), 1);
        position = pos;
        if (rc == DURIZ_MORE_TEXT && brackets.Open()) continue;
        const std::string name = "<stdin>:" + std::to_string(++number);
        if (rc == DURIZ_MORE_TEXT) rc = JS_LoadScript(script, &pos, text.data() + text.size(), 0);
        if (rc != DURIZ_OK) {
            std::fprintf(stderr, "duriz: %s: %s\n", name.c_str(), SyntaxFailure(text).c_str());
            ok = false;
        } else {
            JsEvalContext *context = JS_CreateEvalContext(model.Window(), script, nullptr, nullptr);
            JsValue *value = nullptr;
            int status;
            do {
                JS_DeleteObject(value);
                status = JS_Evaluate(context, &value);
            } while (status == DURIZ_BUSY);
            JS_DeleteEvalContext(context);
            for (const std::string &source : g_reported.runtime)
                std::fprintf(stderr, "duriz: %s: run-time error: %s\n", name.c_str(), Escaped(source).c_str());
            if (!g_reported.runtime.empty()) ok = false;
            g_reported.runtime.clear();
            if (settings.result || value) {
                const char *t = value ? JS_GetStringValue(value) : nullptr;
                if (settings.result) std::printf("%d%s%s\n", status, t ? " " : "", t ? t : "");
                else if (t) std::printf("%s\n", t);
            }
            JS_DeleteObject(value);
        }
        model.scripts.push_back(script);  // its functions stay callable
        script = nullptr;
        brackets = Brackets{};
    }
    if (script) JS_DeleteScript(script);
    std::fputc('\n', stdout);
    return ok;
}
