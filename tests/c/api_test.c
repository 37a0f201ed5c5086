/* The exports driven by a host written in C: contexts, evaluation, the
   step budget, host objects and their callbacks, event handlers, heaps,
   the busy and dialog guards, and restarting the engine. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "check.h"
#include "duriz.h"

/* ---- a small host ---- */

static int error_code, error_handle, error_count;
static char error_text[1100];
static int DURIZ_CALL on_error(uint32_t handle, int code, const char *text) {
    error_code = code;
    error_handle = (int)handle;
    error_count++;
    snprintf(error_text, sizeof error_text, "%s", text ? text : "");
    return 0;
}

static char title[64] = "start";
static int DURIZ_CALL get_property(uint32_t handle, int nameIndex, int classNumber, const char **text,
                                   int32_t *number) {
    (void)classNumber;
    if (nameIndex == DURIZ_NAME_OWN_VALUE) {
        *text = handle == 7 ? "pic" : NULL;
        return handle == 7;
    }
    if (nameIndex == DURIZ_NAME_TITLE) {
        *text = title;
        return 1;
    }
    if (nameIndex == DURIZ_NAME_WIDTH) {
        *number = 120;
        return 1;
    }
    return 0;
}

static JsValue *document_object, *opener_window;
static JsValue *DURIZ_CALL get_object(uint32_t handle, int nameIndex, int classNumber) {
    (void)handle;
    (void)classNumber;
    if (nameIndex == DURIZ_NAME_OPENER) return opener_window;
    return nameIndex == DURIZ_NAME_DOCUMENT ? document_object : NULL;
}

static int set_op, set_name;
static JsValue *set_handler;
static char set_text[64];
static const char *DURIZ_CALL set_property(uint32_t handle, int nameIndex, int classNumber, const char *text,
                                           JsValue *handler, int op) {
    (void)handle;
    (void)classNumber;
    set_op = op;
    set_name = nameIndex;
    JS_DeleteObject(set_handler);
    set_handler = JS_NewInstance(handler);
    snprintf(set_text, sizeof set_text, "%s", text ? text : "(none)");
    if (nameIndex == DURIZ_NAME_TITLE && text) {
        /* The host applies the operator; the engine keeps what comes back. */
        if (op == DURIZ_OP_ADD_ASSIGN)
            strncat(title, text, sizeof title - strlen(title) - 1);
        else
            snprintf(title, sizeof title, "%s", text);
        return title;
    }
    return text;
}

static int method_id, closed_answer = 1, dialog_probe_status;
static char method_args[64];
static JsEvalContext *probe_context;
static intptr_t DURIZ_CALL call_method(uint32_t handle, uint32_t handle2, int methodId, JsValue *args,
                                       const char **text, int32_t *number) {
    (void)handle;
    (void)handle2;
    (void)args;
    method_id = methodId;
    /* The count, then the first and last arguments, as a host reads them. */
    if (args) {
        int n = 0;
        const char *first;
        while (JS_GetObjectStringValue(args, n + 1, 1)) n++;
        first = JS_GetObjectStringValue(args, 1, 1);
        char first_copy[16];
        snprintf(first_copy, sizeof first_copy, "%s", first ? first : "-");
        snprintf(method_args, sizeof method_args, "%d %s %s", n, first_copy,
                 n ? JS_GetObjectStringValue(args, n, 1) : "-");
    } else {
        snprintf(method_args, sizeof method_args, "none");
    }
    if (methodId == DURIZ_METHOD_CLOSED) return closed_answer;
    if (methodId == DURIZ_NATIVE_WINDOW_ALERT && probe_context) {
        JsValue *r;
        dialog_probe_status = JS_Evaluate(probe_context, &r);
    }
    if (methodId == DURIZ_NATIVE_WINDOW_SETTIMEOUT) *number = 42;
    if (methodId == DURIZ_NATIVE_WINDOW_PROMPT) *text = "typed";
    if (methodId == DURIZ_NATIVE_WINDOW_CONFIRM) return 0;
    return 0;
}

