#include "model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

Model *Model::current = nullptr;
ReportedErrors g_reported;

namespace {

void SetText(HostNode *node, int nameIndex, const std::string &text) {
    HostScalar &s = node->scalars[nameIndex];
    s.isNumber = false;
    s.text = text;
}

void SetNumber(HostNode *node, int nameIndex, int32_t number) {
    HostScalar &s = node->scalars[nameIndex];
    s.isNumber = true;
    s.number = number;
}

std::string ArgText(JsValue *args, int position) {
    const char *text = JS_GetObjectStringValue(args, position, 1);
    return text ? text : "";
}

int ArgCount(JsValue *args) {
    int n = 0;
    // Position 1 and below all name the first argument: count from 1.
    while (JS_GetObjectStringValue(args, n + 1, 1)) n++;
    return n;
}

int DURIZ_CALL GetHostProperty(uint32_t handle, int nameIndex, int, const char **text, int32_t *number) {
    HostNode *node = Model::current ? Model::current->Find(handle) : nullptr;
    if (!node) return 0;
    if (nameIndex == DURIZ_NAME_OWN_VALUE) nameIndex = DURIZ_NAME_NAME;
    auto it = node->scalars.find(nameIndex);
    if (it == node->scalars.end()) return 0;
    if (it->second.isNumber) {
        *number = it->second.number;
    } else {
        *text = it->second.text.c_str();
    }
    return 1;
}

JsValue *DURIZ_CALL GetHostObject(uint32_t handle, int nameIndex, int) {
    Model *model = Model::current;
    HostNode *node = model ? model->Find(handle) : nullptr;
    if (!node) return nullptr;
    auto it = node->children.find(nameIndex);
    if (it != node->children.end()) {
        HostNode *child = model->Find(it->second);
        return child ? child->object : nullptr;
    }
    auto handler = node->handlers.find(nameIndex);
    return handler != node->handlers.end() ? handler->second : nullptr;
}

const char *DURIZ_CALL SetHostProperty(uint32_t handle, int nameIndex, int classNumber, const char *text,
                                       JsValue *handler, int) {
    Model *model = Model::current;
    HostNode *node = model ? model->Find(handle) : nullptr;
    if (!node) return nullptr;
    if (classNumber == DURIZ_CLASS_WINDOW && nameIndex == DURIZ_NAME_LOCATION) {
        // A new location: the window's location object now shows it.
        auto it = node->children.find(DURIZ_NAME_LOCATION);
        HostNode *location = it != node->children.end() ? model->Find(it->second) : nullptr;
        if (location) SetText(location, DURIZ_NAME_HREF, text ? text : "");
        model->answer = text ? text : "";
        return model->answer.c_str();
    }
    if (!text) {
        // An event handler (or whatever else was assigned to one): keep it.
        auto it = node->handlers.find(nameIndex);
        if (it != node->handlers.end()) JS_DeleteObject(it->second);
        if (handler) {
            node->handlers[nameIndex] = JS_NewInstance(handler);
        } else {
            node->handlers.erase(nameIndex);
        }
        return nullptr;
    }
    SetText(node, nameIndex, text);
    model->answer = text;
    return model->answer.c_str();
}

intptr_t DURIZ_CALL CallHostMethod(uint32_t handle, uint32_t, int methodId, JsValue *args, const char **text,
                                   int32_t *number) {
    Model *model = Model::current;
    if (!model) return 0;
    switch (methodId) {
    case DURIZ_NATIVE_DOCUMENT_WRITE:
    case DURIZ_NATIVE_DOCUMENT_WRITELN: {
        const int n = ArgCount(args);
        for (int i = 1; i <= n; i++) {
            const std::string t = ArgText(args, i);
            std::fwrite(t.data(), 1, t.size(), stdout);
        }
        if (methodId == DURIZ_NATIVE_DOCUMENT_WRITELN) std::fputc('\n', stdout);
        return 0;
    }
    case DURIZ_NATIVE_WINDOW_ALERT:
        std::fflush(stdout);
        std::fprintf(stderr, "alert: %s\n", ArgText(args, 1).c_str());
        return 0;
    case DURIZ_NATIVE_WINDOW_CONFIRM:
        std::fflush(stdout);
        std::fprintf(stderr, "confirm: %s\n", ArgText(args, 1).c_str());
        return model->settings.confirmAnswer ? 1 : 0;
    case DURIZ_NATIVE_WINDOW_PROMPT:
        std::fflush(stdout);
        std::fprintf(stderr, "prompt: %s\n", ArgText(args, 1).c_str());
        model->answer = model->settings.promptGiven ? model->settings.promptAnswer : ArgText(args, 2);
        *text = model->answer.c_str();
        return 0;
    case DURIZ_NATIVE_WINDOW_SETTIMEOUT: {
        Timer timer{model->nextTimer++, model->clock, ArgText(args, 1)};
        if (ArgCount(args) >= 2) timer.due += std::max(0, std::atoi(ArgText(args, 2).c_str()));
        model->timers.push_back(timer);
        *number = timer.id;
        return 0;
    }
    case DURIZ_NATIVE_WINDOW_CLEARTIMEOUT: {
        const int32_t id = ArgCount(args) >= 1 ? std::atoi(ArgText(args, 1).c_str()) : 0;
        auto &t = model->timers;
        t.erase(std::remove_if(t.begin(), t.end(), [id](const Timer &x) { return x.id == id; }), t.end());
        return 0;
    }
    case DURIZ_METHOD_CLOSED:
        return 1;  // the one window is always open
    case DURIZ_CTOR_IMAGE: {
        const uint32_t image = model->Add(DURIZ_CLASS_IMAGE);
        HostNode *node = model->Find(image);
        if (!node) return 0;
        SetText(node, DURIZ_NAME_SRC, "");
        SetNumber(node, DURIZ_NAME_WIDTH, 0);
        SetNumber(node, DURIZ_NAME_HEIGHT, 0);
        SetText(node, DURIZ_NAME_COMPLETE, "true");
        return reinterpret_cast<intptr_t>(node->object);
    }
    default:
        (void)handle;
        return 0;
    }
}

void *DURIZ_CALL HostAlloc(uintptr_t, size_t size) { return std::calloc(1, size); }

int DURIZ_CALL ReportError(uint32_t, int code, const char *text) {
    if (code == DURIZ_SYNTAX_ERROR) {
        g_reported.syntaxExcerpt = text ? text : "";
    } else {
        g_reported.runtime.push_back(text ? text : "");
    }
    return 0;
}

}  // namespace

