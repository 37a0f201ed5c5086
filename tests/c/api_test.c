/* The exports driven by a host written in plain C: loading in chunks,
   contexts, evaluation, the step budget, errors, host objects and their
   callbacks (handles chosen to use all 32 bits), event handlers, heaps, the
   dialog guard, and restarting the engine. Linked against the shared
   library; or, with DURIZ_LOADED, loading it at run time as a browser does
   (LoadLibraryA on Windows, dlopen elsewhere), which must do nothing until
   JS_Init: the library can be loaded, freed and loaded again, starts no
   thread and exports exactly the 18 functions of the interface. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* A check that counts its failures and names the line; main returns
   failures ? 1 : 0. */
static int failures;
#define CHECK(cond) \
    ((cond) ? (void)0 : (void)(fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond), failures++))
#ifdef DURIZ_LOADED
#include "../windows/engine_loader.h"
static struct Engine engine;
#define JS(export) engine.export
#else
#include "duriz.h"
#define JS(export) JS_##export
#endif

#define WINDOW_HANDLE 0xFFFFFFF0u
#define DOCUMENT_HANDLE 0x80000001u
#define IMAGE_HANDLE 0x7FFFFFFEu

/* ---- a small host ---- */

/* The last call of each kind: its handle, name index and class number. */
struct Call {
    uint32_t handle;
    int name, classNumber;
};
static struct Call got, got_object, set;
static uint32_t error_handle, method_handle;
static int error_code, error_count;
static char error_text[1100];
static int DURIZ_CALL on_error(uint32_t handle, int code, const char *text) {
    error_code = code, error_handle = handle, error_count++;
    snprintf(error_text, sizeof error_text, "%s", text ? text : "");
    return 0;
}

static char title[64] = "start";
static int DURIZ_CALL get_property(uint32_t handle, int nameIndex, int classNumber, const char **text,
                                   int32_t *number) {
    got.handle = handle, got.name = nameIndex, got.classNumber = classNumber;
    if (nameIndex == DURIZ_NAME_OWN_VALUE) *text = handle == IMAGE_HANDLE ? "pic" : NULL;
    if (nameIndex == DURIZ_NAME_TITLE) *text = title;
    if (nameIndex == DURIZ_NAME_WIDTH) *number = 120;
    return nameIndex == DURIZ_NAME_OWN_VALUE ? handle == IMAGE_HANDLE
                                             : nameIndex == DURIZ_NAME_TITLE || nameIndex == DURIZ_NAME_WIDTH;
}

static JsValue *document_object, *opener_window;
static JsValue *DURIZ_CALL get_object(uint32_t handle, int nameIndex, int classNumber) {
    got_object.handle = handle, got_object.name = nameIndex, got_object.classNumber = classNumber;
    return nameIndex == DURIZ_NAME_OPENER ? opener_window : nameIndex == DURIZ_NAME_DOCUMENT ? document_object : NULL;
}

static int set_op, set_name;
static JsValue *set_handler;
static char set_text[64];
static const char *DURIZ_CALL set_property(uint32_t handle, int nameIndex, int classNumber, const char *text,
                                           JsValue *handler, int op) {
    set.handle = handle, set.name = nameIndex, set.classNumber = classNumber;
    set_op = op, set_name = nameIndex;
    JS(DeleteObject)(set_handler);
    set_handler = JS(NewInstance)(handler);
    snprintf(set_text, sizeof set_text, "%s", text ? text : "(none)");
    if (nameIndex != DURIZ_NAME_TITLE || !text) return text;
    /* The host applies the operator; the engine keeps what comes back. */
    if (op != DURIZ_OP_ADD_ASSIGN) title[0] = 0;
    return strncat(title, text, sizeof title - strlen(title) - 1);
}

