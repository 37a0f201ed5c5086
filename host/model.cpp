#include "model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "builtins/names.h"

Model *Model::current = nullptr;
ReportedErrors g_reported;

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

// Splits an address into the parts a link and the location show.
void SetAddress(HostNode *node, const std::string &href) {
    std::string rest = href, protocol, host, hash, search;
    const size_t colon = rest.find(':');
    if (colon != std::string::npos && rest.find('/') > colon) {
        protocol = rest.substr(0, colon + 1);
        rest = rest.substr(colon + 1);
    }
    if (rest.compare(0, 2, "//") == 0) {
        const size_t slash = rest.find('/', 2);
        host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        rest = slash == std::string::npos ? "" : rest.substr(slash);
    }
    const size_t h = rest.find('#');
    if (h != std::string::npos) {
        hash = rest.substr(h);
        rest = rest.substr(0, h);
    }
    const size_t q = rest.find('?');
    if (q != std::string::npos) {
        search = rest.substr(q);
        rest = rest.substr(0, q);
    }
    const size_t portAt = host.find(':');
    SetText(node, DURIZ_NAME_HREF, href);
    SetText(node, DURIZ_NAME_PROTOCOL, protocol);
    SetText(node, DURIZ_NAME_HOST, host);
    SetText(node, DURIZ_NAME_HOSTNAME, host.substr(0, portAt));
    SetText(node, DURIZ_NAME_PORT, portAt == std::string::npos ? "" : host.substr(portAt + 1));
    SetText(node, DURIZ_NAME_PATHNAME, rest);
    SetText(node, DURIZ_NAME_SEARCH, search);
    SetText(node, DURIZ_NAME_HASH, hash);
}

std::string ResolveAddress(const std::string &base, const std::string &href) {
    // An address with a scheme of its own (letters, then a colon) stands.
    size_t i = 0;
    while (i < href.size() && (std::isalnum(static_cast<unsigned char>(href[i])) || href[i] == '+' ||
                               href[i] == '-' || href[i] == '.'))
        i++;
    if (i > 0 && i < href.size() && href[i] == ':' && std::isalpha(static_cast<unsigned char>(href[0])))
        return href;
    const size_t colon = base.find(':');
    if (colon == std::string::npos) return href;
    const std::string scheme = base.substr(0, colon + 1);
    std::string rest = base.substr(colon + 1);
    if (href.compare(0, 2, "//") == 0) return scheme + href;
    // The base's authority (//host), path, and what follows them.
    std::string authority;
    if (rest.compare(0, 2, "//") == 0) {
        const size_t slash = rest.find('/', 2);
        authority = rest.substr(0, slash);
        rest = slash == std::string::npos ? "" : rest.substr(slash);
    }
    const size_t end = rest.find_first_of("?#");
    std::string path = rest.substr(0, end);
    if (href.empty()) return base.substr(0, base.find('#'));
    if (href[0] == '#') return base.substr(0, base.find('#')) + href;
    if (href[0] == '?') return scheme + authority + path + href;
    std::string joined = href[0] == '/' ? href : path.substr(0, path.rfind('/') + 1) + href;
    // Steps of . and .. are taken out.
    const size_t tail = joined.find_first_of("?#");
    std::string suffix = tail == std::string::npos ? "" : joined.substr(tail);
    joined = joined.substr(0, tail);
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        if (slash == std::string::npos) slash = joined.size();
        const std::string part = joined.substr(start, slash - start);
        const bool last = slash == joined.size();
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
            if (last) parts.push_back("");
        } else if (part == ".") {
            if (last) parts.push_back("");
        } else {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    std::string out;
    for (size_t k = 0; k < parts.size(); k++) out += (k ? "/" : "") + parts[k];
    if (out.empty() || out[0] != '/') out = "/" + out;
    return scheme + authority + out + suffix;
}

