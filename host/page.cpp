#include "page.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "duriz.h"

#ifdef DURIZ_HAVE_GUMBO
#include "events.h"
#include "html_parser.h"

namespace {

// A span of the page's source that does not show as it stands: a script
// block, whose output takes its place, or <NOSCRIPT> content, which goes.
struct ScriptBlock {
    size_t begin, end;
    bool run = true;     // false: a span that only goes
    std::string text;
    std::string origin;  // for reports: the page's name, or the SRC file's
    size_t line = 1;     // the line of origin the text starts on
};

struct Builder {
    Builder(Model &m, const std::string &n, const PageSettings &s) : model(m), name(n), settings(s) {}
    Model &model;
    const std::string &name;
    const PageSettings &settings;
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
    const std::string t = LowerCase(type ? type : "text");
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
        b.model.Find(list)->options.push_back(option);
        JS_AddObjectIdx(b.model.Find(list)->object, DURIZ_NAME_OPTIONS, DURIZ_CLASS_OPTION, 0, option,
                        b.model.Find(option)->object);
        index++;
    }
    HostNode *node = b.model.Find(list);
    if (selected < 0 && index > 0 && node->scalars[DURIZ_NAME_TYPE].text == "select-one") {
        selected = 0;
        SetNumber(b.model.Find(b.model.Find(list)->options.front()), DURIZ_NAME_SELECTED, 1);
    }
    SetNumber(node, DURIZ_NAME_LENGTH, index);
    SetNumber(node, DURIZ_NAME_SELECTEDINDEX, selected);
}

// Registers a form's elements, in order, with groups for shared names.
void FinishForm(Builder &b, uint32_t form) {
    std::vector<FormElement> &elements = g_formElements[form];
    std::map<std::string, uint32_t> groups;
    std::map<uint32_t, int> inGroups;  // elements put in each group so far
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
                gn->order = b.model.Find(e.handle)->order - 0.5;  // where its first element stands
                gn->path = formPath + ".elements" + std::to_string(position++);
                SetText(gn, DURIZ_NAME_NAME, e.name);
                JS_AddObjectIdx(b.model.Find(form)->object, DURIZ_NAME_ELEMENTS, DURIZ_CLASS_ELEMENT_GROUP, 0, group,
                                gn->object);
            } else {
                group = g->second;
            }
            HostNode *gn = b.model.Find(group);
            node = b.model.Find(e.handle);
            node->path = gn->path + "." + std::to_string(inGroups[group]++);
            JS_AddObjectIdx(gn->object, DURIZ_NAME_ELEMENTS, node->classNumber, 0, e.handle, node->object);
        } else {
            node->path = formPath + ".elements" + std::to_string(position++);
            JS_AddObjectIdx(b.model.Find(form)->object, DURIZ_NAME_ELEMENTS, node->classNumber, 0, e.handle,
                            node->object);
        }
    }
    // Options were named before the list knew its place: rename them.
    for (const FormElement &e : elements) {
        HostNode *list = b.model.Find(e.handle);
        if (!list || list->classNumber != DURIZ_CLASS_SELECT) continue;
        for (uint32_t option : list->options) {
            HostNode *n = b.model.Find(option);
            n->path = list->path + ".options" + std::to_string(n->scalars[DURIZ_NAME_INDEX].number);
        }
    }
    g_formElements.erase(form);
}

// The bytes an element takes in the source, its end tag's included.
void Span(const GumboElement &e, const std::string &source, ScriptBlock *block) {
    block->begin = e.start_pos.offset;
    block->end = e.end_pos.offset + e.original_end_tag.length;
    if (block->end > source.size()) block->end = source.size();
    if (block->begin > block->end) block->begin = block->end;
}

// Whether a browser of the engine's generation ran a block of this
// LANGUAGE: none given, LiveScript, JavaScript, or JavaScript1.0 and 1.1.
// Later versions (JavaScript1.2, ...) and other languages were left to the
// browsers that knew them.
bool LanguageRuns(const char *language) {
    if (!language) return true;
    const std::string l = LowerCase(language);
    if (l == "livescript") return true;
    if (l.compare(0, 10, "javascript") != 0) return false;
    const std::string version = l.substr(10);
    return version.empty() || version == "1.0" || version == "1.1" || version == "1";
}

