#include "builtins/function.h"

#include <cstdint>
#include <cstring>

#include "builtins/host_object.h"
#include "compiler/parser.h"
#include "compiler/script.h"
#include "compiler/token.h"
#include "duriz.h"
#include "engine/shared.h"
#include "values/array.h"
#include "values/cycles.h"
#include "values/object.h"

JsFunction *JsFunction::MakeNative(int32_t id) {
    JsFunction *f = new JsFunction();
    if (f) f->id = id;
    return f;
}

JsFunction *JsFunction::MakeScript(JsToken *definition, JsScript *script) {
    JsFunction *f = new JsFunction();
    if (!f) return nullptr;
    // Each script function has a prototype object and an object of its own
    // for the members scripts store on it.
    JsObject *prototype = new JsObject();
    JsObject *members = prototype ? new JsObject() : nullptr;
    if (!members) {
        delete prototype;
        delete f;
        return nullptr;
    }
    prototype->refs = 1;
    members->refs = 1;
    f->prototype = prototype;
    f->members = members;
    f->definition = definition;
    f->script = script;
    if (script) script->refs++;
    return f;
}

void JsFunction::BindToWindow(JsHostObject *window) {
    Unbind();
    if (!window) return;
    boundWindow = window;
    nextBound = window->boundFunctions;
    if (nextBound) nextBound->prevBound = this;
    window->boundFunctions = this;
}

void JsFunction::Unbind() {
    if (!boundWindow) return;
    if (prevBound) prevBound->nextBound = nextBound;
    else boundWindow->boundFunctions = nextBound;
    if (nextBound) nextBound->prevBound = prevBound;
    boundWindow = nullptr;
    nextBound = prevBound = nullptr;
}

JsObject *JsFunction::HomeWindow() {
    if (owner && owner->HasClass() && static_cast<JsClassObject *>(owner)->ClassNumber() == DURIZ_CLASS_WINDOW)
        return owner;
    return boundWindow;
}

JsToken *JsFunction::Body() {
    if (id >= kFirstConstructorId) return nullptr;
    if (id >= kFirstNativeId) return g_shared.nativeBody;
    if (!definition || !script || script->released) return nullptr;
    return definition->LastChild();
}

namespace {

// The name a declaration gives to a local: `var name`, `var name = ...`,
// `for (name in ...)` and `for (var name in ...)`; else null.
const char *DeclaredName(const JsToken *node) {
    const JsToken *first = node->FirstChild();
    if (!first) return nullptr;
    if (node->code == TK_FOR_IN && first->code == TK_VAR) first = first->FirstChild();
    else if (node->code == TK_VAR && first->code == TK_ASSIGN) first = first->FirstChild();
    return first && first->code == TK_IDENT && first->text ? first->text : nullptr;
}

// The node after node in a walk of body's subtree, without recursion
// (null at the end); node's own children are skipped unless descend.
JsToken *NextInBody(JsToken *node, const JsToken *body, bool descend) {
    if (descend && node->FirstChild()) return node->FirstChild();
    while (node != body && !node->Next()) node = node->Parent();
    return node == body ? nullptr : node->Next();
}

}  // namespace

int32_t JsFunction::LocalIndex(const char *name) const {
    for (int32_t i = 0; i < localCount; i++)
        if (std::strcmp(localNames[i], name) == 0) return i;
    return -1;
}

void JsFunction::LearnLocals() {
    JsToken *body = Body();
    if (!body || body->code == TK_NATIVE_BODY) {
        declares = 1;  // nothing to look at
        return;
    }
    // Every node below the body, without recursion: first counted, then
    // the names taken.
    bool found = false;
    int32_t room = 0;
    for (int pass = 0; pass < 2; pass++) {
        for (JsToken *node = body; node; node = NextInBody(node, body, true)) {
            if (node->code == TK_VAR || node->code == TK_FOR_IN) {
                found = true;
                if (const char *name = DeclaredName(node)) {
                    if (pass == 0) room++;
                    else if (LocalIndex(name) < 0) localNames[localCount++] = name;
                }
            }
        }
        if (pass == 0) {
            if (!room) break;
            localNames = static_cast<const char **>(JsMalloc(room * sizeof(const char *)));
            if (!localNames) break;  // the locals are then a plain object
        }
    }
    declares = found ? 1 : 0;
    if (localCount > 0 && localCount <= INT16_MAX) MarkCells(body);
}

