// duriz: the command-line host of the Duriz engine. Runs scripts in one
// window, in order, as a page runs its script blocks.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "library.h"
#include "model.h"
#include "page.h"
#include "runner.h"
#include "source_text.h"
#include "tree.h"

namespace {

const char kUsage[] =
    "usage: duriz [options] [FILE | -]...\n"
    "Runs the scripts in order in one window; '-' or no script reads standard\n"
    "input (an interactive prompt on a terminal). An HTML file runs as a page.\n"
    "  -e TEXT         run TEXT as a script (repeatable, in order with the files;\n"
    "                  with a page: after it has loaded, before the --events)\n"
    "  --result        after each script print its status and, if any, its value\n"
    "  --chunk N       feed each script to the compiler in chunks of N bytes\n"
    "  --confirm yes|no  what confirm() answers (default no)\n"
    "  --prompt TEXT   what prompt() answers (default: its second argument)\n"
    "  --tree          print the compiled tree of the one FILE ('-': standard input)\n"
    "  --html          read the file as an HTML page (the default for .html, .htm)\n"
    "  --event PATH:EVENT  after a page has loaded fire an event, such as\n"
    "                  form0.elements1:onclick, myform.go:onClick, links0:onclick\n"
    "                  or window:onload (repeatable)\n"
    "  --dump-model    after a page print its document model, a member a line\n"
    "  --run-for SECONDS  how long timers run, in page time (default 60)\n"
    "  --any-src       let a page's <SCRIPT SRC> read files outside its folder\n"
    "  --app-name TEXT, --app-version TEXT, --user-agent TEXT\n"
    "                  what navigator answers (defaults: Duriz, 3.0 (command\n"
    "                  line), Duriz/3.0 (command line))\n"
    "  --max-memory BYTES  bound the memory the engine may hold (default\n"
    "                  512 MiB; 0 for no bound)\n"
    "  --max-steps N   stop a run after N budget rounds of 8000 steps\n"
    "  --help          show this help\n"
    "document.write goes to standard output; alert, confirm and prompt write\n"
    "their message to standard error. Timers run on a clock of page time, at\n"
    "once, up to the --run-for bound; one still armed then is named on standard\n"
    "error. Exit status: 0 when every script ran without error, 1 when any had\n"
    "one, 2 for a usage error or unreadable file.\n";

// The memory the engine may hold unless --max-memory says otherwise.
constexpr size_t kDefaultMaxMemory = 512u << 20;

struct Source {
    bool inline_ = false;  // -e TEXT
    std::string value;     // the file name, or the text
};

struct Options {
    std::vector<Source> sources;
    bool tree = false;
    bool html = false;
    size_t maxMemory = kDefaultMaxMemory;
    bool maxMemoryGiven = false;
    PageSettings page;
    RunSettings run;
    HostSettings host;
};

[[noreturn]] void UsageError(const std::string &message) {
    std::fprintf(stderr, "duriz: %s\n", message.c_str());
    std::fprintf(stderr, "duriz: try 'duriz --help'\n");
    std::exit(2);
}

size_t Number(const std::string &option, const std::string &v, bool zeroAllowed) {
    char *endp = nullptr;
    errno = 0;
    const unsigned long long n = std::strtoull(v.c_str(), &endp, 10);
    if (v.empty() || *endp || errno || (n == 0 && !zeroAllowed) || v[0] == '-' ||
        n > static_cast<unsigned long long>(SIZE_MAX))
        UsageError(option + " needs a " + (zeroAllowed ? "number" : "positive number") + ", not '" + v + "'");
    return static_cast<size_t>(n);
}
size_t PositiveNumber(const std::string &option, const std::string &v) { return Number(option, v, false); }

Options ParseOptions(int argc, char **argv) {
    Options o;
    bool onlyFiles = false;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        auto value = [&](const char *name) -> std::string {
            if (i + 1 >= argc) UsageError(std::string("option ") + name + " needs a value");
            return argv[++i];
        };
        if (onlyFiles || a == "-" || a.empty() || a[0] != '-') {
            o.sources.push_back({false, a});
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a == "-e") {
            o.sources.push_back({true, value("-e")});
        } else if (a == "--result") {
            o.run.result = true;
        } else if (a == "--chunk") {
            o.run.chunk = PositiveNumber("--chunk", value("--chunk"));
        } else if (a == "--tree") {
            o.tree = true;
        } else if (a == "--max-memory") {
            o.maxMemory = Number("--max-memory", value("--max-memory"), true);
            o.maxMemoryGiven = true;
        } else if (a == "--run-for") {
            o.run.runForSeconds = PositiveNumber("--run-for", value("--run-for"));
        } else if (a == "--any-src") {
            o.page.anySource = true;
        } else if (a == "--app-name") {
            o.host.appName = value("--app-name");
        } else if (a == "--app-version") {
            o.host.appVersion = value("--app-version");
        } else if (a == "--user-agent") {
            o.host.userAgent = value("--user-agent");
        } else if (a == "--max-steps") {
            o.run.maxSteps = PositiveNumber("--max-steps", value("--max-steps"));
        } else if (a == "--html") {
            o.html = true;
        } else if (a == "--event") {
            o.page.events.push_back(value("--event"));
        } else if (a == "--dump-model") {
            o.page.dumpModel = true;
        } else if (a == "--confirm") {
            const std::string v = value("--confirm");
            if (v != "yes" && v != "no") UsageError("--confirm needs yes or no, not '" + v + "'");
            o.host.confirmAnswer = v == "yes";
        } else if (a == "--prompt") {
            o.host.promptGiven = true;
            o.host.promptAnswer = value("--prompt");
        } else {
            UsageError("unknown option '" + a + "'");
        }
    }
    return o;
}