static size_t heap_bytes;
static void *DURIZ_CALL host_alloc(uintptr_t heap, size_t size) {
    static char arena[1 << 16];
    void *p;
    (void)heap;
    size = (size + 15) & ~(size_t)15;
    if (heap_bytes + size > sizeof arena) return NULL;
    p = arena + heap_bytes;
    heap_bytes += size;
    return p;
}

static void start(void) {
    snprintf(title, sizeof title, "start");
    JS_Init(get_property, get_object, set_property, call_method, host_alloc, on_error);
}

static JsScript *compile(const char *text) {
    const char *pos = text;
    JsScript *script = JS_CreateScript(0);
    if (JS_LoadScript(script, &pos, text + strlen(text), 0) != DURIZ_OK) {
        JS_DeleteScript(script);
        return NULL;
    }
    return script;
}

/* Runs text in the window to completion; the status, and the value's text
   copied into out. */
static int run(JsValue *window, const char *text, char *out, size_t size) {
    JsScript *script = compile(text);
    JsEvalContext *context;
    JsValue *value = NULL;
    int status;
    if (out) out[0] = 0;
    if (!script) return DURIZ_SYNTAX_ERROR;
    context = JS_CreateEvalContext(window, script, NULL, NULL);
    do {
        JS_DeleteObject(value);
        status = JS_Evaluate(context, &value);
    } while (status == DURIZ_BUSY);
    if (value && out) snprintf(out, size, "%s", JS_GetStringValue(value));
    JS_DeleteObject(value);
    JS_DeleteEvalContext(context);
    JS_DeleteScript(script);
    return status;
}

/* ---- the tests ---- */

static void null_handles(void) {
    const char *pos = "";
    JsValue *value = (JsValue *)&value;
    CHECK(JS_LoadScript(NULL, &pos, pos, 0) == DURIZ_NULL_HANDLE);
    CHECK(JS_Evaluate(NULL, &value) == DURIZ_NULL_HANDLE);
    CHECK(value == NULL);
    CHECK(JS_NewInstance(NULL) == NULL);
    CHECK(JS_GetStringValue(NULL) == NULL);
    CHECK(JS_GetObjectByName(NULL, "x") == NULL);
    CHECK(JS_GetObjectStringValue(NULL, 1, 1) == NULL);
    CHECK(JS_GetObjectHandleValue(NULL, 1, 0) == NULL);
    CHECK(JS_CreateObject(5, 1, NULL) == NULL); /* no host class 5 */
    JS_DeleteScript(NULL);
    JS_DeleteEvalContext(NULL);
    JS_DeleteObject(NULL);
}

static void contexts(JsValue *window) {
    JsScript *script = compile("function f(a) { return a } x = 1");
    JsEvalContext *context;
    JsValue *f, *value;
    CHECK(script != NULL);
    CHECK(JS_CreateEvalContext(NULL, script, NULL, NULL) == NULL);
    CHECK(JS_CreateEvalContext(window, NULL, NULL, NULL) == NULL);
    context = JS_CreateEvalContext(window, script, NULL, NULL);
    CHECK(context != NULL);
    /* Declarations are on the global before anything runs. */
    f = JS_GetObjectByName(window, "f");
    CHECK(f != NULL && strcmp(JS_GetStringValue(f), "function f() {...}") == 0);
    /* The context keeps the script alive after the host lets go. */
    JS_DeleteScript(script);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE);
    CHECK(value != NULL && strcmp(JS_GetStringValue(value), "1") == 0);
    JS_DeleteObject(value);
    /* A finished run starts again from the top. */
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE);
    CHECK(value != NULL && strcmp(JS_GetStringValue(value), "1") == 0);
    JS_DeleteObject(value);
    JS_DeleteEvalContext(context);
}

static void results(JsValue *window) {
    char out[256];
    CHECK(run(window, "1 == 1", out, sizeof out) == DURIZ_DONE_TRUE && strcmp(out, "true") == 0);
    CHECK(run(window, "1 == 2", out, sizeof out) == DURIZ_DONE_FALSE && strcmp(out, "false") == 0);
    CHECK(run(window, "null", out, sizeof out) == DURIZ_DONE && out[0] == 0);
    CHECK(run(window, "void 0", out, sizeof out) == DURIZ_DONE && out[0] == 0);
    CHECK(run(window, "", out, sizeof out) == DURIZ_DONE && out[0] == 0);
    CHECK(run(window, "function g() { } g()", out, sizeof out) == DURIZ_DONE && out[0] == 0);
    CHECK(run(window, "'a' + 1", out, sizeof out) == DURIZ_DONE && strcmp(out, "a1") == 0);
}

