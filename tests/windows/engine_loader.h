/* Loads the engine library at run time, as a browser does: LoadLibraryA and
   GetProcAddress on Windows, dlopen and dlsym elsewhere. Every export gets a
   pointer of its exact type in `engine`. Plain C. */
#ifndef DURIZ_TESTS_ENGINE_LOADER_H
#define DURIZ_TESTS_ENGINE_LOADER_H

#include <stdio.h>
#include <string.h>

#include "duriz.h"

#ifdef _WIN32
#include <windows.h>
typedef HMODULE EngineModule;
#ifdef _WIN64
#define ENGINE_LIBRARY "Duriz64.dll"
#else
#define ENGINE_LIBRARY "Duriz32.dll"
#endif
#define ENGINE_OPEN(name) LoadLibraryA(name)
#define ENGINE_SYMBOL(module, name) ((void *)GetProcAddress(module, name))
#define ENGINE_CLOSE(module) (FreeLibrary(module) != 0) /* true when freed */
#else
#include <dlfcn.h>
typedef void *EngineModule;
#define ENGINE_LIBRARY "libduriz.so"
#define ENGINE_OPEN(name) dlopen(name, RTLD_NOW | RTLD_LOCAL)
#define ENGINE_SYMBOL(module, name) dlsym(module, name)
#define ENGINE_CLOSE(module) (dlclose(module) == 0)
#endif

/* One pointer for each export; the same layout as 18 addresses. */
struct Engine {
    void(DURIZ_CALL *Init)(DurizGetHostProperty, DurizGetHostObject, DurizSetHostProperty, DurizCallHostMethod,
                           DurizHostAlloc, DurizReportError);
    void(DURIZ_CALL *Destroy)(void);
    JsScript *(DURIZ_CALL *CreateScript)(uintptr_t);
    int(DURIZ_CALL *LoadScript)(JsScript *, const char **, const char *, int);
    void(DURIZ_CALL *DeleteScript)(JsScript *);
    JsEvalContext *(DURIZ_CALL *CreateEvalContext)(JsValue *, JsScript *, JsValue *, JsValue *);
    void(DURIZ_CALL *DeleteEvalContext)(JsEvalContext *);
    int(DURIZ_CALL *Evaluate)(JsEvalContext *, JsValue **);
    JsValue *(DURIZ_CALL *CreateObject)(int, uint32_t, JsValue *);
    void(DURIZ_CALL *DeleteObject)(JsValue *);
    JsValue *(DURIZ_CALL *AddObjectIdx)(JsValue *, int, int, int, uint32_t, JsValue *);
    JsValue *(DURIZ_CALL *GetObjectByName)(JsValue *, const char *);
    JsValue *(DURIZ_CALL *GetObjectHandleValue)(JsValue *, int, int);
    const char *(DURIZ_CALL *GetObjectStringValue)(JsValue *, int, int);
    const char *(DURIZ_CALL *GetStringValue)(JsValue *);
    JsValue *(DURIZ_CALL *LoadEventHandler)(int, const char *, int, JsValue *);
    JsValue *(DURIZ_CALL *NewInstance)(JsValue *);
    void(DURIZ_CALL *DebugPrint)(uint32_t);
};

/* The 18 export names, in the order of struct Engine's fields (18 function
   pointers of one size: the array of addresses is copied into it). */
static const char *const kEngineExports[18] = {
    "JS_Init", "JS_Destroy", "JS_CreateScript", "JS_LoadScript", "JS_DeleteScript", "JS_CreateEvalContext",
    "JS_DeleteEvalContext", "JS_Evaluate", "JS_CreateObject", "JS_DeleteObject", "JS_AddObjectIdx",
    "JS_GetObjectByName", "JS_GetObjectHandleValue", "JS_GetObjectStringValue", "JS_GetStringValue",
    "JS_LoadEventHandler", "JS_NewInstance", "JS_DebugPrint"};

typedef char EngineLayoutCheck[sizeof(struct Engine) == 18 * sizeof(void *) ? 1 : -1];

/* Fills engine from module; the number of exports that were missing. */
static int BindEngine(EngineModule module, struct Engine *engine) {
    int missing = 0, i;
    void *addresses[18];
    for (i = 0; i < 18; i++)
        if (!(addresses[i] = ENGINE_SYMBOL(module, kEngineExports[i])))
            missing++, fprintf(stderr, "no export %s\n", kEngineExports[i]);
    memcpy(engine, addresses, sizeof addresses);
    return missing;
}

#endif
