#include "page.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "duriz.h"

#ifdef DURIZ_HAVE_GUMBO
#include "html_parser.h"

namespace {

// A script block of the page and the byte span it takes in the source.
struct ScriptBlock {
    size_t begin, end;
    std::string text;
    std::string origin;  // for reports: NAME or NAME (src FILE)
};

struct Builder {
    Builder(Model &m, const std::string &n) : model(m), name(n) {}
    Model &model;
    const std::string &name;
    uint32_t window = 1, document = 2, location = 3;
    uint32_t form = 0;  // the form being read
    int forms = 0, images = 0, links = 0, anchors = 0;
    std::vector<ScriptBlock> scripts;
    bool ok = true;
};

std::string TextOf(const GumboNode *node) {
    std::string out;
    std::vector<const GumboNode *> stack{node};
    while (!stack.empty()) {
        const GumboNode *n = stack.back();
        stack.pop_back();
        if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE || n->type == GUMBO_NODE_CDATA) {
            out += n->v.text.text;
        } else if (n->type == GUMBO_NODE_ELEMENT) {
            const GumboVector &c = n->v.element.children;
            for (unsigned i = c.length; i-- > 0;) stack.push_back(static_cast<const GumboNode *>(c.data[i]));
        }
    }
    return out;
}

struct HandlerName {
    const char *attribute;
    int nameIndex;
};
const HandlerName kHandlers[] = {
    {"onclick", DURIZ_NAME_ONCLICK},     {"onchange", DURIZ_NAME_ONCHANGE},     {"onfocus", DURIZ_NAME_ONFOCUS},
    {"onblur", DURIZ_NAME_ONBLUR},       {"onsubmit", DURIZ_NAME_ONSUBMIT},     {"onreset", DURIZ_NAME_ONRESET},
    {"onload", DURIZ_NAME_ONLOAD},       {"onunload", DURIZ_NAME_ONUNLOAD},     {"onabort", DURIZ_NAME_ONABORT},
    {"onerror", DURIZ_NAME_ONERROR},     {"onmouseover", DURIZ_NAME_ONMOUSEOVER}, {"onmouseout", DURIZ_NAME_ONMOUSEOUT}};

// Compiles the element's handler attributes onto the node.
void LoadHandlers(Builder &b, const GumboElement &e, uint32_t handle, const std::string &what) {
    for (const HandlerName &h : kHandlers) {
        const char *text = HtmlAttribute(e, h.attribute);
        if (!text) continue;
        HostNode *node = b.model.Find(handle);
        g_reported.syntaxExcerpt.clear();
        // Bound to no object: the handler runs with the window as its
        // global (so document and the page's functions are in reach) and
        // the element as `this`.
        JsValue *handler =
            JS_LoadEventHandler(static_cast<int>(handle), text, static_cast<int>(std::strlen(text)), nullptr);
        if (!handler) {
            std::fprintf(stderr, "duriz: %s: %s %s: %s\n", b.name.c_str(), what.c_str(), h.attribute,
                         SyntaxFailure(text).c_str());
            b.ok = false;
            continue;
        }
        auto old = node->handlers.find(h.nameIndex);
        if (old != node->handlers.end()) JS_DeleteObject(old->second);
        node->handlers[h.nameIndex] = handler;
    }
}

void Text(Builder &b, uint32_t handle, int nameIndex, const char *value, const char *fallback = "") {
    SetText(b.model.Find(handle), nameIndex, value ? value : fallback);
}
void Number(Builder &b, uint32_t handle, int nameIndex, const char *value, int fallback = 0) {
    SetNumber(b.model.Find(handle), nameIndex, value ? std::atoi(value) : fallback);
}

