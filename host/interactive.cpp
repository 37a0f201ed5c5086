// The interactive prompt: lines go to the incremental loader as they are
// typed; while an entry is unfinished (a bracket or comment left open, or a
// last token that asks for more) a continuation prompt waits for the next
// line, and a finished entry runs at once. Ctrl-C stops a running entry or
// drops the one being typed; twice at an empty prompt, or the end of input,
// leaves.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#ifndef _WIN32
#include <termios.h>
#endif

#include "duriz.h"
#include "line_editor.h"
#include "runner.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
#ifdef _WIN32
    std::signal(SIGINT, OnInterrupt);  // the runtime resets the handler on each signal
#endif
    g_interrupted = 1;
}

// SIGINT raises g_interrupted while the prompt runs (and interrupts a read
// in progress); the handler before is put back afterwards.
class InterruptCatcher {
public:
    InterruptCatcher() {
#ifdef _WIN32
        previous_ = std::signal(SIGINT, OnInterrupt);
#else
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;  // no SA_RESTART
        sigaction(SIGINT, &action, &previous_);
#endif
    }
    ~InterruptCatcher() {
#ifdef _WIN32
        std::signal(SIGINT, previous_);
#else
        sigaction(SIGINT, &previous_, nullptr);
#endif
    }
    InterruptCatcher(const InterruptCatcher &) = delete;
    InterruptCatcher &operator=(const InterruptCatcher &) = delete;

private:
#ifdef _WIN32
    void (*previous_)(int);
#else
    struct sigaction previous_ {};
#endif
};

// Whether the terminal echoed a Ctrl-C as "^C", leaving the cursor mid-line.
bool EchoesControls() {
#if !defined(_WIN32) && defined(ECHOCTL)
    termios modes{};
    return tcgetattr(0, &modes) == 0 && (modes.c_lflag & ECHO) && (modes.c_lflag & ECHOCTL);
#else
    return false;
#endif
}

// Standard output of the entries. document.write collects in `pending`
// (the model's sink) and is written out after each budget round, so that
// the prompt knows whether the output ended mid-line.
struct Output {
    std::string pending;
    bool midLine = false;

    void Flush() {
        if (!pending.empty()) {
            std::fwrite(pending.data(), 1, pending.size(), stdout);
            midLine = pending.back() != '\n';
            pending.clear();
        }
        std::fflush(stdout);
    }
    void Print(const std::string &text) {
        pending += text;
        Flush();
    }
    // Starts a new line unless the output is at the start of one (before a
    // report or the prompt).
    void EndLine(bool cursorMoved = false) {
        Flush();
        if (midLine || cursorMoved) std::fputc('\n', stdout);
        midLine = false;
        std::fflush(stdout);
    }
};

// Whether an entry typed so far is finished, read from its lines as they
// come: no bracket or comment is left open, and its last token does not ask
// for more (an operator, a word such as else or var, or the condition of
// if, while, for or with, or a function's parameters, with no body yet).
class Completeness {
public:
    void Scan(const std::string &line) {
        for (size_t i = 0; i < line.size(); i++) {
            const char c = line[i];
            const char next = i + 1 < line.size() ? line[i + 1] : 0;
            if (blockComment_) {
                if (c == '*' && next == '/') blockComment_ = false, i++;
            } else if (c == ' ' || c == '\t') {
            } else if (c == '/' && next == '/') {
                break;
            } else if (c == '/' && next == '*') {
                blockComment_ = true, i++;
            } else if (c == '"' || c == '\'') {
                for (i++; i < line.size() && line[i] != c; i++)
                    if (line[i] == '\\') i++;
                Token("\"", false);
            } else if (IsWordByte(c)) {
                size_t end = i;
                while (end < line.size() && IsWordByte(line[end])) end++;
                const std::string word = line.substr(i, end - i);
                Token(word, IsContinuingWord(word));
                i = end - 1;
            } else if (c == '(' || c == '[' || c == '{') {
                Opening(c);
            } else if (c == ')' || c == ']' || c == '}') {
                Closing(c);
            } else if (c == ';' || c == ',') {
                Token(std::string(1, c), c == ',');
            } else {
                size_t end = i;
                while (end < line.size() && IsOperatorByte(line[end]) &&
                       !(line[end] == '/' && end + 1 < line.size() && (line[end + 1] == '/' || line[end + 1] == '*')))
                    end++;
                if (end == i) end++;  // a byte of no kind above: taken alone
                const std::string run = line.substr(i, end - i);
                Token(run, run != "++" && run != "--");
                i = end - 1;
            }
        }
    }
    bool Finished() const { return open_.empty() && !blockComment_ && !wantsMore_; }

private:
    struct Open {
        bool wantsBody;  // a `(` of if, while, for, with or a function's parameters
        bool doBody;     // the `{` of a do statement
    };