static void budget(JsValue *window) {
    /* 8000 bare literals: the 8000th push ends the first run. */
    size_t n = 8000, i;
    char *text = malloc(n * 8 + 16);
    JsScript *script;
    JsEvalContext *context;
    JsValue *value;
    text[0] = 0;
    for (i = 1; i <= n; i++) sprintf(text + strlen(text), "%zu;", i);
    script = compile(text);
    context = JS_CreateEvalContext(window, script, NULL, NULL);
    CHECK(JS_Evaluate(context, &value) == DURIZ_BUSY);
    CHECK(value == NULL);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE);
    CHECK(value != NULL && strcmp(JS_GetStringValue(value), "8000") == 0);
    JS_DeleteObject(value);
    JS_DeleteEvalContext(context);
    JS_DeleteScript(script);
    /* One fewer finishes at once. */
    strrchr(text, '8')[0] = 0;
    text[strlen(text) - 1] = 0; /* drop the trailing ';' of 7999 */
    script = compile(text);
    context = JS_CreateEvalContext(window, script, NULL, NULL);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE);
    CHECK(value != NULL && strcmp(JS_GetStringValue(value), "7999") == 0);
    JS_DeleteObject(value);
    JS_DeleteEvalContext(context);
    JS_DeleteScript(script);
    free(text);
}

static void errors(JsValue *window) {
    char out[64];
    const char *pos = "return false";
    JsScript *script = JS_CreateScript(0);
    JsValue *handler;
    error_count = 0;
    CHECK(run(window, "y = nothing.here", out, sizeof out) == DURIZ_RUNTIME_ERROR);
    CHECK(error_count == 1 && error_code == DURIZ_RUNTIME_ERROR && error_handle == 1);
    CHECK(strcmp(error_text, "nothing.here") == 0);
    CHECK(JS_LoadScript(script, &pos, pos + strlen(pos), 0) == DURIZ_SYNTAX_ERROR);
    CHECK(error_code == DURIZ_SYNTAX_ERROR && error_handle == 0);
    JS_DeleteScript(script);
    handler = JS_LoadEventHandler(5, "return false", 12, NULL);
    CHECK(handler != NULL);
    JS_DeleteObject(handler);
    CHECK(JS_LoadEventHandler(5, "x = )", 5, NULL) == NULL);
}

static void handlers(JsValue *window) {
    JsValue *handler = JS_LoadEventHandler(9, "count = count + 1; count == 2", 29, window);
    JsEvalContext *context;
    JsValue *value;
    char out[32];
    CHECK(run(window, "count = 0", out, sizeof out) == DURIZ_DONE);
    context = JS_CreateEvalContext(window, NULL, handler, NULL);
    CHECK(context != NULL);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE_FALSE);
    JS_DeleteObject(value);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE_TRUE);
    JS_DeleteObject(value);
    JS_DeleteEvalContext(context);
    JS_DeleteObject(handler); /* the script goes with the last holder */
}

/* A function declared at the top level of a window's script runs in that
   window wherever it is called from: by name through a variable of another
   window, as a member, or as a handler of another window's context. A
   declaration named after a member the host keeps costs nothing that stays
   behind. */
