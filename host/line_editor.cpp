#include "line_editor.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#ifdef DURIZ_HAVE_LIBEDIT
#include <histedit.h>
#include <unistd.h>

#include <type_traits>
#ifdef DURIZ_LIBEDIT_LIBRARY
#include <dlfcn.h>
#endif
#endif

std::string WithoutControls(const std::string &line) {
    std::string out;
    for (size_t i = 0; i < line.size(); i++) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == 0x1b) {
            // ESC [ parameters intermediates final, ESC O x, or ESC x (a key
            // pressed with Alt).
            if (i + 1 < line.size() && line[i + 1] == '[') {
                i += 2;
                while (i < line.size() && (static_cast<unsigned char>(line[i]) < 0x40 ||
                                           static_cast<unsigned char>(line[i]) > 0x7e))
                    i++;
            } else if (i + 1 < line.size() && line[i + 1] == 'O') {
                i += 2;
            } else {
                i++;
            }
        } else if ((c >= 0x20 && c != 0x7f) || c == '\t') {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

namespace {

// Reads up to a newline as the terminal driver hands it over.
LineEditor::Read PlainGet(const char *prompt, std::string *line) {
    std::fputs(prompt, stdout);
    std::fflush(stdout);
    clearerr(stdin);
    std::string raw;
    int c;
    errno = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') raw.push_back(static_cast<char>(c));
    *line = WithoutControls(raw);
    if (c != EOF) return LineEditor::Read::kLine;
    if (std::ferror(stdin) && errno == EINTR) return LineEditor::Read::kInterrupted;
    return raw.empty() ? LineEditor::Read::kEnd : LineEditor::Read::kLine;
}

}  // namespace

#ifdef DURIZ_HAVE_LIBEDIT

namespace {

// libedit's entry points. The lean host opens the library by its soname
// when the prompt first starts: a run of scripts maps none of it.
struct EditLibrary {
    EditLine *(*init)(const char *, FILE *, FILE *, FILE *) = nullptr;
    void (*end)(EditLine *) = nullptr;
    int (*set)(EditLine *, int, ...) = nullptr;
    int (*get)(EditLine *, int, ...) = nullptr;
    const char *(*gets)(EditLine *, int *) = nullptr;
    const LineInfo *(*line)(EditLine *) = nullptr;
    int (*source)(EditLine *, const char *) = nullptr;
    History *(*historyInit)() = nullptr;
    void (*historyEnd)(History *) = nullptr;
    int (*history)(History *, HistEvent *, int, ...) = nullptr;
};

// Null when the library cannot be opened (plain reading then).
const EditLibrary *OpenEditLibrary() {
    static EditLibrary lib;
    static bool tried = false;
    if (tried) return lib.init ? &lib : nullptr;
    tried = true;
#ifdef DURIZ_LIBEDIT_LIBRARY
    void *handle = dlopen(DURIZ_LIBEDIT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    const auto find = [handle](auto *entry, const char *name) {
        *entry = reinterpret_cast<std::remove_pointer_t<decltype(entry)>>(dlsym(handle, name));
        return *entry != nullptr;
    };
    if (!(find(&lib.init, "el_init") && find(&lib.end, "el_end") && find(&lib.set, "el_set") &&
          find(&lib.get, "el_get") && find(&lib.gets, "el_gets") && find(&lib.line, "el_line") &&
          find(&lib.source, "el_source") && find(&lib.historyInit, "history_init") &&
          find(&lib.historyEnd, "history_end") && find(&lib.history, "history"))) {
        lib = EditLibrary{};
        return nullptr;
    }
#else
    lib = {el_init, el_end, el_set, el_get, el_gets, el_line, el_source, history_init, history_end, history};
#endif
    return &lib;
}

// The editor reads and shows characters in the terminal's encoding, which
// the environment's locale names; the engine keeps the C locale's, so the
// editor's holds only while it works.
class EditorLocale {
public:
    EditorLocale() {
        const char *now = std::setlocale(LC_CTYPE, nullptr);
        saved_ = now ? now : "C";
        std::setlocale(LC_CTYPE, "");
    }
    ~EditorLocale() { std::setlocale(LC_CTYPE, saved_.c_str()); }
    EditorLocale(const EditorLocale &) = delete;
    EditorLocale &operator=(const EditorLocale &) = delete;

private:
    std::string saved_;
};

// The keys handed to the editor. A key's escape sequence that the editor
// knows (an arrow, Home, End, Delete, with Ctrl or Alt too) comes in one
// form, bound below; any other sequence (a function key, Page Up) is
// dropped whole rather than left to be typed in part.
class KeyReader {
public:
    // 1: a character in *out; 0: the end of input; -1: an error (errno says
    // which: EINTR for a signal).
    int Get(wchar_t *out) {
        while (queue_.empty()) {
            unsigned char b;
            int r = Byte(&b);
            bool escaped = false;  // after ESC: a sequence, or a key with Alt
            while (r == 1 && b == 0x1b) {
                escaped = true;
                r = Byte(&b);
            }
            if (r != 1) return r;
            if (escaped && (b == '[' || b == 'O')) {
                if ((r = Sequence(b == '[')) != 1) return r;
                continue;
            }
            if (escaped) queue_.push_back(L'\x1b');
            wchar_t c;
            const char byte = static_cast<char>(b);
            const size_t n = std::mbrtowc(&c, &byte, 1, &state_);
            if (n == static_cast<size_t>(-1)) state_ = std::mbstate_t{};  // no character: dropped
            if (n <= 1) queue_.push_back(n == 0 ? L'\0' : c);
        }
        *out = queue_.front();
        queue_.erase(0, 1);
        return 1;
    }
    void Clear() {
        queue_.clear();
        state_ = std::mbstate_t{};
    }

    // The forms the known keys come in, with what the editor does for each.
    static constexpr const char *kBindings[][2] = {
        {"\033[A", "ed-prev-history"},      {"\033[B", "ed-next-history"},  {"\033[C", "ed-next-char"},
        {"\033[D", "ed-prev-char"},         {"\033[H", "ed-move-to-beg"},   {"\033[F", "ed-move-to-end"},
        {"\033[3~", "ed-delete-next-char"}, {"\033f", "em-next-word"},      {"\033b", "ed-prev-word"},
    };

private:
    static int Byte(unsigned char *b) {
        const ssize_t n = read(0, b, 1);
        return n == 1 ? 1 : n == 0 ? 0 : -1;
    }

    // Reads the rest of ESC [ (parameters, final byte) or ESC O (one byte)
    // and queues the key's form, or nothing for a key not known.
    int Sequence(bool csi) {
        std::string parameters;
        unsigned char final = 0;
        while (true) {
            const int r = Byte(&final);
            if (r != 1) return r;
            if (!csi || (final >= 0x40 && final <= 0x7e)) break;
            if (final < 0x20 || final > 0x7e) return 1;  // no sequence after all: dropped
            if (parameters.size() < 16) parameters.push_back(static_cast<char>(final));
        }
        // A modifier (ESC [ 1 ; 5 C: Ctrl) turns a move by a character into
        // a move by a word.
        const bool modified = parameters.find(';') != std::string::npos;
        const char *form = nullptr;
        switch (final) {
        case 'A': form = "\033[A"; break;
        case 'B': form = "\033[B"; break;
        case 'C': form = modified ? "\033f" : "\033[C"; break;
        case 'D': form = modified ? "\033b" : "\033[D"; break;
        case 'H': form = "\033[H"; break;
        case 'F': form = "\033[F"; break;
        case '~': {
            const std::string key = parameters.substr(0, parameters.find(';'));
            if (key == "1" || key == "7") form = "\033[H";
            if (key == "4" || key == "8") form = "\033[F";
            if (key == "3") form = "\033[3~";
            break;
        }
        default: break;
        }
        for (const char *p = form; p && *p; p++) queue_.push_back(static_cast<wchar_t>(*p));
        return 1;
    }

    std::wstring queue_;  // characters waiting to be handed out
    std::mbstate_t state_{};
};

// Editing needs a terminal on both sides that can move the cursor.
bool CanEdit() {
    const char *term = std::getenv("TERM");
    return isatty(0) && isatty(1) && term && *term && std::strcmp(term, "dumb") != 0;
}

}  // namespace

struct LineEditor::Editor {
    const EditLibrary *lib = nullptr;
    EditLine *el = nullptr;
    History *history = nullptr;
    HistEvent event{};
    std::string prompt;
    std::string file;  // the history file; empty: history in memory only
    KeyReader keys;

    static Editor *Of(EditLine *el) {
        void *data = nullptr;
        OpenEditLibrary()->get(el, EL_CLIENTDATA, &data);
        return static_cast<Editor *>(data);
    }
    static char *Prompt(EditLine *el) { return const_cast<char *>(Of(el)->prompt.c_str()); }
    static int GetKey(EditLine *el, wchar_t *key) { return Of(el)->keys.Get(key); }

    ~Editor() {
        if (el) lib->end(el);
        if (history) lib->historyEnd(history);
    }
};

LineEditor::LineEditor() {
    const EditLibrary *lib = CanEdit() ? OpenEditLibrary() : nullptr;
    if (!lib) return;
    EditorLocale locale;
    auto editor = std::make_unique<Editor>();
    editor->lib = lib;
    editor->history = lib->historyInit();
    editor->el = editor->history ? lib->init("duriz", stdin, stdout, stderr) : nullptr;
    if (!editor->el) return;
    lib->history(editor->history, &editor->event, H_SETSIZE, 1000);
    lib->history(editor->history, &editor->event, H_SETUNIQUE, 1);
    lib->set(editor->el, EL_CLIENTDATA, editor.get());
    lib->set(editor->el, EL_PROMPT, &Editor::Prompt);
    lib->set(editor->el, EL_EDITOR, "emacs");
    // No handlers of the editor's own: the prompt's handler sees Ctrl-C,
    // and the reading is interrupted.
    lib->set(editor->el, EL_SIGNAL, 0);
    lib->set(editor->el, EL_GETCFN, static_cast<el_rfunc_t>(&Editor::GetKey));
    for (const auto &binding : KeyReader::kBindings)
        lib->set(editor->el, EL_BIND, binding[0], binding[1], static_cast<const char *>(nullptr));
    lib->set(editor->el, EL_HIST, lib->history, editor->history);
    lib->source(editor->el, nullptr);  // the user's ~/.editrc
    const char *home = std::getenv("HOME");
    if (home && *home) {
        const std::string file = std::string(home) + "/.duriz_history";
        // A file there that is no history of ours is left alone.
        if (lib->history(editor->history, &editor->event, H_LOAD, file.c_str()) != -1 ||
            access(file.c_str(), F_OK) != 0)
            editor->file = file;
    }
    editor_ = std::move(editor);
}

LineEditor::~LineEditor() = default;

LineEditor::Read LineEditor::Get(const char *prompt, std::string *line) {
    line->clear();
    if (!editor_) return PlainGet(prompt, line);
    const EditLibrary *lib = editor_->lib;
    editor_->prompt = prompt;
    std::fflush(stdout);
    EditorLocale locale;
    int count = 0;
    errno = 0;
    const char *text = lib->gets(editor_->el, &count);
    if (text && count > 0) {
        std::string typed(text, static_cast<size_t>(count));
        if (typed.back() == '\n') typed.pop_back();
        *line = WithoutControls(typed);
        return Read::kLine;
    }
    if (errno != EINTR) return Read::kEnd;
    editor_->keys.Clear();
    const LineInfo *typed = lib->line(editor_->el);
    if (typed && typed->buffer && typed->lastchar > typed->buffer)
        *line = WithoutControls(std::string(typed->buffer, typed->lastchar));
    return Read::kInterrupted;
}

void LineEditor::Remember(const std::string &line) {
    if (!editor_ || line.find_first_not_of(" \t") == std::string::npos) return;
    History *history = editor_->history;
    editor_->lib->history(history, &editor_->event, H_ENTER, line.c_str());
    if (!editor_->file.empty() && editor_->lib->history(history, &editor_->event, H_SAVE, editor_->file.c_str()) == -1)
        editor_->file.clear();
}

#else

struct LineEditor::Editor {};

LineEditor::LineEditor() = default;
LineEditor::~LineEditor() = default;

LineEditor::Read LineEditor::Get(const char *prompt, std::string *line) { return PlainGet(prompt, line); }

void LineEditor::Remember(const std::string &) {}

#endif