static int method_id, closed_answer = 1, dialog_probe_status;
static char method_args[64];
static JsEvalContext *probe_context;
static intptr_t DURIZ_CALL call_method(uint32_t handle, uint32_t handle2, int methodId, JsValue *args,
                                       const char **text, int32_t *number) {
    int n = 0;
    char first[16];
    (void)handle2;
    method_id = methodId, method_handle = handle;
    /* The count, then the first and last arguments, as a host reads them. */
    snprintf(method_args, sizeof method_args, "none");
    if (args) {
        while (JS(GetObjectStringValue)(args, n + 1, 1)) n++;
        snprintf(first, sizeof first, "%s", n ? JS(GetObjectStringValue)(args, 1, 1) : "-");
        snprintf(method_args, sizeof method_args, "%d %s %s", n, first, n ? JS(GetObjectStringValue)(args, n, 1) : "-");
    }
    if (methodId == DURIZ_METHOD_CLOSED) return closed_answer;
    if (methodId == DURIZ_NATIVE_WINDOW_ALERT && probe_context) {
        JsValue *r;
        dialog_probe_status = JS(Evaluate)(probe_context, &r);
    }
    if (methodId == DURIZ_NATIVE_WINDOW_SETTIMEOUT) *number = 42;
    if (methodId == DURIZ_NATIVE_WINDOW_PROMPT) *text = "typed";
    return 0; /* confirm answers false */
}

static size_t heap_bytes;
static void *DURIZ_CALL host_alloc(uintptr_t heap, size_t size) {
    static char arena[1 << 16];
    (void)heap;
    size = (size + 15) & ~(size_t)15;
    if (heap_bytes + size > sizeof arena) return NULL;
    return arena + (heap_bytes += size) - size;
}

static JsScript *compile(const char *text) {
    const char *pos = text;
    JsScript *script = JS(CreateScript)(0);
    if (JS(LoadScript)(script, &pos, text + strlen(text), 0) == DURIZ_OK) return script;
    JS(DeleteScript)(script);
    return NULL;
}

/* Runs text in the window to completion; the status, the value's text in out. */
static char out[256];
static int run(JsValue *window, const char *text) {
    JsScript *script = compile(text);
    JsEvalContext *context;
    JsValue *value = NULL;
    int status;
    out[0] = 0;
    if (!script) return DURIZ_SYNTAX_ERROR;
    context = JS(CreateEvalContext)(window, script, NULL, NULL);
    do JS(DeleteObject)(value), status = JS(Evaluate)(context, &value);
    while (status == DURIZ_BUSY);
    if (value) snprintf(out, sizeof out, "%s", JS(GetStringValue)(value));
    JS(DeleteObject)(value);
    JS(DeleteEvalContext)(context);
    JS(DeleteScript)(script);
    return status;
}
#define RUNS(window, text, status, value) CHECK(run(window, text) == (status) && strcmp(out, value) == 0)

/* One JS_Evaluate of context: the status, and the value's text ("-" for none). */
static int evaluate(JsEvalContext *context, const char *want) {
    JsValue *value = NULL;
    const int status = JS(Evaluate)(context, &value);
    const int same = strcmp(value ? JS(GetStringValue)(value) : "-", want) == 0;
    JS(DeleteObject)(value);
    return same ? status : -status;
}

/* ---- the tests ---- */