void JsFunction::MarkCells(JsToken *body) {
    // Each identifier of the body learns its cell once, so that a look-up
    // need not search the names. A function defined inside the body has
    // cells of its own and marks its identifiers itself.
    for (JsToken *node = body; node; node = NextInBody(node, body, node->code != TK_FUNCTION || node == body)) {
        if (node->code == TK_IDENT && node->text) {
            node->id.cell = static_cast<int16_t>(LocalIndex(node->text));
            node->numberKnown |= JsToken::kCellKnown;
        }
    }
}

bool JsFunction::BodyDeclares() {
    if (declares < 0) LearnLocals();
    return declares != 0;
}

int32_t JsFunction::LocalCount() {
    if (declares < 0) LearnLocals();
    return localCount;
}

const char **JsFunction::LocalNames() {
    if (declares < 0) LearnLocals();
    return localNames;
}

const char *JsFunction::FindParamName(int i) {
    if (!definition || i < 1) return nullptr;
    if (!paramsLearnt) LearnParams();
    if (paramNames) return i <= paramCount ? paramNames[i - 1] : nullptr;
    return FindParam(ParamList(), i);
}

int JsFunction::ParameterCount() {
    JsToken *params = definition ? ParamList() : nullptr;
    return !params ? 0 : params->code == TK_IDENT ? 1 : params->ChildCount();
}

void JsFunction::LearnParams() {
    paramsLearnt = true;
    JsToken *params = ParamList();
    const int32_t n = ParameterCount();
    if (!n) return;
    paramNames = static_cast<const char **>(JsMalloc(n * sizeof(const char *)));
    if (!paramNames) return;  // found one by one instead
    for (int32_t k = 0; k < n; k++) paramNames[k] = FindParam(params, k + 1);
    paramCount = n;
}

JsToken *JsFunction::ParamList() {
    JsToken *name = definition->FirstChild();
    JsToken *params = name ? name->Next() : nullptr;
    return params && (params->code == TK_IDENT || params->code == TK_COMMA) ? params : nullptr;
}

const char *JsFunction::FindParam(JsToken *params, int i) {
    if (!params) return nullptr;
    if (params->code == TK_IDENT) return i == 1 ? params->text : nullptr;
    for (JsToken *p = params->FirstChild(); p; p = p->Next())
        if (--i == 0) return p->code == TK_IDENT ? p->text : nullptr;
    return nullptr;
}

JsArray *JsFunction::TakeKeptList() {
    JsArray *list = kept;
    if (!list) return nullptr;
    kept = list->nextKept;
    list->nextKept = nullptr;
    keptCount--;
    list->refs--;  // the taker counts it again
    return list;
}

bool JsFunction::KeepList(JsArray *list) {
    if (keptCount >= kKeptLists || list->refs != 1 || !list->argumentList) return false;
    list->Kept();
    list->nextKept = kept;
    kept = list;
    keptCount++;
    return true;
}

void JsFunction::DropKeptLists() {
    JsArray *list = kept;
    kept = nullptr;
    keptCount = 0;
    while (list) {
        JsArray *next = list->nextKept;
        list->nextKept = nullptr;
        ReleaseHeld(list);
        list = next;
    }
}

void JsFunction::ForEachReference(Visitor visit, void *context) {
    visit(prototype, context);
    visit(members, context);
    visit(owner, context);
    for (JsArray *list = kept; list; list = list->nextKept) visit(list, context);
    visit(keptLocals, context);
}

JsFunction::~JsFunction() {
    Unbind();
    JsFree(paramNames);
    JsFree(localNames);
    DropKeptLists();
    ReleaseHeld(keptLocals);
    ReleaseHeld(prototype);
    ReleaseHeld(members);
    JsScript::Release(script);
    ReleaseHeld(owner);
}

const char *JsFunction::ToText() {
    static char text[1024];
    const JsToken *name = definition ? definition->FirstChild() : nullptr;
    if (id == 0 && name && name->code == TK_IDENT && name->text) {
        // "function NAME() {...}"; a very long name is cut to fit.
        size_t length = std::strlen(name->text);
        if (length > 1006) length = 1006;
        std::memcpy(text, "function ", 9);
        std::memcpy(text + 9, name->text, length);
        std::memcpy(text + 9 + length, "() {...}", 9);
        return text;
    }
    return g_shared.typeFunction->ToText();
}

