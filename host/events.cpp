#include "events.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "duriz.h"

const HandlerName kHandlers[12] = {
    {"onclick", DURIZ_NAME_ONCLICK},     {"onchange", DURIZ_NAME_ONCHANGE},     {"onfocus", DURIZ_NAME_ONFOCUS},
    {"onblur", DURIZ_NAME_ONBLUR},       {"onsubmit", DURIZ_NAME_ONSUBMIT},     {"onreset", DURIZ_NAME_ONRESET},
    {"onload", DURIZ_NAME_ONLOAD},       {"onunload", DURIZ_NAME_ONUNLOAD},     {"onabort", DURIZ_NAME_ONABORT},
    {"onerror", DURIZ_NAME_ONERROR},     {"onmouseover", DURIZ_NAME_ONMOUSEOVER}, {"onmouseout", DURIZ_NAME_ONMOUSEOUT}};

namespace {

// The handle of what a user names in --event: a path as --dump-model prints
// it (form0.elements1), with forms0, forms[0] and elements[1] as well, or
// by NAME: a form, image or link's, then an element's within a form
// (myform.email); 0 when nothing has that name.
uint32_t FindTarget(Model &model, std::string path) {
    for (const char *prefix : {"window.document.", "document.", "window."})
        if (path.compare(0, std::strlen(prefix), prefix) == 0 && path.size() > std::strlen(prefix)) {
            path = path.substr(std::strlen(prefix));
            break;
        }
    std::string plain;  // [N] read as N
    for (char c : path)
        if (c != '[' && c != ']') plain += c;
    if (plain.compare(0, 5, "forms") == 0 && plain.size() > 5 && std::isdigit(static_cast<unsigned char>(plain[5])))
        plain = "form" + plain.substr(5);
    if (plain == "window") return 1;
    if (plain == "document") return 2;
    if (uint32_t handle = model.ByPath(plain)) return handle;
    // By names, one step at a time.
    std::vector<std::string> steps;
    for (size_t start = 0;;) {
        const size_t dot = plain.find('.', start);
        steps.push_back(plain.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    const HostNode *at = nullptr;
    for (const std::string &step : steps) {
        const HostNode *found = nullptr;
        if (uint32_t handle = model.ByPath(at ? at->path + "." + step : step)) found = model.Find(handle);
        for (const HostNode &n : model.nodes_) {
            if (found) break;
            auto name = n.scalars.find(DURIZ_NAME_NAME);
            if (name == n.scalars.end() || name->second.text != step || n.path.empty()) continue;
            // At the top a form, image or link; within a form its elements
            // (a group before the elements it holds).
            const bool top = !at && (n.classNumber == DURIZ_CLASS_FORM || n.classNumber == DURIZ_CLASS_IMAGE ||
                                     n.classNumber == DURIZ_CLASS_LINK);
            const bool inside = at && n.parent == at->handle && n.classNumber != DURIZ_CLASS_OPTION;
            if (top || (inside && (n.classNumber == DURIZ_CLASS_ELEMENT_GROUP || !found))) found = &n;
        }
        if (at && found && found->classNumber != DURIZ_CLASS_ELEMENT_GROUP) {
            // An element of a group: the group stands for the name.
            for (const HostNode &n : model.nodes_)
                if (n.classNumber == DURIZ_CLASS_ELEMENT_GROUP && n.parent == at->handle &&
                    n.scalars.count(DURIZ_NAME_NAME) && n.scalars.at(DURIZ_NAME_NAME).text == step)
                    found = &n;
        }
        if (!found) return 0;
        at = found;
    }
    return at ? at->handle : 0;
}

int EventIndex(const std::string &event) {
    for (const HandlerName &h : kHandlers)
        if (event == h.attribute) return h.nameIndex;
    return -1;
}

// What a click does beyond its handler: a submit or reset button, a link.
bool Clickable(const HostNode &node) {
    return node.classNumber == DURIZ_CLASS_SUBMIT || node.classNumber == DURIZ_CLASS_RESET ||
           node.classNumber == DURIZ_CLASS_LINK;
}

// Every object with events to fire, in document order, for the message
// about a path or event that does not exist.
std::string EventTargets(const Model &model) {
    std::vector<const HostNode *> nodes;
    for (const HostNode &n : model.nodes_) nodes.push_back(&n);
    std::stable_sort(nodes.begin(), nodes.end(), [](const HostNode *a, const HostNode *b) { return a->order < b->order; });
    std::string out;
    for (const HostNode *n : nodes) {
        std::string events;
        for (const HandlerName &h : kHandlers) {
            const bool implied = (h.nameIndex == DURIZ_NAME_ONCLICK && Clickable(*n)) ||
                                 (n->classNumber == DURIZ_CLASS_FORM &&
                                  (h.nameIndex == DURIZ_NAME_ONSUBMIT || h.nameIndex == DURIZ_NAME_ONRESET));
            if (n->handlers.count(h.nameIndex) || implied) events += std::string(events.empty() ? "" : " ") + h.attribute;
        }
        if (events.empty() || n->path.empty()) continue;
        auto name = n->scalars.find(DURIZ_NAME_NAME);
        out += (out.empty() ? "" : ", ") + n->path;
        if (name != n->scalars.end() && !name->second.isNumber && !name->second.text.empty())
            out += " (" + name->second.text + ")";
        out += ": " + events;
    }
    return out.empty() ? "nothing" : out;
}

// Runs a node's handler for an event; answers the status (DURIZ_DONE_FALSE
// when it answered false), and false in *ok when it failed.
int RunHandler(Model &model, const RunSettings &run, const std::string &request, HostNode *node, int nameIndex,
               bool *ok) {
    JsValue *handler = JS_NewInstance(node->handlers[nameIndex]);  // the handler may replace itself
    JsEvalContext *context = JS_CreateEvalContext(model.Window(), nullptr, handler, node->object);
    int rc = DURIZ_RUNTIME_ERROR;
    if (context) {
        JsValue *value = nullptr;
        rc = EvaluateContext(context, run, request, &value);
        if (rc == DURIZ_BUSY) *ok = false;
        JS_DeleteObject(value);
        JS_DeleteEvalContext(context);
        if (rc == DURIZ_RUNTIME_ERROR) *ok = false;
        PrintRuntimeErrors(request, std::string_view(), 1);
    } else {
        *ok = false;
    }
    JS_DeleteObject(handler);
    return rc;
}

// A form's elements back to what the page gave them.
void ResetForm(Model &model, uint32_t form) {
    for (HostNode &n : model.nodes_) {
        if (n.parent != form) continue;
        if (n.scalars.count(DURIZ_NAME_DEFAULTVALUE)) SetText(&n, DURIZ_NAME_VALUE, n.scalars[DURIZ_NAME_DEFAULTVALUE].text);
        if (n.scalars.count(DURIZ_NAME_DEFAULTCHECKED))
            SetNumber(&n, DURIZ_NAME_CHECKED, n.scalars[DURIZ_NAME_DEFAULTCHECKED].number);
        if (n.classNumber != DURIZ_CLASS_SELECT) continue;
        int selected = -1;
        for (uint32_t option : n.options) {
            HostNode *o = model.Find(option);
            const int on = o->scalars[DURIZ_NAME_DEFAULTSELECTED].number;
            SetNumber(o, DURIZ_NAME_SELECTED, on);
            if (on && selected < 0) selected = o->scalars[DURIZ_NAME_INDEX].number;
        }
        if (selected < 0 && !n.options.empty() && n.scalars[DURIZ_NAME_TYPE].text == "select-one") {
            selected = 0;
            SetNumber(model.Find(n.options.front()), DURIZ_NAME_SELECTED, 1);
        }
        SetNumber(&n, DURIZ_NAME_SELECTEDINDEX, selected);
    }
}

// A %XX escape of an address read as its byte.
std::string Unescaped(const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

// Fires PATH:EVENT as a user's action: the handler, then what the action
// does unless the handler answered false (a submit or reset button submits
// or resets its form, a link is followed). False when the target cannot be
// found or something had an error.
bool FireEvent(Model &model, const RunSettings &run, const std::string &request) {
    const size_t colon = request.rfind(':');
    const std::string path = colon == std::string::npos ? request : request.substr(0, colon);
    const std::string event = LowerCase(colon == std::string::npos ? "" : request.substr(colon + 1));
    HostNode *node = model.Find(FindTarget(model, path));
    const int nameIndex = EventIndex(event);
    if (!node || nameIndex < 0) {
        std::fflush(stdout);
        std::fprintf(stderr, "duriz: --event %s: no %s %s; events to fire: %s\n", request.c_str(),
                     node ? "event" : "object", node ? (event.empty() ? "given" : event.c_str()) : path.c_str(),
                     EventTargets(model).c_str());
        return false;
    }
    const bool submitting = (nameIndex == DURIZ_NAME_ONCLICK && node->classNumber == DURIZ_CLASS_SUBMIT) ||
                            (nameIndex == DURIZ_NAME_ONSUBMIT && node->classNumber == DURIZ_CLASS_FORM);
    const bool resetting = (nameIndex == DURIZ_NAME_ONCLICK && node->classNumber == DURIZ_CLASS_RESET) ||
                           (nameIndex == DURIZ_NAME_ONRESET && node->classNumber == DURIZ_CLASS_FORM);
    const bool following = nameIndex == DURIZ_NAME_ONCLICK && node->classNumber == DURIZ_CLASS_LINK;
    if (!node->handlers.count(nameIndex) && !submitting && !resetting && !following) {
        std::fflush(stdout);
        std::fprintf(stderr, "duriz: --event %s: %s has no %s handler; events to fire: %s\n", request.c_str(),
                     node->path.c_str(), event.c_str(), EventTargets(model).c_str());
        return false;
    }
    bool ok = true;
    const uint32_t handle = node->handle;
    if (node->handlers.count(nameIndex) && RunHandler(model, run, request, node, nameIndex, &ok) == DURIZ_DONE_FALSE)
        return ok;
    node = model.Find(handle);
    const uint32_t form = node->classNumber == DURIZ_CLASS_FORM ? handle : node->parent;
    HostNode *formNode = model.Find(form);
    if ((submitting || resetting) && formNode && formNode->classNumber == DURIZ_CLASS_FORM) {
        const int formEvent = submitting ? DURIZ_NAME_ONSUBMIT : DURIZ_NAME_ONRESET;
        // A button's click goes on to its form's handler.
        if (form != handle && formNode->handlers.count(formEvent) &&
            RunHandler(model, run, request, formNode, formEvent, &ok) == DURIZ_DONE_FALSE)
            return ok;
        if (resetting) ResetForm(model, form);
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", submitting ? "submit" : "reset", model.Find(form)->path.c_str());
    }
    if (following) {
        const std::string href = node->scalars[DURIZ_NAME_HREF].text;
        if (LowerCase(href.substr(0, 11)) == "javascript:") {
            RunSettings quiet = run;
            quiet.result = false;
            if (!RunScript(model, quiet, request, Unescaped(href.substr(11)))) ok = false;
        } else {
            std::fflush(stdout);
            std::fprintf(stderr, "location: %s\n", href.c_str());
        }
    }
    return ok;
}