static void loading_and_null_handles(void) {
    const char *good = "var x = 1; function f(a, b) { return a + b; }", *bad = "x = 1 }", *pos = "";
    JsValue *value = (JsValue *)&value;
    JsScript *script = JS(CreateScript)(0);
    CHECK(JS(LoadScript)(NULL, &pos, pos, 0) == DURIZ_NULL_HANDLE);
    CHECK(JS(Evaluate)(NULL, &value) == DURIZ_NULL_HANDLE && value == NULL);
    CHECK(!JS(NewInstance)(NULL) && !JS(GetStringValue)(NULL) && !JS(GetObjectByName)(NULL, "x"));
    CHECK(!JS(GetObjectStringValue)(NULL, 1, 1) && !JS(GetObjectHandleValue)(NULL, 1, 0));
    CHECK(JS(CreateObject)(5, 1, NULL) == NULL); /* no host class 5 */
    JS(DeleteScript)(NULL);
    JS(DeleteEvalContext)(NULL);
    JS(DeleteObject)(NULL);
    pos = good;
    CHECK(JS(LoadScript)(script, &pos, good + 10, 1) == DURIZ_MORE_TEXT);
    CHECK(JS(LoadScript)(script, &pos, good + strlen(good), 0) == DURIZ_OK && pos == good + strlen(good));
    JS(DeleteScript)(script);
    /* A syntax error is reported once, with handle 0, however often asked. */
    script = JS(CreateScript)(0);
    pos = bad;
    error_count = 0;
    CHECK(JS(LoadScript)(script, &pos, bad + strlen(bad), 0) == DURIZ_SYNTAX_ERROR);
    CHECK(JS(LoadScript)(script, &pos, bad + strlen(bad), 0) == DURIZ_SYNTAX_ERROR);
    CHECK(error_count == 1 && error_code == DURIZ_SYNTAX_ERROR && error_handle == 0);
    JS(DeleteScript)(script);
    pos = "return false"; /* only a handler may return at the top */
    script = JS(CreateScript)(0);
    CHECK(JS(LoadScript)(script, &pos, pos + 12, 0) == DURIZ_SYNTAX_ERROR);
    JS(DeleteScript)(script);
}

static void contexts_results_and_budget(JsValue *window) {
    JsScript *script = compile("function f(a) { return a } x = 1");
    JsEvalContext *context;
    JsValue *f;
    size_t n = 8000, i;
    char *text = malloc(n * 8 + 16);
    CHECK(script && !JS(CreateEvalContext)(NULL, script, NULL, NULL) && !JS(CreateEvalContext)(window, NULL, NULL, NULL));
    context = JS(CreateEvalContext)(window, script, NULL, NULL);
    /* Declarations are on the global before anything runs. */
    f = JS(GetObjectByName)(window, "f");
    CHECK(f != NULL && strcmp(JS(GetStringValue)(f), "function f() {...}") == 0);
    /* The context keeps the script alive after the host lets go; a finished
       run starts again from the top. */
    JS(DeleteScript)(script);
    CHECK(evaluate(context, "1") == DURIZ_DONE && evaluate(context, "1") == DURIZ_DONE);
    JS(DeleteEvalContext)(context);
    RUNS(window, "1 == 1", DURIZ_DONE_TRUE, "true");
    RUNS(window, "1 == 2", DURIZ_DONE_FALSE, "false");
    RUNS(window, "null", DURIZ_DONE, "");
    RUNS(window, "void 0", DURIZ_DONE, "");
    RUNS(window, "", DURIZ_DONE, "");
    RUNS(window, "function g() { } g()", DURIZ_DONE, "");
    RUNS(window, "'a' + 1", DURIZ_DONE, "a1");
    /* 8000 bare literals: the 8000th push ends the first run; one fewer
       finishes at once. */
    for (text[0] = 0, i = 1; i <= n; i++) sprintf(text + strlen(text), "%d;", (int)i);
    for (i = 0; i < 2; i++) {
        script = compile(text);
        context = JS(CreateEvalContext)(window, script, NULL, NULL);
        CHECK(i ? evaluate(context, "7999") == DURIZ_DONE
                : evaluate(context, "-") == DURIZ_BUSY && evaluate(context, "8000") == DURIZ_DONE);
        JS(DeleteEvalContext)(context);
        JS(DeleteScript)(script);
        strrchr(text, '8')[0] = 0;
        text[strlen(text) - 1] = 0; /* drop the trailing ';' of 7999 */
    }
    free(text);
}