JsString *JsFunction::TypeName() { return g_shared.typeFunction; }

JsObject *JsFunction::Prototype() {
    if (prototype) return prototype;
    if (id >= kFirstConstructorId && id < kFirstConstructorId + kConstructorCount)
        return g_shared.prototypes[id - kFirstConstructorId];
    return nullptr;
}

JsFunction *NativeFunction(int id) {
    if (id >= kFirstNativeId && id < kFirstNativeId + kNativeCount) return g_shared.natives[id - kFirstNativeId];
    if (id >= kFirstConstructorId && id < kFirstConstructorId + kConstructorCount)
        return g_shared.constructors[id - kFirstConstructorId];
    return nullptr;
}

// ---- source functions ----

namespace {

// Appends a parameter name node to the definition's parameter list. The
// name is taken as written, with its backslash escapes resolved.
bool AddParameter(JsScript *script, JsToken *list, const char *name) {
    const size_t length = std::strlen(name);
    JsToken *node = NewNode(script, TK_IDENT, name, static_cast<ptrdiff_t>(length));
    if (!node) return false;
    if (node->text) ResolveEscapes(node->text, length);
    node->AppendToParent(list);
    return true;
}

}  // namespace

JsSourceFunction *JsSourceFunction::Make(JsObject *arguments) {
    JsSourceFunction *f = new JsSourceFunction();
    if (!f) return nullptr;
    JsObject *prototype = new JsObject();
    if (!prototype) {
        delete f;
        return nullptr;
    }
    prototype->refs = 1;
    f->prototype = prototype;

    JsScript *script = JsScript::Create(0, 0);
    if (!script) return f;
    f->script = script;  // the function holds the script's first count
    script->silent = 1;
    JsToken *root = script->root;
    root->code = TK_FUNCTION;
    JsToken *block = NewNode(script, TK_BLOCK, nullptr, -1);
    if (!block) return f;
    block->AppendToParent(root);
    script->cursor = block;

    JsProperty *last = arguments ? static_cast<JsProperty *>(arguments->properties.Last()) : nullptr;
    const char *body = last && last->value ? last->value->ToText() : "";
    if (!body) body = "";
    const char *position = body;
    if (Compile(script, &position, body + std::strlen(body), 0) != RC_OK) return f;

    JsToken *name = NewNode(script, TK_IDENT, "", 0);
    if (!name) return f;
    name->InsertBeforeSibling(block);
    if (last && last != arguments->FirstProperty()) {
        JsToken *params = NewNode(script, TK_COMMA, nullptr, -1);
        if (!params) return f;
        params->InsertBeforeSibling(block);
        for (JsProperty *p = arguments->FirstProperty(); p != last; p = p->Next()) {
            const char *text = p->value ? p->value->ToText() : nullptr;
            if (!AddParameter(script, params, text ? text : "")) return f;
        }
    }
    f->definition = root;
    return f;
}

// ---- event handlers ----

namespace {
template <typename T>
T *Counted(T *value) {
    if (value) value->refs++;
    return value;
}
}  // namespace

JsEventHandler *JsEventHandler::Make(int32_t id, JsScript *script, JsObject *owner) {
    JsEventHandler *h = new JsEventHandler();
    if (!h) return nullptr;
    h->id = id;
    h->script = script;
    if (script) script->refs++;
    h->owner = Counted(owner);
    return h;
}

JsEventHandler *JsEventHandler::CopyOf(JsFunction *source) {
    JsEventHandler *h = new JsEventHandler();
    if (!h || !source) return h;
    h->id = source->id;
    h->owner = Counted(source->owner);
    h->prototype = Counted(source->Prototype());
    h->members = Counted(source->members);
    h->definition = source->definition;
    h->BindToWindow(source->boundWindow);
    h->script = source->script;
    if (h->script) h->script->refs++;
    return h;
}

JsToken *JsEventHandler::Body() {
    if (definition) {
        if (!script || script->released) return nullptr;
        return definition->LastChild();
    }
    if (!script || script->released || !script->root) return nullptr;
    JsToken *root = script->root;
    if (root->code == TK_FUNCTION) return root->LastChild();
    return root;
}