namespace {

// The members --dump-model shows, by name index (the engine's name table
// gives their texts).
const char *MemberName(int nameIndex) {
    static const std::set<int> shown = {
        DURIZ_NAME_URL, DURIZ_NAME_TITLE, DURIZ_NAME_DOMAIN, DURIZ_NAME_COOKIE, DURIZ_NAME_LOCATION,
        DURIZ_NAME_REFERRER, DURIZ_NAME_BGCOLOR, DURIZ_NAME_FGCOLOR, DURIZ_NAME_LINKCOLOR, DURIZ_NAME_VLINKCOLOR,
        DURIZ_NAME_ALINKCOLOR, DURIZ_NAME_LASTMODIFIED, DURIZ_NAME_HREF, DURIZ_NAME_PROTOCOL, DURIZ_NAME_HOST,
        DURIZ_NAME_HOSTNAME, DURIZ_NAME_PORT, DURIZ_NAME_PATHNAME, DURIZ_NAME_SEARCH, DURIZ_NAME_HASH,
        DURIZ_NAME_LENGTH, DURIZ_NAME_APPNAME, DURIZ_NAME_APPVERSION, DURIZ_NAME_APPCODENAME, DURIZ_NAME_USERAGENT,
        DURIZ_NAME_NAME, DURIZ_NAME_STATUS, DURIZ_NAME_DEFAULTSTATUS, DURIZ_NAME_TARGET, DURIZ_NAME_METHOD,
        DURIZ_NAME_ACTION, DURIZ_NAME_ENCODING, DURIZ_NAME_TYPE, DURIZ_NAME_VALUE, DURIZ_NAME_CHECKED,
        DURIZ_NAME_DEFAULTCHECKED, DURIZ_NAME_DEFAULTVALUE, DURIZ_NAME_SELECTEDINDEX, DURIZ_NAME_TEXT,
        DURIZ_NAME_INDEX, DURIZ_NAME_SELECTED, DURIZ_NAME_DEFAULTSELECTED, DURIZ_NAME_SRC, DURIZ_NAME_LOWSRC,
        DURIZ_NAME_WIDTH, DURIZ_NAME_HEIGHT, DURIZ_NAME_HSPACE, DURIZ_NAME_VSPACE, DURIZ_NAME_BORDER,
        DURIZ_NAME_COMPLETE, DURIZ_NAME_ONLOAD, DURIZ_NAME_ONUNLOAD, DURIZ_NAME_ONBLUR, DURIZ_NAME_ONFOCUS,
        DURIZ_NAME_ONCHANGE, DURIZ_NAME_ONCLICK, DURIZ_NAME_ONSUBMIT, DURIZ_NAME_ONRESET, DURIZ_NAME_ONABORT,
        DURIZ_NAME_ONERROR, DURIZ_NAME_ONMOUSEOVER, DURIZ_NAME_ONMOUSEOUT};
    return shown.count(nameIndex) ? NameText(nameIndex) : nullptr;
}

// Applies an assignment operator to a scalar the host keeps.
void Assign(HostScalar &s, const char *text, int op) {
    const std::string t = text ? text : "";
    if (op == DURIZ_OP_ADD_ASSIGN && !s.isNumber) {
        s.text += t;
        return;
    }
    if (op == DURIZ_OP_ASSIGN) {
        s.isNumber = false;
        s.text = t;
        return;
    }
    // The arithmetic operators work on the scalar's number.
    const double a = s.isNumber ? s.number : std::atof(s.text.c_str()), b = std::atof(t.c_str());
    double r = a;
    switch (op) {
    case DURIZ_OP_ADD_ASSIGN: r = a + b; break;
    case DURIZ_OP_SUB_ASSIGN: r = a - b; break;
    case DURIZ_OP_MUL_ASSIGN: r = a * b; break;
    case DURIZ_OP_DIV_ASSIGN: r = b != 0 ? a / b : 0; break;
    default: s.isNumber = false; s.text = t; return;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.16g", r);
    s.isNumber = false;
    s.text = buffer;
}

// The cookie text as scripts read it: every name=value pair, joined.
std::string CookieText(const Model &model) {
    std::string out;
    for (const auto &c : model.cookies) {
        if (!out.empty()) out += "; ";
        out += c.first + "=" + c.second;
    }
    return out;
}

// Assigning a cookie sets one pair; attributes after ';' are not kept.
void SetCookie(Model &model, const std::string &text) {
    std::string pair = text.substr(0, text.find(';'));
    const size_t eq = pair.find('=');
    const std::string name = eq == std::string::npos ? pair : pair.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : pair.substr(eq + 1);
    for (auto &c : model.cookies)
        if (c.first == name) {
            c.second = value;
            return;
        }
    model.cookies.push_back({name, value});
}

// A flag assigned by a script: true, or a nonzero number.
bool Truthy(const HostScalar &s) {
    if (s.isNumber) return s.number != 0;
    return s.text == "true" || std::atof(s.text.c_str()) != 0;
}

// Keeps the selection consistent: selecting an option of a single list
// clears the others and moves the list's selectedIndex; checking a radio
// button clears the others of its name in the form.
void KeepSelection(Model &model, HostNode *node, int nameIndex) {
    if (node->classNumber == DURIZ_CLASS_OPTION && nameIndex == DURIZ_NAME_SELECTED) {
        HostNode *list = model.Find(node->parent);
        const bool on = Truthy(node->scalars[DURIZ_NAME_SELECTED]);
        SetNumber(node, DURIZ_NAME_SELECTED, on ? 1 : 0);
        if (!list || !on) return;
        for (HostNode &other : model.nodes_)
            if (other.parent == list->handle && other.classNumber == DURIZ_CLASS_OPTION) {
                const bool me = &other == node;
                if (list->scalars[DURIZ_NAME_TYPE].text == "select-one" || me)
                    SetNumber(&other, DURIZ_NAME_SELECTED, me ? 1 : 0);
                if (me) SetNumber(list, DURIZ_NAME_SELECTEDINDEX, other.scalars[DURIZ_NAME_INDEX].number);
            }
    }
    if ((node->classNumber == DURIZ_CLASS_CHECKBOX || node->classNumber == DURIZ_CLASS_RADIO) &&
        nameIndex == DURIZ_NAME_CHECKED) {
        const bool on = Truthy(node->scalars[DURIZ_NAME_CHECKED]);
        SetNumber(node, DURIZ_NAME_CHECKED, on ? 1 : 0);
        if (!on || node->classNumber != DURIZ_CLASS_RADIO) return;
        for (HostNode &other : model.nodes_)
            if (&other != node && other.classNumber == DURIZ_CLASS_RADIO && other.parent == node->parent &&
                other.scalars[DURIZ_NAME_NAME].text == node->scalars[DURIZ_NAME_NAME].text)
                SetNumber(&other, DURIZ_NAME_CHECKED, 0);
    }
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
    if (node->classNumber == DURIZ_CLASS_DOCUMENT && nameIndex == DURIZ_NAME_COOKIE) {
        Model::current->answer = CookieText(*Model::current);
        *text = Model::current->answer.c_str();
        return 1;
    }
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
                                       JsValue *handler, int op) {
    Model *model = Model::current;
    HostNode *node = model ? model->Find(handle) : nullptr;
    if (!node) return nullptr;
    if (classNumber == DURIZ_CLASS_WINDOW && nameIndex == DURIZ_NAME_LOCATION) {
        // A new location: the window's location object now shows it.
        auto it = node->children.find(DURIZ_NAME_LOCATION);
        HostNode *location = it != node->children.end() ? model->Find(it->second) : nullptr;
        const std::string address = ResolveAddress(model->pageAddress, text ? text : "");
        if (location) SetAddress(location, address);
        std::fflush(stdout);
        std::fprintf(stderr, "location: %s\n", address.c_str());
        model->answer = address;
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
    if (node->classNumber == DURIZ_CLASS_DOCUMENT && nameIndex == DURIZ_NAME_COOKIE) {
        SetCookie(*model, text);
        model->answer = CookieText(*model);
        return model->answer.c_str();
    }
    HostScalar &scalar = node->scalars[nameIndex];
    Assign(scalar, text, op);
    if (node->classNumber == DURIZ_CLASS_LOCATION && nameIndex == DURIZ_NAME_HREF) {
        // A new address for the window: every part follows.
        const std::string href = ResolveAddress(model->pageAddress, scalar.text);
        SetAddress(node, href);
        std::fflush(stdout);
        std::fprintf(stderr, "location: %s\n", href.c_str());
    }
    KeepSelection(*model, node, nameIndex);
    model->answer = scalar.isNumber ? std::to_string(scalar.number) : scalar.text;
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
        std::string out;
        for (int i = 1; i <= n; i++) out += ArgText(args, i);
        if (methodId == DURIZ_NATIVE_DOCUMENT_WRITELN) out += '\n';
        HostNode *document = model->Find(handle);
        const uint32_t window = document ? document->parent : 0;
        if (window > 1) {
            // An opened window's document: shown, labelled, when it closes.
            model->shown[window] += out;
        } else if (model->sink) {
            *model->sink += out;
        } else {
            if (model->loaded && !model->newDocument) {
                // Written once the page has loaded: the page gives way to a
                // new document, as the browsers did.
                model->newDocument = true;
                std::fflush(stdout);
                std::fprintf(stderr, "document: a new document replaces the page\n");
            }
            std::fwrite(out.data(), 1, out.size(), stdout);
        }
        return 0;
    }
    case DURIZ_NATIVE_WINDOW_OPEN: {
        const std::string url = ArgCount(args) >= 1 ? ArgText(args, 1) : "";
        const std::string name = ArgCount(args) >= 2 ? ArgText(args, 2) : "";
        std::fflush(stdout);
        std::fprintf(stderr, "open: %s%s%s\n", url.empty() ? "(no address)" : ResolveAddress(model->pageAddress, url).c_str(),
                     name.empty() ? "" : ", ", name.c_str());
        const uint32_t window = model->OpenWindow(handle ? handle : 1, name, url);
        HostNode *node = model->Find(window);
        return node ? reinterpret_cast<intptr_t>(node->object) : 0;
    }
    case DURIZ_NATIVE_WINDOW_CLOSE: {
        HostNode *window = model->Find(handle);
        if (window && handle > 1 && window->classNumber == DURIZ_CLASS_WINDOW && !window->closed) {
            model->ShowWindow(handle);
            window->closed = true;
            std::fflush(stdout);
            std::fprintf(stderr, "close: %s\n", window->path.c_str());
            return 0;
        }
        std::fflush(stdout);
        std::fprintf(stderr, "close: window\n");
        return 0;
    }
    case DURIZ_NATIVE_DOCUMENT_CLOSE: {
        HostNode *document = model->Find(handle);
        if (document && document->parent > 1) model->ShowWindow(document->parent);
        std::fflush(stdout);
        std::fprintf(stderr, "close: %s\n", document && !document->path.empty() ? document->path.c_str() : "?");
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
        Timer timer{model->nextTimer++, model->clock, ArgText(args, 1), handle ? handle : 1};
        if (ArgCount(args) >= 2) timer.due += std::max(0, std::atoi(ArgText(args, 2).c_str()));
        model->SetTimer(timer);
        *number = timer.id;
        return 0;
    }
    case DURIZ_NATIVE_WINDOW_CLEARTIMEOUT: {
        const int32_t id = ArgCount(args) >= 1 ? std::atoi(ArgText(args, 1).c_str()) : 0;
        model->ClearTimer(id);
        return 0;
    }
    case DURIZ_METHOD_CLOSED: {
        const HostNode *window = model->Find(handle);
        return window && window->closed ? 0 : 1;
    }
    case DURIZ_CTOR_IMAGE: {
        const uint32_t image = model->Add(DURIZ_CLASS_IMAGE);
        HostNode *node = model->Find(image);
        if (!node) return 0;
        SetText(node, DURIZ_NAME_SRC, "");
        SetNumber(node, DURIZ_NAME_WIDTH, 0);
        SetNumber(node, DURIZ_NAME_HEIGHT, 0);
        SetNumber(node, DURIZ_NAME_COMPLETE, 1);
        node->path = "image" + std::to_string(image);
        return reinterpret_cast<intptr_t>(node->object);
    }
    default: {
        // Everything else the page asks of its browser (submit, focus,
        // back, reload, ...) is told on standard error.
        HostNode *node = model->Find(handle);
        static const std::map<int, const char *> what = {
            {DURIZ_NATIVE_FORM_SUBMIT, "submit"},     {DURIZ_NATIVE_FORM_RESET, "reset"},
            {DURIZ_NATIVE_TEXT_BLUR, "blur"},      {DURIZ_NATIVE_TEXT_FOCUS, "focus"},
            {DURIZ_NATIVE_TEXT_SELECT, "select"},  {DURIZ_NATIVE_LOCATION_RELOAD, "reload"},
            {DURIZ_NATIVE_LOCATION_REPLACE, "replace"}, {DURIZ_NATIVE_HISTORY_BACK, "back"},
            {DURIZ_NATIVE_HISTORY_FORWARD, "forward"}, {DURIZ_NATIVE_HISTORY_GO, "go"},
            {DURIZ_NATIVE_WINDOW_FOCUS, "focus"},     {DURIZ_NATIVE_WINDOW_BLUR, "blur"},
            {DURIZ_NATIVE_WINDOW_SCROLL, "scroll"},   {DURIZ_NATIVE_DOCUMENT_OPEN, "open"},
            {DURIZ_NATIVE_DOCUMENT_CLEAR, "clear"}};
        auto it = what.find(methodId);
        if (it != what.end()) {
            std::fflush(stdout);
            std::string line = std::string(it->second) + ": " + (node && !node->path.empty() ? node->path : "?");
            const int n = ArgCount(args);
            for (int i = 1; i <= n; i++) line += (i == 1 ? " " : ", ") + ArgText(args, i);
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        return 0;
    }
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

// No exception may cross into the engine, which is built without them: a
// callback that fails inside (a string that cannot grow) gives the answer
// that means "nothing".
template <typename R, typename F>
R Guarded(R nothing, F &&answer) {
    try {
        return answer();
    } catch (...) {
        return nothing;
    }
}

int DURIZ_CALL SafeGetHostProperty(uint32_t handle, int nameIndex, int classNumber, const char **text,
                                   int32_t *number) {
    return Guarded(0, [&] { return GetHostProperty(handle, nameIndex, classNumber, text, number); });
}

JsValue *DURIZ_CALL SafeGetHostObject(uint32_t handle, int nameIndex, int classNumber) {
    return Guarded(static_cast<JsValue *>(nullptr), [&] { return GetHostObject(handle, nameIndex, classNumber); });
}

const char *DURIZ_CALL SafeSetHostProperty(uint32_t handle, int nameIndex, int classNumber, const char *text,
                                           JsValue *handler, int op) {
    return Guarded(static_cast<const char *>(nullptr),
                   [&] { return SetHostProperty(handle, nameIndex, classNumber, text, handler, op); });
}

intptr_t DURIZ_CALL SafeCallHostMethod(uint32_t handle, uint32_t handle2, int methodId, JsValue *args,
                                       const char **text, int32_t *number) {
    return Guarded(static_cast<intptr_t>(0),
                   [&] { return CallHostMethod(handle, handle2, methodId, args, text, number); });
}

int DURIZ_CALL SafeReportError(uint32_t handle, int code, const char *text) {
    return Guarded(0, [&] { return ReportError(handle, code, text); });
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
    node.order = handle;
    node.object = object;
    nodes_.push_back(node);
    return handle;
}

uint32_t Model::MakeWindow(const std::string &name, const std::string &address, const std::string &referrer,
                           const std::string &lastModified) {
    const uint32_t window = Add(DURIZ_CLASS_WINDOW);
    if (!window) return 0;
    const uint32_t document = Add(DURIZ_CLASS_DOCUMENT, Find(window)->object);
    const uint32_t location = Add(DURIZ_CLASS_LOCATION);
    if (!document || !location) return 0;
    HostNode *w = Find(window);
    w->children[DURIZ_NAME_DOCUMENT] = document;
    w->children[DURIZ_NAME_LOCATION] = location;
    w->children[DURIZ_NAME_TOP] = window;
    w->children[DURIZ_NAME_PARENT] = window;
    SetText(w, DURIZ_NAME_NAME, name);
    SetText(w, DURIZ_NAME_STATUS, "");
    SetText(w, DURIZ_NAME_DEFAULTSTATUS, "");
    SetNumber(w, DURIZ_NAME_LENGTH, 0);
    HostNode *d = Find(document);
    d->parent = window;
    for (auto [member, value] : std::initializer_list<std::pair<int, std::string>>{
             {DURIZ_NAME_URL, address}, {DURIZ_NAME_TITLE, ""}, {DURIZ_NAME_DOMAIN, ""}, {DURIZ_NAME_COOKIE, ""},
             {DURIZ_NAME_LOCATION, address}, {DURIZ_NAME_REFERRER, referrer}, {DURIZ_NAME_BGCOLOR, "#c0c0c0"},
             {DURIZ_NAME_FGCOLOR, "#000000"}, {DURIZ_NAME_LINKCOLOR, "#0000ff"}, {DURIZ_NAME_VLINKCOLOR, "#800080"},
             {DURIZ_NAME_ALINKCOLOR, "#ff0000"},
             {DURIZ_NAME_LASTMODIFIED, lastModified.empty() ? "01/01/70 00:00:00" : lastModified}})
        SetText(d, member, value);
    SetAddress(Find(location), address);
    return window;
}

void Model::Start(const HostSettings &s) {
    settings = s;
    current = this;
    JS_Init(SafeGetHostProperty, SafeGetHostObject, SafeSetHostProperty, SafeCallHostMethod, HostAlloc,
            SafeReportError);
    const uint32_t window = MakeWindow("", "about:blank", "", settings.lastModified);
    const uint32_t history = Add(DURIZ_CLASS_HISTORY);
    const uint32_t navigator = Add(DURIZ_CLASS_NAVIGATOR);
    // A window without frames: an empty collection (frame-busting code
    // reads top.frames.length).
    const uint32_t frames = Add(DURIZ_CLASS_ARRAY);
    HostNode *w = Find(window);
    w->children[DURIZ_NAME_HISTORY] = history;
    w->children[DURIZ_NAME_NAVIGATOR] = navigator;
    w->children[DURIZ_NAME_FRAMES] = frames;
    SetNumber(Find(history), DURIZ_NAME_LENGTH, 1);
    HostNode *n = Find(navigator);
    SetText(n, DURIZ_NAME_APPNAME, settings.appName);
    SetText(n, DURIZ_NAME_APPVERSION, settings.appVersion);
    SetText(n, DURIZ_NAME_APPCODENAME, "Duriz");
    SetText(n, DURIZ_NAME_USERAGENT, settings.userAgent);
}

uint32_t Model::OpenWindow(uint32_t opener, const std::string &name, const std::string &url) {
    const std::string address = url.empty() ? "about:blank" : ResolveAddress(pageAddress, url);
    const uint32_t window = MakeWindow(name, address, pageAddress, "");
    if (!window) return 0;
    const std::string label = name.empty() ? "window" + std::to_string(opened.size() + 1) : name;
    HostNode *w = Find(window);
    w->path = "window " + label;
    // The opened window shares the first one's history, navigator and frames.
    for (int member : {DURIZ_NAME_HISTORY, DURIZ_NAME_NAVIGATOR, DURIZ_NAME_FRAMES})
        w->children[member] = nodes_[0].children[member];
    w->children[DURIZ_NAME_OPENER] = opener;
    Find(w->children[DURIZ_NAME_DOCUMENT])->path = "document of " + label;
    Find(w->children[DURIZ_NAME_LOCATION])->path = "location of " + label;
    opened.push_back(window);
    shown[window];
    return window;
}

void Model::ShowWindow(uint32_t window) {
    auto it = shown.find(window);
    HostNode *w = Find(window);
    if (it == shown.end() || !w) return;
    std::string text = it->second;
    it->second.clear();
    if (text.empty()) return;
    if (text.back() != '\n') text += '\n';
    const std::string name = w->path.substr(std::strlen("window "));
    const std::string block = "[window " + name + "]\n" + text + "[end of window " + name + "]\n";
    // While the page loads its own text is not out yet: this follows it.
    if (sink) {
        shownLater += block;
        return;
    }
    std::fflush(stderr);
    std::fwrite(block.data(), 1, block.size(), stdout);
    std::fflush(stdout);
}

void Model::Stop() {
    for (uint32_t window : opened) ShowWindow(window);
    JS_SetMemoryLimit(0);
    for (HostNode &node : nodes_) {
        for (auto &h : node.handlers) JS_DeleteObject(h.second);
        node.handlers.clear();
    }
    // Documents hold their windows: give back the later objects first.
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it) JS_DeleteObject(it->object);
    nodes_.clear();
    for (JsScript *script : scripts) JS_DeleteScript(script);
    scripts.clear();
    timers.clear();
    timerDue.clear();
    JS_Destroy();
    current = nullptr;
}

uint32_t Model::ByPath(const std::string &path) const {
    for (const HostNode &node : nodes_)
        if (node.path == path) return node.handle;
    return 0;
}

void Model::Dump() const {
    // In document order: a group of elements stands where its first one does.
    std::vector<const HostNode *> ordered;
    for (const HostNode &node : nodes_) ordered.push_back(&node);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const HostNode *a, const HostNode *b) { return a->order < b->order; });
    for (const HostNode *n : ordered) {
        const HostNode &node = *n;
        const std::string prefix = node.path.empty() ? "#" + std::to_string(node.handle) : node.path;
        for (const auto &s : node.scalars) {
            const char *name = MemberName(s.first);
            if (!name || (node.classNumber == DURIZ_CLASS_DOCUMENT && s.first == DURIZ_NAME_COOKIE)) continue;
            std::printf("%s.%s = %s\n", prefix.c_str(), name,
                        s.second.isNumber ? std::to_string(s.second.number).c_str() : s.second.text.c_str());
        }
        if (node.classNumber == DURIZ_CLASS_DOCUMENT) std::printf("%s.cookie = %s\n", prefix.c_str(), CookieText(*this).c_str());
        for (const auto &h : node.handlers) {
            const char *name = MemberName(h.first);
            if (name) std::printf("%s.%s = (handler)\n", prefix.c_str(), name);
        }
    }
}

void Model::ScriptRan(JsScript *script, std::string_view text) {
    if (text.find("function") != std::string_view::npos) scripts.push_back(script);
    else JS_DeleteScript(script);
}

const Timer *Model::NextTimer() const { return timers.empty() ? nullptr : &timers.begin()->second; }

bool Model::TakeTimer(Timer *timer) {
    if (timers.empty()) return false;
    *timer = timers.begin()->second;
    clock = timer->due;
    timers.erase(timers.begin());
    timerDue.erase(timer->id);
    return true;
}

void Model::SetTimer(const Timer &timer) {
    timers.emplace(std::make_pair(timer.due, timer.id), timer);
    timerDue[timer.id] = timer.due;
}

void Model::ClearTimer(int32_t id) {
    const auto it = timerDue.find(id);
    if (it == timerDue.end()) return;
    timers.erase(std::make_pair(it->second, id));
    timerDue.erase(it);
}