static void errors_and_handlers(JsValue *window) {
    JsValue *handler = JS(LoadEventHandler)(5, "return false", 12, NULL);
    JsEvalContext *context;
    error_count = 0;
    CHECK(run(window, "y = nothing.here") == DURIZ_RUNTIME_ERROR);
    CHECK(error_count == 1 && error_code == DURIZ_RUNTIME_ERROR && error_handle == WINDOW_HANDLE);
    CHECK(strcmp(error_text, "nothing.here") == 0);
    /* eval and Function give nothing for a text that does not compile, and
       tell the host nothing of it. */
    error_count = 0;
    RUNS(window, "f = Function('x', ')'); typeof eval(')')", DURIZ_DONE, "undefined");
    CHECK(error_count == 0);
    CHECK(handler != NULL && JS(LoadEventHandler)(5, "x = )", 5, NULL) == NULL);
    JS(DeleteObject)(handler);
    handler = JS(LoadEventHandler)(9, "count = count + 1; count == 2", 29, window);
    RUNS(window, "count = 0", DURIZ_DONE, "0");
    context = JS(CreateEvalContext)(window, NULL, handler, NULL);
    CHECK(context != NULL);
    CHECK(evaluate(context, "false") == DURIZ_DONE_FALSE && evaluate(context, "true") == DURIZ_DONE_TRUE);
    JS(DeleteEvalContext)(context);
    JS(DeleteObject)(handler); /* the script goes with the last holder */
}

/* A function declared at the top level of a window's script runs in that
   window wherever it is called from: by name through a variable of another
   window, as a member, or as a handler of another window's context; a
   window given back before its function leaves it running in the window
   that calls it. A declaration named after a member the host keeps costs
   nothing that stays behind. */
static void bound_functions(JsValue *window) {
    JsValue *other = JS(CreateObject)(DURIZ_CLASS_WINDOW, 3, NULL);
    JsEvalContext *context;
    RUNS(window, "where = 'first'; function who() { return where + ',' + typeof other }", DURIZ_DONE, "");
    opener_window = window;
    RUNS(other, "where = 'second'; other = 1; w = opener.who; w() + ';' + opener.who()", DURIZ_DONE,
         "first,null;first,null");
    context = JS(CreateEvalContext)(other, NULL, JS(GetObjectByName)(window, "who"), NULL);
    CHECK(context && evaluate(context, "first,null") == DURIZ_DONE);
    JS(DeleteEvalContext)(context);
    opener_window = JS(CreateObject)(DURIZ_CLASS_WINDOW, 4, NULL);
    RUNS(opener_window, "where = 'gone'; function who() { return where + ',' + typeof other }", DURIZ_DONE, "");
    RUNS(other, "w = opener.who; w()", DURIZ_DONE, "gone,null");
    JS(DeleteObject)(opener_window);
    opener_window = NULL;
    RUNS(other, "w()", DURIZ_DONE, "second,number");
    JS(DeleteObject)(other);
    RUNS(window, "function status() { return 1 } function onload() { return 2 } 3", DURIZ_DONE, "3");
}