std::string DisplayName(const std::string &path) { return path == "-" ? "<stdin>" : path; }

// A file's modification time as documents of the time showed it:
// MM/DD/YY HH:MM:SS, local time (empty when it cannot be read).
std::string LastModifiedText(const std::string &path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return "";
    const std::time_t when = info.st_mtime;
    const std::tm *local = std::localtime(&when);
    char text[32];
    if (!local || !std::strftime(text, sizeof text, "%m/%d/%y %H:%M:%S", local)) return "";
    return text;
}

int RunTree(const Options &o) {
#ifndef DURIZ_HAVE_TREE
    (void)o;
    UsageError("--tree is not available in this build");
#else
    if (o.sources.size() != 1 || o.sources[0].inline_) UsageError("--tree prints the tree of one file");
    const std::string &file = o.sources[0].value;
    SourceText text;
    if (!text.Read(file)) {
        std::fprintf(stderr, "duriz: %s: cannot read: %s\n", DisplayName(file).c_str(), std::strerror(errno));
        return 2;
    }
    Model model;
    model.Start(o.host);
    const int status = PrintTree(DisplayName(file), text.View(), o.run.chunk);
    model.Stop();
    return status;
#endif
}

#ifdef _WIN32
// The Windows C runtime understands only POSIX zones in TZ: a name of three
// letters, an offset in hours (with optional minutes and seconds; none is
// 0, as in UTC) and an optional name of three letters for summer time, such
// as EST5EDT. Any other form (America/New_York) it ignores, running in UTC.
bool RuntimeReadsZone(const char *tz) {
    const char *p = tz;
    auto letters = [&p] {
        int n = 0;
        while ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z')) p++, n++;
        return n;
    };
    auto digits = [&p](int most) {
        int n = 0;
        while (*p >= '0' && *p <= '9' && n < most) p++, n++;
        return n;
    };
    if (letters() != 3) return false;
    const bool signed_ = *p == '+' || *p == '-';
    if (signed_) p++;
    if (!digits(2) && signed_) return false;
    for (int part = 0; part < 2 && *p == ':'; part++) {
        p++;
        if (digits(2) != 2) return false;
    }
    const int summer = letters();
    return (summer == 0 || summer == 3) && !*p;
}
#else
// The locale the environment names for dates and times: LC_ALL, else
// LC_TIME, else LANG (null when none is set).
const char *TimeLocaleName() {
    for (const char *variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char *value = std::getenv(variable);
        if (value && *value) return value;
    }
    return nullptr;
}

// C, POSIX and C.UTF-8 write dates and times alike.
bool NamesCTimeLayout(const char *name) {
    if (!name) return true;
    for (const char *c : {"C", "POSIX", "C.UTF-8", "C.utf8"})
        if (std::strcmp(name, c) == 0) return true;
    return false;
}
#endif

}  // namespace