int InputClass(const char *type) {
    static const std::map<std::string, int> kinds = {
        {"text", DURIZ_CLASS_TEXT},         {"password", DURIZ_CLASS_PASSWORD}, {"checkbox", DURIZ_CLASS_CHECKBOX},
        {"radio", DURIZ_CLASS_RADIO},       {"button", DURIZ_CLASS_BUTTON},     {"submit", DURIZ_CLASS_SUBMIT},
        {"reset", DURIZ_CLASS_RESET},       {"hidden", DURIZ_CLASS_HIDDEN},     {"file", DURIZ_CLASS_TEXT}};
    std::string t = type ? type : "text";
    for (char &c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto it = kinds.find(t);
    return it != kinds.end() ? it->second : (type ? -1 : DURIZ_CLASS_TEXT);
}

const char *TypeText(int classNumber) {
    switch (classNumber) {
    case DURIZ_CLASS_PASSWORD: return "password";
    case DURIZ_CLASS_CHECKBOX: return "checkbox";
    case DURIZ_CLASS_RADIO: return "radio";
    case DURIZ_CLASS_BUTTON: return "button";
    case DURIZ_CLASS_SUBMIT: return "submit";
    case DURIZ_CLASS_RESET: return "reset";
    case DURIZ_CLASS_HIDDEN: return "hidden";
    case DURIZ_CLASS_TEXTAREA: return "textarea";
    default: return "text";
    }
}

// Elements of one form, collected first so that elements sharing a name
// can be put into a group at the place of the first of them.
struct FormElement {
    uint32_t handle;
    std::string name;
};
std::map<uint32_t, std::vector<FormElement>> g_formElements;

uint32_t AddElement(Builder &b, int classNumber, const GumboElement &e) {
    if (!b.form) return 0;  // form elements outside a form are not reflected
    const uint32_t handle = b.model.Add(classNumber);
    if (!handle) return 0;
    HostNode *node = b.model.Find(handle);
    node->parent = b.form;
    node->children[DURIZ_NAME_FORM] = b.form;
    const char *name = HtmlAttribute(e, "name");
    Text(b, handle, DURIZ_NAME_NAME, name);
    Text(b, handle, DURIZ_NAME_TYPE, classNumber == DURIZ_CLASS_SELECT
                                         ? (HtmlAttribute(e, "multiple") ? "select-multiple" : "select-one")
                                         : TypeText(classNumber));
    g_formElements[b.form].push_back({handle, name ? name : ""});
    return handle;
}

void AddSelect(Builder &b, const GumboNode *select) {
    const uint32_t list = AddElement(b, DURIZ_CLASS_SELECT, select->v.element);
    if (!list) return;
    LoadHandlers(b, select->v.element, list, "select");
    int index = 0, selected = -1;
    std::vector<const GumboNode *> stack{select};
    std::vector<const GumboNode *> options;
    while (!stack.empty()) {
        const GumboNode *n = stack.back();
        stack.pop_back();
        if (n->type != GUMBO_NODE_ELEMENT) continue;
        if (n->v.element.tag == GUMBO_TAG_OPTION) {
            options.push_back(n);
            continue;
        }
        const GumboVector &c = n->v.element.children;
        for (unsigned i = c.length; i-- > 0;) stack.push_back(static_cast<const GumboNode *>(c.data[i]));
    }
    for (const GumboNode *o : options) {
        const uint32_t option = b.model.Add(DURIZ_CLASS_OPTION);
        if (!option) continue;
        HostNode *node = b.model.Find(option);
        node->parent = list;
        std::string text = TextOf(o);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
        size_t lead = 0;
        while (lead < text.size() && std::isspace(static_cast<unsigned char>(text[lead]))) lead++;
        text = text.substr(lead);
        const bool on = HtmlAttribute(o->v.element, "selected") != nullptr;
        if (on && selected < 0) selected = index;
        SetText(node, DURIZ_NAME_TEXT, text);
        const char *value = HtmlAttribute(o->v.element, "value");
        SetText(node, DURIZ_NAME_VALUE, value ? value : text);
        SetNumber(node, DURIZ_NAME_INDEX, index);
        SetNumber(node, DURIZ_NAME_SELECTED, on);
        SetNumber(node, DURIZ_NAME_DEFAULTSELECTED, on);
        node->path = b.model.Find(list)->path + ".options" + std::to_string(index);
        JS_AddObjectIdx(b.model.Find(list)->object, DURIZ_NAME_OPTIONS, DURIZ_CLASS_OPTION, 0, option,
                        b.model.Find(option)->object);
        index++;
    }
    HostNode *node = b.model.Find(list);
    if (selected < 0 && index > 0 && node->scalars[DURIZ_NAME_TYPE].text == "select-one") {
        selected = 0;
        for (HostNode &n : b.model.nodes_)
            if (n.parent == list && n.classNumber == DURIZ_CLASS_OPTION) {
                SetNumber(&n, DURIZ_NAME_SELECTED, 1);
                break;
            }
    }
    SetNumber(node, DURIZ_NAME_LENGTH, index);
    SetNumber(node, DURIZ_NAME_SELECTEDINDEX, selected);
}

// Registers a form's elements, in order, with groups for shared names.
void FinishForm(Builder &b, uint32_t form) {
    std::vector<FormElement> &elements = g_formElements[form];
    std::map<std::string, uint32_t> groups;
    std::map<std::string, int> counts;
    for (const FormElement &e : elements)
        if (!e.name.empty()) counts[e.name]++;
    const std::string formPath = b.model.Find(form)->path;
    int position = 0;
    for (const FormElement &e : elements) {
        HostNode *node = b.model.Find(e.handle);
        if (counts[e.name] > 1) {
            auto g = groups.find(e.name);
            uint32_t group;
            if (g == groups.end()) {
                group = b.model.Add(DURIZ_CLASS_ELEMENT_GROUP);
                if (!group) continue;
                groups[e.name] = group;
                HostNode *gn = b.model.Find(group);
                gn->parent = form;
                gn->path = formPath + ".elements" + std::to_string(position++);
                SetText(gn, DURIZ_NAME_NAME, e.name);
                JS_AddObjectIdx(b.model.Find(form)->object, DURIZ_NAME_ELEMENTS, DURIZ_CLASS_ELEMENT_GROUP, 0, group,
                                gn->object);
            } else {
                group = g->second;
            }
            HostNode *gn = b.model.Find(group);
            node = b.model.Find(e.handle);
            int inGroup = 0;
            for (const HostNode &n : b.model.nodes_)
                if (n.path.compare(0, gn->path.size() + 1, gn->path + ".") == 0) inGroup++;
            node->path = gn->path + "." + std::to_string(inGroup);
            JS_AddObjectIdx(gn->object, DURIZ_NAME_ELEMENTS, node->classNumber, 0, e.handle, node->object);
        } else {
            node->path = formPath + ".elements" + std::to_string(position++);
            JS_AddObjectIdx(b.model.Find(form)->object, DURIZ_NAME_ELEMENTS, node->classNumber, 0, e.handle,
                            node->object);
        }
    }
    // Options were named before the list knew its place: rename them.
    for (HostNode &n : b.model.nodes_) {
        if (n.classNumber != DURIZ_CLASS_OPTION) continue;
        HostNode *list = b.model.Find(n.parent);
        if (list && list->parent == form)
            n.path = list->path + ".options" + std::to_string(n.scalars[DURIZ_NAME_INDEX].number);
    }
}

void Element(Builder &b, const GumboNode *n, const std::string &source) {
    const GumboElement &e = n->v.element;
    switch (e.tag) {
    case GUMBO_TAG_TITLE: Text(b, b.document, DURIZ_NAME_TITLE, TextOf(n).c_str()); break;
    case GUMBO_TAG_BODY:
        if (const char *v = HtmlAttribute(e, "bgcolor")) Text(b, b.document, DURIZ_NAME_BGCOLOR, v);
        if (const char *v = HtmlAttribute(e, "text")) Text(b, b.document, DURIZ_NAME_FGCOLOR, v);
        if (const char *v = HtmlAttribute(e, "link")) Text(b, b.document, DURIZ_NAME_LINKCOLOR, v);
        if (const char *v = HtmlAttribute(e, "vlink")) Text(b, b.document, DURIZ_NAME_VLINKCOLOR, v);
        if (const char *v = HtmlAttribute(e, "alink")) Text(b, b.document, DURIZ_NAME_ALINKCOLOR, v);
        LoadHandlers(b, e, b.window, "body");
        break;
    case GUMBO_TAG_FORM: {
        const uint32_t form = b.model.Add(DURIZ_CLASS_FORM);
        if (!form) break;
        b.model.Find(form)->path = "form" + std::to_string(b.forms++);
        Text(b, form, DURIZ_NAME_NAME, HtmlAttribute(e, "name"));
        Text(b, form, DURIZ_NAME_ACTION, HtmlAttribute(e, "action"));
        Text(b, form, DURIZ_NAME_METHOD, HtmlAttribute(e, "method"), "get");
        Text(b, form, DURIZ_NAME_TARGET, HtmlAttribute(e, "target"));
        Text(b, form, DURIZ_NAME_ENCODING, HtmlAttribute(e, "enctype"), "application/x-www-form-urlencoded");
        JS_AddObjectIdx(b.model.Find(b.document)->object, DURIZ_NAME_FORMS, DURIZ_CLASS_FORM, 0, form,
                        b.model.Find(form)->object);
        LoadHandlers(b, e, form, b.model.Find(form)->path);
        b.form = form;
        break;
    }
    case GUMBO_TAG_INPUT: {
        const int kind = InputClass(HtmlAttribute(e, "type"));
        const uint32_t h = kind >= 0 ? AddElement(b, kind, e) : 0;
        if (!h) break;
        const char *value = HtmlAttribute(e, "value");
        const bool box = kind == DURIZ_CLASS_CHECKBOX || kind == DURIZ_CLASS_RADIO;
        Text(b, h, DURIZ_NAME_VALUE, value, box ? "on" : "");
        if (kind == DURIZ_CLASS_TEXT) Text(b, h, DURIZ_NAME_DEFAULTVALUE, value);
        if (box) {
            const bool on = HtmlAttribute(e, "checked") != nullptr;
            SetNumber(b.model.Find(h), DURIZ_NAME_CHECKED, on);
            SetNumber(b.model.Find(h), DURIZ_NAME_DEFAULTCHECKED, on);
        }
        LoadHandlers(b, e, h, "input");
        break;
    }
    case GUMBO_TAG_TEXTAREA: {
        const uint32_t h = AddElement(b, DURIZ_CLASS_TEXTAREA, e);
        if (!h) break;
        const std::string text = TextOf(n);
        Text(b, h, DURIZ_NAME_VALUE, text.c_str());
        Text(b, h, DURIZ_NAME_DEFAULTVALUE, text.c_str());
        LoadHandlers(b, e, h, "textarea");
        break;
    }
    case GUMBO_TAG_SELECT: AddSelect(b, n); break;
    case GUMBO_TAG_IMG: {
        const uint32_t h = b.model.Add(DURIZ_CLASS_IMAGE);
        if (!h) break;
        b.model.Find(h)->path = "images" + std::to_string(b.images++);
        Text(b, h, DURIZ_NAME_NAME, HtmlAttribute(e, "name"));
        Text(b, h, DURIZ_NAME_SRC, HtmlAttribute(e, "src"));
        Text(b, h, DURIZ_NAME_LOWSRC, HtmlAttribute(e, "lowsrc"));
        Number(b, h, DURIZ_NAME_WIDTH, HtmlAttribute(e, "width"));
        Number(b, h, DURIZ_NAME_HEIGHT, HtmlAttribute(e, "height"));
        Number(b, h, DURIZ_NAME_HSPACE, HtmlAttribute(e, "hspace"));
        Number(b, h, DURIZ_NAME_VSPACE, HtmlAttribute(e, "vspace"));
        Number(b, h, DURIZ_NAME_BORDER, HtmlAttribute(e, "border"));
        SetNumber(b.model.Find(h), DURIZ_NAME_COMPLETE, 1);
        JS_AddObjectIdx(b.model.Find(b.document)->object, DURIZ_NAME_IMAGES, DURIZ_CLASS_IMAGE, 0, h,
                        b.model.Find(h)->object);
        LoadHandlers(b, e, h, b.model.Find(h)->path);
        break;
    }
    case GUMBO_TAG_A: {
        if (const char *href = HtmlAttribute(e, "href")) {
            const uint32_t h = b.model.Add(DURIZ_CLASS_LINK);
            if (!h) break;
            b.model.Find(h)->path = "links" + std::to_string(b.links++);
            SetAddress(b.model.Find(h), href);
            Text(b, h, DURIZ_NAME_TARGET, HtmlAttribute(e, "target"));
            JS_AddObjectIdx(b.model.Find(b.document)->object, DURIZ_NAME_LINKS, DURIZ_CLASS_LINK, 0, h,
                            b.model.Find(h)->object);
            LoadHandlers(b, e, h, b.model.Find(h)->path);
        }
        if (const char *anchor = HtmlAttribute(e, "name")) {
            const uint32_t h = b.model.Add(DURIZ_CLASS_LINK);
            if (!h) break;
            b.model.Find(h)->path = "anchors" + std::to_string(b.anchors++);
            Text(b, h, DURIZ_NAME_NAME, anchor);
            JS_AddObjectIdx(b.model.Find(b.document)->object, DURIZ_NAME_ANCHORS, DURIZ_CLASS_LINK, 0, h,
                            b.model.Find(h)->object);
        }
        break;
    }
    case GUMBO_TAG_SCRIPT: {
        const char *language = HtmlAttribute(e, "language");
        if (language && strncasecmp(language, "javascript", 10) != 0 && strncasecmp(language, "livescript", 10) != 0)
            break;
        ScriptBlock block;
        block.begin = e.start_pos.offset;
        block.end = e.end_pos.offset;
        // The end tag's own bytes belong to the block too.
        if (e.original_end_tag.length) block.end += e.original_end_tag.length;
        if (block.end > source.size()) block.end = source.size();
        block.origin = b.name;
        if (const char *src = HtmlAttribute(e, "src")) {
            FILE *f = std::fopen(src, "rb");
            if (!f) {
                std::fprintf(stderr, "duriz: %s: cannot read script %s\n", b.name.c_str(), src);
                b.ok = false;
            } else {
                char buffer[65536];
                size_t got;
                while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) block.text.append(buffer, got);
                std::fclose(f);
                block.origin = src;
            }
        } else {
            block.text = TextOf(n);
        }
        b.scripts.push_back(block);
        break;
    }
    default: break;
    }
}