    static bool IsWordByte(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
               static_cast<unsigned char>(c) >= 0x80;
    }
    static bool IsOperatorByte(char c) {
        for (const char *p = "+-*/%=<>!&|^~?:."; *p; p++)
            if (*p == c) return true;
        return false;
    }
    static bool IsContinuingWord(const std::string &word) {
        static const char *const kWords[] = {"else", "do", "var", "new", "typeof", "delete", "void", "in",
                                             "instanceof", "function", "if", "while", "for", "with", "switch",
                                             "case", "throw", "try", "finally", "catch"};
        for (const char *w : kWords)
            if (word == w) return true;
        return false;
    }

    void Token(const std::string &text, bool wantsMore) {
        // `while` after the body of a do statement ends it: no body follows.
        whileEndsDo_ = text == "while" && closedDoBody_;
        closedDoBody_ = false;
        beforeLast_ = last_;
        last_ = text;
        wantsMore_ = wantsMore;
    }
    void Opening(char c) {
        const bool header = (last_ == "if" || (last_ == "while" && !whileEndsDo_) || last_ == "for" ||
                             last_ == "with" || last_ == "switch" || last_ == "catch" || last_ == "function" ||
                             (beforeLast_ == "function" && IsWordByte(last_[0])));
        open_.push_back({c == '(' && header, c == '{' && last_ == "do"});
        Token(std::string(1, c), true);
    }
    void Closing(char c) {
        Open closed{false, false};
        if (!open_.empty()) {
            closed = open_.back();
            open_.pop_back();
        }
        Token(std::string(1, c), closed.wantsBody);
        closedDoBody_ = closed.doBody;
    }

    std::vector<Open> open_;
    bool blockComment_ = false;
    bool wantsMore_ = false;
    std::string last_, beforeLast_;  // the last two tokens (a string stands as ")
    bool closedDoBody_ = false;      // the last token closed the body of a do statement
    bool whileEndsDo_ = false;       // the last token is the `while` ending a do statement
};

// An entry being typed: the loader compiles its lines as they come.
struct Entry {
    JsScript *script = nullptr;
    std::string text;   // kept while the loader holds on to its position
    size_t offset = 0;  // where the loader stopped (the buffer may move as it grows)
    size_t firstLine = 0;
    Completeness completeness;

    void Drop() {
        JS_DeleteScript(script);
        *this = Entry{};
    }
};

std::string Name(size_t line) { return "<stdin>:" + std::to_string(line); }