static void host_objects(JsValue *window) {
    JsValue *image;
    /* A host method reads its arguments by position from 1, and their count. */
    RUNS(window, "alert('a', 2, 'last')", DURIZ_DONE, "");
    CHECK(method_id == DURIZ_NATIVE_WINDOW_ALERT && method_handle == WINDOW_HANDLE && strcmp(method_args, "3 a last") == 0);
    RUNS(window, "alert()", DURIZ_DONE, "");
    CHECK(strcmp(method_args, "none") == 0);
    RUNS(window, "document.title", DURIZ_DONE, "start");
    CHECK(got.handle == DOCUMENT_HANDLE && got.name == DURIZ_NAME_TITLE && got.classNumber == DURIZ_CLASS_DOCUMENT);
    CHECK(got_object.handle == WINDOW_HANDLE && got_object.name == DURIZ_NAME_DOCUMENT &&
          got_object.classNumber == DURIZ_CLASS_WINDOW);
    RUNS(window, "window.status = 'ready'", DURIZ_DONE, "ready");
    CHECK(set.handle == WINDOW_HANDLE && set.name == DURIZ_NAME_STATUS && set.classNumber == DURIZ_CLASS_WINDOW);
    CHECK(set_op == DURIZ_OP_ASSIGN && strcmp(set_text, "ready") == 0);
    RUNS(window, "document.title = 'new'", DURIZ_DONE, "new");
    CHECK(set_op == DURIZ_OP_ASSIGN && set_name == DURIZ_NAME_TITLE && strcmp(title, "new") == 0);
    CHECK(set.handle == DOCUMENT_HANDLE && set.classNumber == DURIZ_CLASS_DOCUMENT);
    RUNS(window, "document.title += '!'", DURIZ_DONE, "new!");
    CHECK(set_op == DURIZ_OP_ADD_ASSIGN);
    /* Collections: appended through the API, found by position and by the
       host's own text. */
    image = JS(AddObjectIdx)(document_object, DURIZ_NAME_IMAGES, DURIZ_CLASS_IMAGE, 0, IMAGE_HANDLE, NULL);
    CHECK(image && !JS(AddObjectIdx)(document_object, DURIZ_NAME_TITLE, DURIZ_CLASS_IMAGE, 0, 8, NULL));
    CHECK(JS(CreateObject)(DURIZ_CLASS_OBJECT, 1, NULL) == NULL); /* not a host kind */
    RUNS(window, "document.images.length", DURIZ_DONE, "1");
    RUNS(window, "document.images[0].width", DURIZ_DONE, "120");
    CHECK(got.handle == IMAGE_HANDLE && got.name == DURIZ_NAME_WIDTH && got.classNumber == DURIZ_CLASS_IMAGE);
    RUNS(window, "document.pic == document.images[0]", DURIZ_DONE_TRUE, "true");
    CHECK(JS(GetObjectHandleValue)(document_object, DURIZ_NAME_FORMS, 0) != NULL);
    CHECK(JS(GetObjectHandleValue)(document_object, DURIZ_NAME_TITLE, 0) == NULL);
    CHECK(strcmp(JS(GetObjectStringValue)(document_object, DURIZ_NAME_TITLE, 0), "new!") == 0);
    CHECK(strcmp(JS(GetObjectStringValue)(image, DURIZ_NAME_WIDTH, 0), "120") == 0);
    /* Event members get a handler copied from the function; text gives none. */
    RUNS(window, "function h() { return 1 } document.images[0].onload = h", DURIZ_DONE, "function h() {...}");
    CHECK(set_name == DURIZ_NAME_ONLOAD && set_handler != NULL && strcmp(set_text, "(none)") == 0);
    CHECK(set_handler != JS(GetObjectByName)(window, "h"));
    RUNS(window, "document.images[0].onload = 'x'", DURIZ_DONE, "x");
    CHECK(set_handler == NULL);
    RUNS(window, "location = 'http://a/'", DURIZ_DONE, "http://a/");
    CHECK(set_name == DURIZ_NAME_LOCATION && strcmp(set_text, "http://a/") == 0);
    /* Read-only members are not the host's to set. */
    set_name = -1;
    RUNS(window, "window.top = 3; window.top", DURIZ_DONE, "3");
    CHECK(set_name == -1);
    /* closed asks the host: 0 means closed. */
    closed_answer = 0;
    RUNS(window, "window.closed", DURIZ_DONE_TRUE, "true");
    closed_answer = 1;
    RUNS(window, "window.closed", DURIZ_DONE_FALSE, "false");
    CHECK(method_id == DURIZ_METHOD_CLOSED);
    RUNS(window, "setTimeout('1', 5)", DURIZ_DONE, "42");
    RUNS(window, "prompt('q', 'd')", DURIZ_DONE, "typed");
    RUNS(window, "confirm('q')", DURIZ_DONE_FALSE, "false");
    RUNS(window, "f = alert; f('x')", DURIZ_DONE, "");
    CHECK(method_id == DURIZ_NATIVE_WINDOW_ALERT);
    RUNS(window, "document.images[0].valueOf()", DURIZ_DONE, "");
}