static void bound_functions(JsValue *window) {
    JsValue *other = JS_CreateObject(DURIZ_CLASS_WINDOW, 3, NULL);
    JsEvalContext *context;
    JsValue *value = NULL;
    char out[64];
    CHECK(run(window, "where = 'first'; function who() { return where + ',' + typeof other }", out, sizeof out) ==
          DURIZ_DONE);
    opener_window = window;
    CHECK(run(other, "where = 'second'; other = 1; w = opener.who; w() + ';' + opener.who()", out, sizeof out) ==
          DURIZ_DONE);
    CHECK(strcmp(out, "first,null;first,null") == 0);
    context = JS_CreateEvalContext(other, NULL, JS_GetObjectByName(window, "who"), NULL);
    CHECK(context != NULL);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE);
    CHECK(value && strcmp(JS_GetStringValue(value), "first,null") == 0);
    JS_DeleteObject(value);
    JS_DeleteEvalContext(context);
    /* A window given back before its function: the function still runs,
       in the window that calls it. */
    opener_window = JS_CreateObject(DURIZ_CLASS_WINDOW, 4, NULL);
    CHECK(run(opener_window, "where = 'gone'; function who() { return where + ',' + typeof other }", NULL, 0) ==
          DURIZ_DONE);
    CHECK(run(other, "w = opener.who; w()", out, sizeof out) == DURIZ_DONE);
    CHECK(strcmp(out, "gone,null") == 0);
    JS_DeleteObject(opener_window);
    opener_window = NULL;
    CHECK(run(other, "w()", out, sizeof out) == DURIZ_DONE);
    CHECK(strcmp(out, "second,number") == 0);
    JS_DeleteObject(other);
    CHECK(run(window, "function status() { return 1 } function onload() { return 2 } 3", out, sizeof out) ==
          DURIZ_DONE);
}

/* A host method reads its arguments by position from 1, and their count. */
static void method_arguments(JsValue *window) {
    CHECK(run(window, "alert('a', 2, 'last')", NULL, 0) == DURIZ_DONE);
    CHECK(method_id == DURIZ_NATIVE_WINDOW_ALERT && strcmp(method_args, "3 a last") == 0);
    CHECK(run(window, "alert()", NULL, 0) == DURIZ_DONE);
    CHECK(strcmp(method_args, "none") == 0);
}

static void host_objects(JsValue *window) {
    JsValue *image, *other, *forms;
    char out[64];
    CHECK(run(window, "document.title", out, sizeof out) == DURIZ_DONE && strcmp(out, "start") == 0);
    CHECK(run(window, "document.title = 'new'", out, sizeof out) == DURIZ_DONE && strcmp(out, "new") == 0);
    CHECK(set_op == DURIZ_OP_ASSIGN && set_name == DURIZ_NAME_TITLE && strcmp(title, "new") == 0);
    CHECK(run(window, "document.title += '!'", out, sizeof out) == DURIZ_DONE);
    CHECK(set_op == DURIZ_OP_ADD_ASSIGN);
    /* Collections: appended through the API, found by position and by the
       host's own text. */
    image = JS_AddObjectIdx(document_object, DURIZ_NAME_IMAGES, DURIZ_CLASS_IMAGE, 0, 7, NULL);
    CHECK(image != NULL);
    CHECK(JS_AddObjectIdx(document_object, DURIZ_NAME_TITLE, DURIZ_CLASS_IMAGE, 0, 8, NULL) == NULL);
    other = JS_CreateObject(DURIZ_CLASS_OBJECT, 1, NULL);
    CHECK(other == NULL); /* not a host kind */
    CHECK(run(window, "document.images.length", out, sizeof out) == DURIZ_DONE && strcmp(out, "1") == 0);
    CHECK(run(window, "document.images[0].width", out, sizeof out) == DURIZ_DONE && strcmp(out, "120") == 0);
    CHECK(run(window, "document.pic == document.images[0]", out, sizeof out) == DURIZ_DONE_TRUE);
    forms = JS_GetObjectHandleValue(document_object, DURIZ_NAME_FORMS, 0);
    CHECK(forms != NULL);
    CHECK(JS_GetObjectHandleValue(document_object, DURIZ_NAME_TITLE, 0) == NULL);
    CHECK(strcmp(JS_GetObjectStringValue(document_object, DURIZ_NAME_TITLE, 0), "new!") == 0);
    CHECK(strcmp(JS_GetObjectStringValue(image, DURIZ_NAME_WIDTH, 0), "120") == 0);
    /* Event members get a handler copied from the function; text gives none. */
    CHECK(run(window, "function h() { return 1 } document.images[0].onload = h", out, sizeof out) == DURIZ_DONE);
    CHECK(set_name == DURIZ_NAME_ONLOAD && set_handler != NULL && strcmp(set_text, "(none)") == 0);
    CHECK(set_handler != JS_GetObjectByName(window, "h"));
    CHECK(run(window, "document.images[0].onload = 'x'", out, sizeof out) == DURIZ_DONE);
    CHECK(set_handler == NULL);
    /* Location: a text with name index 151 on class 0. */
    CHECK(run(window, "location = 'http://a/'", out, sizeof out) == DURIZ_DONE);
    CHECK(set_name == DURIZ_NAME_LOCATION && strcmp(set_text, "http://a/") == 0);
    /* Read-only members are not the host's to set. */
    set_name = -1;
    CHECK(run(window, "window.top = 3; window.top", out, sizeof out) == DURIZ_DONE && strcmp(out, "3") == 0);
    CHECK(set_name == -1);
    /* closed asks the host: 0 means closed. */
    closed_answer = 0;
    CHECK(run(window, "window.closed", out, sizeof out) == DURIZ_DONE_TRUE);
    closed_answer = 1;
    CHECK(run(window, "window.closed", out, sizeof out) == DURIZ_DONE_FALSE);
    CHECK(method_id == DURIZ_METHOD_CLOSED);
    /* Method results. */
    CHECK(run(window, "setTimeout('1', 5)", out, sizeof out) == DURIZ_DONE && strcmp(out, "42") == 0);
    CHECK(run(window, "prompt('q', 'd')", out, sizeof out) == DURIZ_DONE && strcmp(out, "typed") == 0);
    CHECK(run(window, "confirm('q')", out, sizeof out) == DURIZ_DONE_FALSE);
    CHECK(run(window, "f = alert; f('x')", out, sizeof out) == DURIZ_DONE && method_id == DURIZ_NATIVE_WINDOW_ALERT);
    CHECK(run(window, "document.images[0].valueOf()", out, sizeof out) == DURIZ_DONE && out[0] == 0);
}