void Walk(Builder &b, const GumboNode *root, const std::string &source) {
    // Iterative, in document order, so that deep pages cannot exhaust the
    // stack; a form ends when the walk leaves its element.
    struct Step {
        const GumboNode *node;
        bool leaving;
    };
    std::vector<Step> stack{{root, false}};
    while (!stack.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        const GumboNode *n = step.node;
        if (n->type != GUMBO_NODE_ELEMENT && n->type != GUMBO_NODE_DOCUMENT) continue;
        if (step.leaving) {
            if (n->v.element.tag == GUMBO_TAG_FORM && b.form) {
                FinishForm(b, b.form);
                b.form = 0;
            }
            continue;
        }
        if (n->type == GUMBO_NODE_ELEMENT) {
            Element(b, n, source);
            stack.push_back({n, true});
            if (n->v.element.tag == GUMBO_TAG_SELECT || n->v.element.tag == GUMBO_TAG_SCRIPT) continue;
        }
        const GumboVector &c = n->type == GUMBO_NODE_DOCUMENT ? n->v.document.children : n->v.element.children;
        for (unsigned i = c.length; i-- > 0;) stack.push_back({static_cast<const GumboNode *>(c.data[i]), false});
    }
    if (b.form) FinishForm(b, b.form);
    b.form = 0;
}

