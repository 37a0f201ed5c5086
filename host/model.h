// The command-line host's document model: a window with its document,
// location, history and navigator, kept by handle, and the six callbacks
// through which the engine reads and changes it.
#ifndef DURIZ_HOST_MODEL_H
#define DURIZ_HOST_MODEL_H

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "duriz.h"

struct HostScalar {
    bool isNumber = false;
    std::string text;
    int32_t number = 0;
};

struct HostNode {
    int classNumber = 0;
    uint32_t handle = 0;
    JsValue *object = nullptr;                // one reference held by the host
    std::map<int, HostScalar> scalars;        // by name index
    std::map<int, JsValue *> handlers;        // event handlers, one reference each
    std::map<int, uint32_t> children;         // sub-objects by name index
    uint32_t parent = 0;                      // an option's list, an element's form
    std::vector<uint32_t> options;            // a selection list's options, in order
    std::string path;                         // how --event and --dump-model name it
    double order = 0;                         // its place in the document, for --dump-model
    bool closed = false;                      // a window that was closed
};

struct Timer {
    int32_t id;
    int64_t due;  // on the model's clock: the time it was set plus its delay
    std::string text;
    uint32_t window;  // the window that set it, where it runs
};

struct HostSettings {
    bool confirmAnswer = false;
    bool promptGiven = false;
    std::string promptAnswer;
    // What navigator answers: a browser of the engine's own generation.
    std::string appName = "Duriz";
    std::string appVersion = "3.0 (command line)";
    std::string userAgent = "Duriz/3.0 (command line)";
    std::string lastModified;  // the document's, MM/DD/YY HH:MM:SS (empty: none known)
};

class Model {
public:
    // Starts the engine with this model's callbacks and builds the window.
    void Start(const HostSettings &settings);
    // Gives back every object and stops the engine.
    void Stop();

    JsValue *Window() const { return nodes_.empty() ? nullptr : nodes_[0].object; }
    // A window opened by window.open, with its own document and location,
    // named name, its opener the window of handle opener; answers its
    // handle, 0 on failure.
    uint32_t OpenWindow(uint32_t opener, const std::string &name, const std::string &url);
    // Shows what an opened window's document holds, labelled with its name,
    // and forgets it (the window closes, or the run ends).
    void ShowWindow(uint32_t window);
    // A window with its document and location showing address, with the
    // members every window starts with; answers its handle, 0 on failure.
    uint32_t MakeWindow(const std::string &name, const std::string &address, const std::string &referrer,
                        const std::string &lastModified);
    // A new node of a class holding a new engine object (owner: a document's
    // window); answers its handle, 0 on failure.
    uint32_t Add(int classNumber, JsValue *owner = nullptr);
    HostNode *Find(uint32_t handle);

    // Timers set by setTimeout and not cleared, in the order they are due:
    // the next one (null for none), and taking it (the clock moves to it).
    // Setting, clearing and taking one cost the same however many wait.
    const Timer *NextTimer() const;
    bool TakeTimer(Timer *timer);
    void SetTimer(const Timer &timer);
    void ClearTimer(int32_t id);

    // What the callbacks answer with; valid while the model runs.
    static Model *current;
    HostSettings settings;
    std::vector<HostNode> nodes_;
    // Waiting timers by due time, those due together by id (the order they
    // were set), and the due time of each id.
    std::map<std::pair<int64_t, int32_t>, Timer> timers;
    std::map<int32_t, int64_t> timerDue;
    int32_t nextTimer = 1;
    int64_t clock = 0;  // the due time of the timer running now
    std::string answer;  // text handed back by setHostProperty and prompt
    std::string *sink = nullptr;  // where document.write goes (null: standard output)
    std::vector<std::pair<std::string, std::string>> cookies;
    std::vector<JsScript *> scripts;  // run scripts, kept for their functions
    // Takes a script that has run: one whose text can declare a function is
    // kept until the model stops, so that its functions stay callable from
    // later scripts, handlers and timers; any other (a timer's "scroller()")
    // is given back at once, so that a page re-arming its timers runs in the
    // same memory throughout.
    void ScriptRan(JsScript *script, std::string_view text);
    std::string pageAddress = "about:blank";  // what relative addresses are resolved against
    bool loaded = false;        // the page has loaded: a write outside a script starts a new document
    bool newDocument = false;   // such a document has been started
    bool timeRanOut = false;    // the timers have run for all the page time there is
    std::map<uint32_t, std::string> shown;  // what opened windows' documents hold, by window
    std::string shownLater;  // opened windows shown while the page loads, printed after it
    std::vector<uint32_t> opened;           // opened windows still open, in order

    // The node of a path such as "form0.elements1" (0 when there is none).
    uint32_t ByPath(const std::string &path) const;
    // Prints every node's members, one line each, in creation order.
    void Dump() const;
};

void SetText(HostNode *node, int nameIndex, const std::string &text);
void SetNumber(HostNode *node, int nameIndex, int32_t number);
// Sets href and the parts of the address (protocol, host, pathname, ...).
void SetAddress(HostNode *node, const std::string &href);
// An address as the page at base would follow it: absolute addresses
// stay, others are resolved against base.
std::string ResolveAddress(const std::string &base, const std::string &href);

// The last errors the engine reported, for the runner to print.
struct ReportedErrors {
    std::string syntaxExcerpt;
    std::vector<std::string> runtime;
};
extern ReportedErrors g_reported;

#endif