static void dialogs_and_heaps(JsValue *window) {
    /* During alert no context runs. */
    JsScript *script = compile("1");
    const char *text = "function k() { return 5 } k()", *pos = text;
    JsEvalContext *context;
    probe_context = JS(CreateEvalContext)(window, script, NULL, NULL);
    dialog_probe_status = 0;
    RUNS(window, "alert('hi')", DURIZ_DONE, "");
    CHECK(dialog_probe_status == DURIZ_BUSY);
    JS(DeleteEvalContext)(probe_context);
    probe_context = NULL;
    JS(DeleteScript)(script);
    /* A heap script's nodes come from the host; once the host gives the
       script back, functions made from it have no body. */
    heap_bytes = 0;
    script = JS(CreateScript)(1);
    CHECK(JS(LoadScript)(script, &pos, text + strlen(text), 0) == DURIZ_OK && heap_bytes > 0);
    context = JS(CreateEvalContext)(window, script, NULL, NULL);
    CHECK(evaluate(context, "5") == DURIZ_DONE);
    JS(DeleteScript)(script);
    RUNS(window, "k()", DURIZ_DONE, "");
    JS(DeleteEvalContext)(context);
}

#ifdef DURIZ_LOADED
#ifdef _WIN32
#include <tlhelp32.h>
/* The threads of this process. */
static int thread_count(void) {
    int n = 0;
    THREADENTRY32 entry;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    entry.dwSize = sizeof entry;
    if (Thread32First(snapshot, &entry)) {
        do n += entry.th32OwnerProcessID == GetCurrentProcessId();
        while (Thread32Next(snapshot, &entry));
    }
    CloseHandle(snapshot);
    return n;
}
#else
static int thread_count(void) { return 1; }
#endif

/* Loaded, bound and freed twice, then loaded for good. */
static int load(void) {
    EngineModule module;
    int i;
    for (i = 0; i < 3; i++) {
        const int threads = thread_count();
        module = ENGINE_OPEN(ENGINE_LIBRARY);
        if (!module || BindEngine(module, &engine) != 0) break;
        CHECK(thread_count() == threads);
        CHECK(ENGINE_SYMBOL(module, "DllMain") == NULL && ENGINE_SYMBOL(module, "JsMalloc") == NULL);
#ifdef _WIN32
        CHECK(ENGINE_SYMBOL(module, "JS_SetMemoryLimit") == NULL); /* the native libraries' bound only */
#endif
        if (i == 2) return 1;
        CHECK(ENGINE_CLOSE(module));
#ifdef _WIN32
        CHECK(GetModuleHandleA(ENGINE_LIBRARY) == NULL); /* freed: gone from the process */
#endif
    }
    fprintf(stderr, "cannot load %s\n", ENGINE_LIBRARY);
    return 0;
}
#else
static int load(void) { return 1; }
#endif

int main(void) {
    int round;
    if (!load()) return 1;
    for (round = 0; round < 2; round++) { /* the second round: a restarted engine works */
        JsValue *window;
        snprintf(title, sizeof title, "start");
        JS(Init)(get_property, get_object, set_property, call_method, host_alloc, on_error);
        window = JS(CreateObject)(DURIZ_CLASS_WINDOW, WINDOW_HANDLE, NULL);
        document_object = JS(CreateObject)(DURIZ_CLASS_DOCUMENT, DOCUMENT_HANDLE, window);
        loading_and_null_handles();
        contexts_results_and_budget(window);
        errors_and_handlers(window);
        bound_functions(window);
        host_objects(window);
        dialogs_and_heaps(window);
        JS(DeleteObject)(set_handler);
        set_handler = NULL;
        JS(DeleteObject)(document_object);
        JS(DeleteObject)(window); /* the globals hold functions whose scripts must go before the end */
        JS(Destroy)();
    }
    CHECK(DURIZ_NAME_LOCATION == 151 && DURIZ_NAME_LENGTH == 97 && DURIZ_NATIVE_STRING_VALUEOF == 1046);
    if (failures) fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