static void guards(JsValue *window) {
    /* During alert no context runs. */
    JsScript *script = compile("1");
    char out[16];
    probe_context = JS_CreateEvalContext(window, script, NULL, NULL);
    dialog_probe_status = 0;
    CHECK(run(window, "alert('hi')", out, sizeof out) == DURIZ_DONE);
    CHECK(dialog_probe_status == DURIZ_BUSY);
    JS_DeleteEvalContext(probe_context);
    probe_context = NULL;
    JS_DeleteScript(script);
}

static void heaps(JsValue *window) {
    /* A heap script's nodes come from the host; once the host gives the
       script back, functions made from it have no body. */
    const char *text = "function k() { return 5 } k()";
    const char *pos = text;
    JsScript *script;
    JsEvalContext *context;
    JsValue *value;
    char out[16];
    heap_bytes = 0;
    script = JS_CreateScript(1);
    CHECK(JS_LoadScript(script, &pos, text + strlen(text), 0) == DURIZ_OK);
    CHECK(heap_bytes > 0);
    context = JS_CreateEvalContext(window, script, NULL, NULL);
    CHECK(JS_Evaluate(context, &value) == DURIZ_DONE);
    CHECK(value != NULL && strcmp(JS_GetStringValue(value), "5") == 0);
    JS_DeleteObject(value);
    JS_DeleteScript(script);
    CHECK(run(window, "k()", out, sizeof out) == DURIZ_DONE && out[0] == 0);
    JS_DeleteEvalContext(context);
}

int main(void) {
    int round;
    for (round = 0; round < 2; round++) {
        /* The second round proves that a restarted engine works. */
        JsValue *window;
        start();
        window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, NULL);
        document_object = JS_CreateObject(DURIZ_CLASS_DOCUMENT, 2, window);
        null_handles();
        contexts(window);
        results(window);
        budget(window);
        errors(window);
        handlers(window);
        bound_functions(window);
        method_arguments(window);
        host_objects(window);
        guards(window);
        heaps(window);
        JS_DeleteObject(set_handler);
        set_handler = NULL;
        JS_DeleteObject(document_object);
        /* The globals hold functions whose scripts must go before the end. */
        JS_DeleteObject(window);
        JS_Destroy();
    }
    if (failures) fprintf(stderr, "%d checks failed\n", failures);
    return failures ? 1 : 0;
}