// The largest <SCRIPT SRC> file read: far past any script of the time.
constexpr size_t kMaxSourceBytes = 16u << 20;

// The page's folder: SRC names are read from there.
std::string FolderOf(const std::string &page) {
    const size_t slash = page.find_last_of("/\\");
    return slash == std::string::npos ? "./" : page.substr(0, slash + 1);
}

// Reads a <SCRIPT SRC> file: only a regular file of the page's folder (or
// below it; anywhere with --any-src), and no larger than kMaxSourceBytes.
bool ReadSource(Builder &b, const std::string &src, std::string *text, std::string *error) {
    if (src.find("://") != std::string::npos) {
        *error = "not a local file";
        return false;
    }
    const std::string folder = FolderOf(b.name == "<stdin>" ? "./" : b.name);
    const std::string path = !src.empty() && src[0] == '/' ? src : folder + src;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        *error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        *error = std::strerror(EISDIR);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = "not a regular file";
        return false;
    }
    if (!b.settings.anySource) {
        char *real = realpath(path.c_str(), nullptr), *base = realpath(folder.c_str(), nullptr);
        const std::string r = real ? real : "", d = base ? std::string(base) + "/" : "";
        std::free(real);
        std::free(base);
        if (d.empty() || r.compare(0, d.size(), d) != 0) {
            *error = "outside the page's folder (--any-src allows it)";
            return false;
        }
    }
    if (static_cast<unsigned long long>(info.st_size) > kMaxSourceBytes) {
        *error = "larger than " + std::to_string(kMaxSourceBytes >> 20) + " MiB";
        return false;
    }
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) {
        *error = std::strerror(errno);
        return false;
    }
    // A file that grows while it is read stops at the bound too.
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0 && text->size() <= kMaxSourceBytes)
        text->append(buffer, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (text->size() > kMaxSourceBytes) *error = "larger than " + std::to_string(kMaxSourceBytes >> 20) + " MiB";
    else if (failed) *error = std::strerror(EIO);
    else return true;
    text->clear();
    return false;
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
            SetAddress(b.model.Find(h), ResolveAddress(b.model.pageAddress, href));
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
    case GUMBO_TAG_NOSCRIPT: {
        // A browser that runs scripts shows none of this.
        ScriptBlock gone;
        gone.run = false;
        Span(e, source, &gone);
        b.scripts.push_back(gone);
        break;
    }
    case GUMBO_TAG_SCRIPT: {
        ScriptBlock block;
        if (!LanguageRuns(HtmlAttribute(e, "language"))) {
            // Left to the browsers that knew the language: not run, not shown.
            block.run = false;
            Span(e, source, &block);
            b.scripts.push_back(block);
            break;
        }
        Span(e, source, &block);
        block.origin = b.name;
        if (const char *src = HtmlAttribute(e, "src")) {
            std::string error;
            if (!ReadSource(b, src, &block.text, &error)) {
                std::fprintf(stderr, "duriz: %s: script %s: %s\n", b.name.c_str(), src, error.c_str());
                b.ok = false;
            } else {
                block.origin = src;
            }
        } else {
            block.text = TextOf(n);
            const GumboVector &c = e.children;
            const size_t start = c.length ? static_cast<const GumboNode *>(c.data[0])->v.text.start_pos.offset
                                          : e.start_pos.offset;
            block.line = LineOf(source, start);
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
            const GumboTag tag = n->v.element.tag;
            if (tag == GUMBO_TAG_SELECT || tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_NOSCRIPT) continue;
        }
        const GumboVector &c = n->type == GUMBO_NODE_DOCUMENT ? n->v.document.children : n->v.element.children;
        for (unsigned i = c.length; i-- > 0;) stack.push_back({static_cast<const GumboNode *>(c.data[i]), false});
    }
    if (b.form) FinishForm(b, b.form);
    b.form = 0;
}