// Fires PATH:EVENT; false when it cannot be found or had an error.
bool Fire(Model &model, const RunSettings &run, const std::string &request) {
    const size_t colon = request.rfind(':');
    const std::string path = colon == std::string::npos ? request : request.substr(0, colon);
    const std::string event = colon == std::string::npos ? "" : request.substr(colon + 1);
    uint32_t handle = path == "window" ? 1 : path == "document" ? 2 : model.ByPath(path);
    HostNode *node = model.Find(handle);
    int nameIndex = -1;
    for (const HandlerName &h : kHandlers)
        if (event == h.attribute) nameIndex = h.nameIndex;
    auto it = node && nameIndex >= 0 ? node->handlers.find(nameIndex) : std::map<int, JsValue *>::iterator();
    if (!node || nameIndex < 0 || it == node->handlers.end()) {
        std::fprintf(stderr, "duriz: --event %s: no such handler\n", request.c_str());
        return false;
    }
    JsValue *handler = JS_NewInstance(it->second);  // the handler may replace itself
    JsEvalContext *context = JS_CreateEvalContext(model.Window(), nullptr, handler, node->object);
    bool ok = context != nullptr;
    if (context) {
        JsValue *value = nullptr;
        const int rc = EvaluateContext(context, run, request, &value);
        if (rc == DURIZ_BUSY) ok = false;
        JS_DeleteObject(value);
        JS_DeleteEvalContext(context);
        if (rc == DURIZ_RUNTIME_ERROR) {
            ok = false;
            std::fflush(stdout);
            for (const std::string &source : g_reported.runtime)
                std::fprintf(stderr, "duriz: %s: run-time error: %s\n", request.c_str(), Escaped(source).c_str());
        }
        g_reported.runtime.clear();
    }
    JS_DeleteObject(handler);
    return ok;
}

}  // namespace