// Runs a compiled entry until it finishes, Ctrl-C stops it or it has used
// settings.maxSteps budget rounds; answers false when it had an error.
bool RunEntry(Model &model, const RunSettings &settings, const Entry &entry, Output &out) {
    const std::string name = Name(entry.firstLine);
    JsEvalContext *context = JS_CreateEvalContext(model.Window(), entry.script, nullptr, nullptr);
    JsValue *value = nullptr;
    int status = DURIZ_RUNTIME_ERROR;
    bool interrupted = false, stopped = false;
    model.sink = &out.pending;
    for (size_t rounds = 1; context; rounds++) {
        JS_DeleteObject(value);
        value = nullptr;
        status = JS_Evaluate(context, &value);
        // Opened windows shown meanwhile follow what the entry wrote.
        out.pending += model.shownLater;
        model.shownLater.clear();
        out.Flush();
        if (status != DURIZ_BUSY) break;
        interrupted = g_interrupted != 0;
        stopped = settings.maxSteps && rounds == settings.maxSteps;
        if (interrupted || stopped) break;
    }
    JS_DeleteEvalContext(context);
    model.sink = nullptr;
    if (interrupted || stopped) {
        JS_DeleteObject(value);
        value = nullptr;
    }
    out.EndLine(interrupted && EchoesControls());
    if (interrupted) std::fputs("duriz: interrupted\n", stderr);
    if (stopped)
        std::fprintf(stderr, "duriz: %s: stopped after %zu budget rounds\n", name.c_str(), settings.maxSteps);
    if (!context) std::fprintf(stderr, "duriz: %s: out of memory\n", name.c_str());
    for (const std::string &source : g_reported.runtime) {
        // Named by the line of the failing expression, where the entry shows it.
        const size_t found = FailingLine(entry.text, source);
        const size_t line = found ? entry.firstLine - 1 + found : entry.firstLine;
        std::fprintf(stderr, "duriz: %s: run-time error: %s\n", Name(line).c_str(), ReportText(source).c_str());
    }
    const bool failed = status == DURIZ_RUNTIME_ERROR || stopped || !g_reported.runtime.empty();
    g_reported.runtime.clear();
    const char *text = value ? JS_GetStringValue(value) : nullptr;
    if (settings.result && !interrupted)
        out.Print(std::to_string(status) + (value ? " " : "") + (text ? text : "") + "\n");
    else if (text)
        out.Print(std::string(text) + "\n");
    JS_DeleteObject(value);
    return !failed;
}

}  // namespace

bool RunInteractive(Model &model, const RunSettings &settings) {
    InterruptCatcher catcher;
    LineEditor editor;
    Output out;
    std::fputs("Duriz - type a script; Ctrl-D or Ctrl-C twice to leave\n", stdout);
    bool ok = true;
    Entry entry;
    size_t lineNumber = 0;
    bool leaving = false;  // Ctrl-C at an empty prompt: once more leaves
    while (true) {
        out.EndLine();
        g_interrupted = 0;
        std::string line;
        const LineEditor::Read read = editor.Get(entry.script ? "...> " : "duriz> ", &line);
        if (read == LineEditor::Read::kEnd) {
            std::fputc('\n', stdout);
            break;
        }
        if (read == LineEditor::Read::kInterrupted) {
            std::fputc('\n', stdout);
            if (entry.script || !line.empty()) {
                entry.Drop();
                leaving = false;
                continue;
            }
            if (leaving) break;
            leaving = true;
            std::fputs("(Ctrl-C again or Ctrl-D to leave)\n", stdout);
            continue;
        }
        leaving = false;
        lineNumber++;
        editor.Remember(line);
        if (!entry.script) {
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            entry.script = JS_CreateScript(0);
            if (!entry.script) {
                std::fprintf(stderr, "duriz: %s: out of memory\n", Name(lineNumber).c_str());
                ok = false;
                continue;
            }
            entry.firstLine = lineNumber;
            g_reported.syntaxExcerpt.clear();
        }
        entry.text += line;
        entry.text += '\n';
        entry.completeness.Scan(line);
        const char *end = entry.text.data() + entry.text.size();
        const char *pos = entry.text.data() + entry.offset;
        int rc = JS_LoadScript(entry.script, &pos, end, 1);
        if (rc == DURIZ_MORE_TEXT && !entry.completeness.Finished()) {
            entry.offset = static_cast<size_t>(pos - entry.text.data());
            continue;
        }
        if (rc == DURIZ_MORE_TEXT) rc = JS_LoadScript(entry.script, &pos, end, 0);
        if (rc != DURIZ_OK) {
            // The line where the loader stopped (at the end: the last one).
            const size_t at = static_cast<size_t>(pos - entry.text.data());
            const size_t errorLine = std::min(entry.firstLine - 1 + LineOf(entry.text, at), lineNumber);
            out.EndLine();
            std::fprintf(stderr, "duriz: %s: %s\n", Name(errorLine).c_str(), SyntaxFailure(entry.text).c_str());
            if (settings.result) out.Print(std::to_string(DURIZ_SYNTAX_ERROR) + "\n");
            entry.Drop();
            ok = false;
            continue;
        }
        if (!RunEntry(model, settings, entry, out)) ok = false;
        model.ScriptRan(entry.script, entry.text);
        entry = Entry{};
    }
    entry.Drop();
    std::fflush(stdout);
    return ok;
}