HostNode *Model::Find(uint32_t handle) {
    if (handle == 0 || handle > nodes_.size()) return nullptr;
    return &nodes_[handle - 1];
}

uint32_t Model::Add(int classNumber, JsValue *owner) {
    const uint32_t handle = static_cast<uint32_t>(nodes_.size() + 1);
    JsValue *object = JS_CreateObject(classNumber, handle, owner);
    if (!object) return 0;
    HostNode node;
    node.classNumber = classNumber;
    node.handle = handle;
    node.object = object;
    nodes_.push_back(node);
    return handle;
}

void Model::Start(const HostSettings &s) {
    settings = s;
    current = this;
    JS_Init(GetHostProperty, GetHostObject, SetHostProperty, CallHostMethod, HostAlloc, ReportError);
    const uint32_t window = Add(DURIZ_CLASS_WINDOW);
    const uint32_t document = Add(DURIZ_CLASS_DOCUMENT, Window());
    const uint32_t location = Add(DURIZ_CLASS_LOCATION);
    const uint32_t history = Add(DURIZ_CLASS_HISTORY);
    const uint32_t navigator = Add(DURIZ_CLASS_NAVIGATOR);
    HostNode *w = Find(window);
    w->children[DURIZ_NAME_DOCUMENT] = document;
    w->children[DURIZ_NAME_LOCATION] = location;
    w->children[DURIZ_NAME_HISTORY] = history;
    w->children[DURIZ_NAME_NAVIGATOR] = navigator;
    w->children[DURIZ_NAME_TOP] = window;
    w->children[DURIZ_NAME_PARENT] = window;
    SetText(w, DURIZ_NAME_NAME, "");
    SetText(w, DURIZ_NAME_STATUS, "");
    SetText(w, DURIZ_NAME_DEFAULTSTATUS, "");
    SetNumber(w, DURIZ_NAME_LENGTH, 0);
    HostNode *d = Find(document);
    for (auto [name, value] : std::initializer_list<std::pair<int, const char *>>{
             {DURIZ_NAME_URL, "about:blank"}, {DURIZ_NAME_TITLE, ""}, {DURIZ_NAME_DOMAIN, ""},
             {DURIZ_NAME_COOKIE, ""}, {DURIZ_NAME_LOCATION, "about:blank"}, {DURIZ_NAME_REFERRER, ""},
             {DURIZ_NAME_BGCOLOR, "#c0c0c0"}, {DURIZ_NAME_FGCOLOR, "#000000"}, {DURIZ_NAME_LINKCOLOR, "#0000ff"},
             {DURIZ_NAME_VLINKCOLOR, "#800080"}, {DURIZ_NAME_ALINKCOLOR, "#ff0000"},
             {DURIZ_NAME_LASTMODIFIED, "01/01/70 00:00:00"}})
        SetText(d, name, value);
    HostNode *l = Find(location);
    for (auto [name, value] : std::initializer_list<std::pair<int, const char *>>{
             {DURIZ_NAME_HREF, "about:blank"}, {DURIZ_NAME_PROTOCOL, "about:"}, {DURIZ_NAME_HOST, ""},
             {DURIZ_NAME_HOSTNAME, ""}, {DURIZ_NAME_PORT, ""}, {DURIZ_NAME_PATHNAME, "blank"},
             {DURIZ_NAME_SEARCH, ""}, {DURIZ_NAME_HASH, ""}})
        SetText(l, name, value);
    SetNumber(Find(history), DURIZ_NAME_LENGTH, 1);
    HostNode *n = Find(navigator);
    SetText(n, DURIZ_NAME_APPNAME, "Duriz");
    SetText(n, DURIZ_NAME_APPVERSION, "1.0 (command line)");
    SetText(n, DURIZ_NAME_APPCODENAME, "Duriz");
    SetText(n, DURIZ_NAME_USERAGENT, "Duriz/1.0");
}

void Model::Stop() {
    for (HostNode &node : nodes_) {
        for (auto &h : node.handlers) JS_DeleteObject(h.second);
        node.handlers.clear();
    }
    // Documents hold their windows: give back the later objects first.
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) JS_DeleteObject(it->object);
    nodes_.clear();
    timers.clear();
    JS_Destroy();
    current = nullptr;
}

bool Model::TakeTimer(Timer *timer) {
    if (timers.empty()) return false;
    // The earliest due first; timers due together in the order they were set.
    auto it = std::min_element(timers.begin(), timers.end(),
                               [](const Timer &a, const Timer &b) { return a.due < b.due; });
    *timer = *it;
    clock = it->due;
    timers.erase(it);
    return true;
}