int main(int argc, char **argv) {
    // Dates print in the user's locale; numbers keep the C locale's point.
#ifdef _WIN32
    // The Windows C runtime takes "" as the user's locale whatever the
    // environment says: LC_ALL or LC_TIME of C or POSIX keep the C locale,
    // as they do elsewhere.
    const char *wanted = std::getenv("LC_ALL");
    if (!wanted || !*wanted) wanted = std::getenv("LC_TIME");
    if (!wanted || (std::strcmp(wanted, "C") != 0 && std::strcmp(wanted, "POSIX") != 0))
        std::setlocale(LC_TIME, "");
    const char *tz = std::getenv("TZ");
    if (tz && *tz && !RuntimeReadsZone(tz))
        std::fprintf(stderr,
                     "duriz: TZ=%s is not a zone the Windows C runtime understands (dates are in UTC); "
                     "use a POSIX form such as EST5EDT\n",
                     tz);
#else
    // The environment's locale, unless it names the C locale's own date
    // and time layout, which is there already without loading anything.
    if (!NamesCTimeLayout(TimeLocaleName())) std::setlocale(LC_TIME, "");
#endif
    Options o = ParseOptions(argc, argv);
    std::string libraryError;
    if (!LoadEngineLibrary(&libraryError)) {
        std::fprintf(stderr, "duriz: %s\n", libraryError.c_str());
        return 2;
    }
    if (o.maxMemoryGiven && o.maxMemory && !EngineHasMemoryLimit())
        UsageError("--max-memory: the engine library has no memory limit");
    if (o.tree) return RunTree(o);
    if (o.sources.empty()) o.sources.push_back({false, "-"});

    // Every file is read before any script runs, so that an unreadable one
    // stops the command before anything has happened.
    std::vector<SourceText> texts;
    for (const Source &s : o.sources) {
        SourceText text;
        if (s.inline_) {
            text = SourceText(s.value);
        } else if (s.value == "-" && isatty(0)) {
            // read interactively when its turn comes
        } else if (!text.Read(s.value)) {
            std::fprintf(stderr, "duriz: %s: cannot read: %s\n", DisplayName(s.value).c_str(), std::strerror(errno));
            return 2;
        }
        texts.push_back(std::move(text));
    }

    Model model;
    const auto isPage = [&](const Source &s) {
        if (o.html) return true;
        const std::string &v = s.value;
        auto ends = [&](const char *e) {
            const size_t n = std::strlen(e);
            if (v.size() < n) return false;
            for (size_t i = 0; i < n; i++)
                if (std::tolower(static_cast<unsigned char>(v[v.size() - n + i])) != e[i]) return false;
            return true;
        };
        return !s.inline_ && (ends(".html") || ends(".htm"));
    };
    // The document was last changed when its file was: a page's, else the
    // first script file's.
    for (const Source &s : o.sources) {
        if (s.inline_ || s.value == "-") continue;
        o.host.lastModified = LastModifiedText(s.value);
        break;
    }
    size_t pages = 0, page = 0;
    for (size_t i = 0; i < o.sources.size(); i++)
        if (!o.sources[i].inline_ && isPage(o.sources[i])) pages++, page = i;
    if (pages) {
        // A page runs alone; -e texts given with it run once it has loaded.
        for (const Source &s : o.sources)
            if (!s.inline_ && !isPage(s)) pages++;
        if (pages != 1) UsageError("a page runs alone: give one HTML file (and -e texts to run once it has loaded)");
        for (const Source &s : o.sources)
            if (s.inline_) o.page.afterLoad.push_back(s.value);
        model.Start(o.host);
        JS_SetMemoryLimit(o.maxMemory);
        const int status = RunPage(model, o.run, o.page, DisplayName(o.sources[page].value),
                                   std::string(texts[page].View()));
        model.Stop();
        return status;
    }
    if (!o.page.events.empty() || o.page.dumpModel) UsageError("--event and --dump-model need an HTML page");
    model.Start(o.host);
    JS_SetMemoryLimit(o.maxMemory);
    bool ok = true;
    for (size_t i = 0; i < o.sources.size(); i++) {
        const Source &s = o.sources[i];
        if (!s.inline_ && s.value == "-" && isatty(0)) {
            if (!RunInteractive(model, o.run)) ok = false;
            continue;
        }
        const std::string name = s.inline_ ? "-e" : DisplayName(s.value);
        if (!RunScript(model, o.run, name, texts[i].View())) ok = false;
    }
    if (!RunTimers(model, o.run)) ok = false;
    std::fflush(stdout);
    model.Stop();
    return ok ? 0 : 1;
}