bool PagesSupported() { return true; }

int RunPage(Model &model, const RunSettings &run, const PageSettings &page, const std::string &name,
            const std::string &html) {
    std::string error;
    GumboOutput *parsed = ParseHtml(html, &error);
    if (!parsed) {
        std::fprintf(stderr, "duriz: %s: %s\n", name.c_str(), error.c_str());
        return 2;
    }
    Builder b(model, name);
    const std::string url = "file:" + name;
    SetText(model.Find(b.document), DURIZ_NAME_URL, url);
    SetText(model.Find(b.document), DURIZ_NAME_LOCATION, url);
    SetAddress(model.Find(b.location), url);
    model.Find(1)->path = "window";
    model.Find(2)->path = "document";
    model.Find(3)->path = "location";
    model.Find(4)->path = "history";
    model.Find(5)->path = "navigator";
    g_formElements.clear();
    Walk(b, parsed->document, html);
    bool ok = b.ok;
    // Each script's output takes its place in the page.
    std::string out;
    size_t at = 0;
    RunSettings quiet = run;
    quiet.result = false;
    for (const ScriptBlock &s : b.scripts) {
        if (s.begin < at) continue;
        out.append(html, at, s.begin - at);
        model.sink = &out;
        if (!RunScript(model, quiet, s.origin, s.text)) ok = false;
        model.sink = nullptr;
        at = s.end;
    }
    out.append(html, at, std::string::npos);
    FreeHtml(parsed);
    std::fwrite(out.data(), 1, out.size(), stdout);
    // The page is loaded: its onload handler, the timers, then the events
    // asked for, each with what it writes going to standard output.
    if (model.Find(1)->handlers.count(DURIZ_NAME_ONLOAD) && !Fire(model, run, "window:onload")) ok = false;
    if (!RunTimers(model, run)) ok = false;
    for (const std::string &e : page.events) {
        if (!Fire(model, run, e)) ok = false;
        if (!RunTimers(model, run)) ok = false;
    }
    std::fflush(stdout);
    if (page.dumpModel) model.Dump();
    return ok ? 0 : 1;
}

#else

bool PagesSupported() { return false; }

int RunPage(Model &, const RunSettings &, const PageSettings &, const std::string &name, const std::string &) {
    std::fprintf(stderr, "duriz: %s: this duriz was built without HTML support\n", name.c_str());
    return 2;
}

#endif
