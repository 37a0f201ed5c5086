/* A host that loads the engine library at run time checks what reaches
   its callbacks: the host handle, name index and class number of a window,
   a document and a form arrive intact (handles chosen to use all 32 bits),
   and so do the texts and operators of assignments, the method ids of
   calls and the handle of an error's window. */
#include <stdio.h>
#include <string.h>

#include "../c/check.h"
#include "engine_loader.h"

#define WINDOW_HANDLE 0xFFFFFFF0u
#define DOCUMENT_HANDLE 0x80000001u
#define FORM_HANDLE 0x7FFFFFFEu

static struct Engine engine;
static JsValue *document_object;

/* The calls the engine made, in order. */
struct Call {
    char kind; /* 'g' get, 's' set, 'o' object, 'm' method, 'e' error */
    uint32_t handle;
    int key;   /* name index, method id or error code */
    int classNumber;
    int op;
    char text[32];
};
static struct Call calls[256];
static int call_count;

static struct Call *Record(char kind, uint32_t handle, int key, int classNumber) {
    struct Call *c = &calls[call_count < 255 ? call_count++ : 255];
    memset(c, 0, sizeof *c);
    c->kind = kind;
    c->handle = handle;
    c->key = key;
    c->classNumber = classNumber;
    return c;
}

/* Whether a call of kind with these arguments was made (text: NULL for any). */
static int Made(char kind, uint32_t handle, int key, int classNumber, const char *text) {
    int i;
    for (i = 0; i < call_count; i++) {
        const struct Call *c = &calls[i];
        if (c->kind == kind && c->handle == handle && c->key == key &&
            (classNumber < 0 || c->classNumber == classNumber) && (!text || strcmp(c->text, text) == 0))
            return 1;
    }
    return 0;
}

static int DURIZ_CALL HostGetProperty(uint32_t handle, int nameIndex, int classNumber, const char **text,
                                  int32_t *number) {
    Record('g', handle, nameIndex, classNumber);
    (void)number;
    if (handle == DOCUMENT_HANDLE && nameIndex == DURIZ_NAME_TITLE) {
        *text = "Title";
        return 1;
    }
    if (handle == FORM_HANDLE && nameIndex == DURIZ_NAME_ACTION) {
        *text = "/go";
        return 1;
    }
    return 0;
}

static JsValue *DURIZ_CALL HostGetObject(uint32_t handle, int nameIndex, int classNumber) {
    Record('o', handle, nameIndex, classNumber);
    return handle == WINDOW_HANDLE && nameIndex == DURIZ_NAME_DOCUMENT ? document_object : NULL;
}

static const char *DURIZ_CALL HostSetProperty(uint32_t handle, int nameIndex, int classNumber, const char *text,
                                          JsValue *handler, int op) {
    struct Call *c = Record('s', handle, nameIndex, classNumber);
    (void)handler;
    c->op = op;
    snprintf(c->text, sizeof c->text, "%s", text ? text : "");
    return text;
}

static intptr_t DURIZ_CALL HostCallMethod(uint32_t handle, uint32_t handle2, int methodId, JsValue *args,
                                      const char **text, int32_t *number) {
    (void)handle2;
    (void)args;
    (void)text;
    (void)number;
    Record('m', handle, methodId, -1);
    return 0;  /* a window that is open; no answer otherwise */
}

static void *DURIZ_CALL HostAlloc(uintptr_t heap, size_t size) {
    (void)heap;
    (void)size;
    return NULL;
}

static int DURIZ_CALL HostReportError(uint32_t handle, int code, const char *text) {
    struct Call *c = Record('e', handle, code, -1);
    snprintf(c->text, sizeof c->text, "%s", text ? text : "");
    return 0;
}

/* Runs text in the window to completion; its status. */
static int Run(JsValue *window, const char *text) {
    const char *pos = text;
    JsScript *script = engine.CreateScript(0);
    JsEvalContext *context;
    JsValue *value = NULL;
    int status;
    call_count = 0;
    if (engine.LoadScript(script, &pos, text + strlen(text), 0) != DURIZ_OK) {
        engine.DeleteScript(script);
        return DURIZ_SYNTAX_ERROR;
    }
    context = engine.CreateEvalContext(window, script, NULL, NULL);
    do {
        engine.DeleteObject(value);
        value = NULL;
        status = engine.Evaluate(context, &value);
    } while (status == DURIZ_BUSY);
    engine.DeleteObject(value);
    engine.DeleteEvalContext(context);
    engine.DeleteScript(script);
    return status;
}

int main(void) {
    EngineModule module = ENGINE_OPEN(ENGINE_LIBRARY);
    JsValue *window, *form;
    if (!module || BindEngine(module, &engine) != 0) {
        fprintf(stderr, "cannot load %s\n", ENGINE_LIBRARY);
        return 1;
    }
    engine.Init(HostGetProperty, HostGetObject, HostSetProperty, HostCallMethod, HostAlloc, HostReportError);
    window = engine.CreateObject(DURIZ_CLASS_WINDOW, WINDOW_HANDLE, NULL);
    document_object = engine.CreateObject(DURIZ_CLASS_DOCUMENT, DOCUMENT_HANDLE, window);
    form = engine.AddObjectIdx(document_object, DURIZ_NAME_FORMS, DURIZ_CLASS_FORM, 0, FORM_HANDLE, NULL);
    CHECK(window && document_object && form);

    /* Reads. */
    CHECK(Run(window, "t = document.title; a = document.forms[0].action; t + a == 'Title/go'") ==
          DURIZ_DONE_TRUE);
    CHECK(Made('o', WINDOW_HANDLE, DURIZ_NAME_DOCUMENT, DURIZ_CLASS_WINDOW, NULL));
    CHECK(Made('g', DOCUMENT_HANDLE, DURIZ_NAME_TITLE, DURIZ_CLASS_DOCUMENT, NULL));
    CHECK(Made('g', FORM_HANDLE, DURIZ_NAME_ACTION, DURIZ_CLASS_FORM, NULL));

    /* Assignments: text and operator. */
    CHECK(Run(window, "window.status = 'ready'; document.title = 'New'; document.forms[0].method = 'post'") ==
          DURIZ_DONE);
    CHECK(Made('s', WINDOW_HANDLE, DURIZ_NAME_STATUS, DURIZ_CLASS_WINDOW, "ready"));
    CHECK(Made('s', DOCUMENT_HANDLE, DURIZ_NAME_TITLE, DURIZ_CLASS_DOCUMENT, "New"));
    CHECK(Made('s', FORM_HANDLE, DURIZ_NAME_METHOD, DURIZ_CLASS_FORM, "post"));
    {
        int i, ops = 0;
        for (i = 0; i < call_count; i++)
            if (calls[i].kind == 's') ops += calls[i].op == DURIZ_OP_ASSIGN;
        CHECK(ops == 3);
    }

    /* A window method and a run-time error name the window. */
    CHECK(Run(window, "alert('hello')") == DURIZ_DONE);
    CHECK(Made('m', WINDOW_HANDLE, DURIZ_NATIVE_WINDOW_ALERT, -1, NULL));
    CHECK(Run(window, "x = nothing.here") == DURIZ_RUNTIME_ERROR);
    CHECK(Made('e', WINDOW_HANDLE, DURIZ_RUNTIME_ERROR, -1, "nothing.here"));

    engine.DeleteObject(document_object);
    engine.DeleteObject(window);
    engine.Destroy();
    (void)ENGINE_CLOSE(module);
    if (failures) fprintf(stderr, "%d check(s) failed\n", failures);
    return failures ? 1 : 0;
}