// Runs a script block with what it writes caught, and answers that output
// with the <SCRIPT> blocks it writes run in their turn, as the browsers
// ran them.
std::string RunCaught(Builder &b, const RunSettings &run, const ScriptBlock &block, int depth, bool *ok) {
    std::string written;
    std::string *saved = b.model.sink;
    b.model.sink = &written;
    if (!RunScript(b.model, run, block.origin, block.text, nullptr, block.line)) *ok = false;
    b.model.sink = saved;
    if (depth >= 16) return written;
    std::string out;
    size_t at = 0;
    const std::string lower = LowerCase(written);
    for (;;) {
        const size_t open = lower.find("<script", at);
        if (open == std::string::npos) break;
        const size_t openEnd = lower.find('>', open);
        const size_t close = openEnd == std::string::npos ? std::string::npos : lower.find("</script", openEnd);
        const size_t closeEnd = close == std::string::npos ? std::string::npos : lower.find('>', close);
        if (closeEnd == std::string::npos) break;
        out.append(written, at, open - at);
        at = closeEnd + 1;
        // The attributes of the written tag, read the simple way.
        const std::string tag = written.substr(open, openEnd - open);
        auto attribute = [&](const char *name) -> std::string {
            const std::string l = LowerCase(tag);
            size_t p = l.find(std::string(" ") + name);
            if (p == std::string::npos) return "";
            p = l.find('=', p);
            if (p == std::string::npos) return "";
            p++;
            while (p < tag.size() && tag[p] == ' ') p++;
            const char quote = p < tag.size() && (tag[p] == '"' || tag[p] == '\'') ? tag[p] : 0;
            if (quote) p++;
            size_t e = p;
            while (e < tag.size() && (quote ? tag[e] != quote : tag[e] != ' ' && tag[e] != '>')) e++;
            return tag.substr(p, e - p);
        };
        const std::string language = attribute("language");
        if (!LanguageRuns(language.empty() ? nullptr : language.c_str())) continue;
        ScriptBlock inner;
        inner.origin = block.origin + " (written)";
        const std::string src = attribute("src");
        std::string error;
        if (!src.empty()) {
            if (!ReadSource(b, src, &inner.text, &error)) {
                std::fprintf(stderr, "duriz: %s: script %s: %s\n", b.name.c_str(), src.c_str(), error.c_str());
                *ok = false;
                continue;
            }
            inner.origin = src;
        } else {
            inner.text = written.substr(openEnd + 1, close - openEnd - 1);
        }
        out += RunCaught(b, run, inner, depth + 1, ok);
    }
    out.append(written, at, std::string::npos);
    return out;
}

// The page's address: a file: URL of its absolute path.
std::string FileAddress(const std::string &name) {
    std::string path = name == "<stdin>" ? "" : name;
    if (path.empty() || path[0] != '/') {
        char *cwd = getcwd(nullptr, 0);
        std::string dir = cwd ? cwd : "";
        std::free(cwd);
        if (path.compare(0, 2, "./") == 0) path = path.substr(2);
        path = dir + "/" + path;
    }
    return ResolveAddress("file://" + path, "");
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
    Builder b(model, name, page);
    const std::string url = FileAddress(name);
    model.pageAddress = url;
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
        if (s.run) out += RunCaught(b, quiet, s, 0, &ok);
        at = s.end;
    }
    out.append(html, at, std::string::npos);
    FreeHtml(parsed);
    out += model.shownLater;
    model.shownLater.clear();
    std::fwrite(out.data(), 1, out.size(), stdout);
    // The page has loaded: its onload handler, the scripts given with -e,
    // the timers, then the events asked for, each followed by the timers.
    model.loaded = true;
    if (model.Find(1)->handlers.count(DURIZ_NAME_ONLOAD) && !FireEvent(model, run, "window:onload")) ok = false;
    for (size_t i = 0; i < page.afterLoad.size(); i++)
        if (!RunScript(model, quiet, "-e", page.afterLoad[i])) ok = false;
    if (!RunTimers(model, run)) ok = false;
    for (const std::string &e : page.events) {
        if (!FireEvent(model, run, e)) ok = false;
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
