// Run-time binding of the engine DLL: each JS_* function of duriz.h is
// defined here as a call through the address GetProcAddress gave for it.
#include "library.h"

#include <windows.h>

#include "duriz.h"

namespace {

#ifdef _WIN64
const char kLibraryName[] = "Duriz64.dll";
#else
const char kLibraryName[] = "Duriz32.dll";
#endif

HMODULE g_library = nullptr;

#define DURIZ_EXPORTS(X)                                                                                     \
    X(void, JS_Init,                                                                                         \
      (DurizGetHostProperty a, DurizGetHostObject b, DurizSetHostProperty c, DurizCallHostMethod d,        \
       DurizHostAlloc e, DurizReportError f),                                                                \
      (a, b, c, d, e, f))                                                                                    \
    X(void, JS_Destroy, (void), ())                                                                          \
    X(JsScript *, JS_CreateScript, (uintptr_t a), (a))                                                      \
    X(int, JS_LoadScript, (JsScript * a, const char **b, const char *c, int d), (a, b, c, d))               \
    X(void, JS_DeleteScript, (JsScript * a), (a))                                                           \
    X(JsEvalContext *, JS_CreateEvalContext, (JsValue * a, JsScript * b, JsValue * c, JsValue * d),          \
      (a, b, c, d))                                                                                          \
    X(void, JS_DeleteEvalContext, (JsEvalContext * a), (a))                                                 \
    X(int, JS_Evaluate, (JsEvalContext * a, JsValue * *b), (a, b))                                          \
    X(JsValue *, JS_CreateObject, (int a, uint32_t b, JsValue *c), (a, b, c))                               \
    X(void, JS_DeleteObject, (JsValue * a), (a))                                                            \
    X(JsValue *, JS_AddObjectIdx, (JsValue * a, int b, int c, int d, uint32_t e, JsValue *f),               \
      (a, b, c, d, e, f))                                                                                    \
    X(JsValue *, JS_GetObjectByName, (JsValue * a, const char *b), (a, b))                                  \
    X(JsValue *, JS_GetObjectHandleValue, (JsValue * a, int b, int c), (a, b, c))                           \
    X(const char *, JS_GetObjectStringValue, (JsValue * a, int b, int c), (a, b, c))                        \
    X(const char *, JS_GetStringValue, (JsValue * a), (a))                                                  \
    X(JsValue *, JS_LoadEventHandler, (int a, const char *b, int c, JsValue *d), (a, b, c, d))              \
    X(JsValue *, JS_NewInstance, (JsValue * a), (a))                                                        \
    X(void, JS_DebugPrint, (uint32_t a), (a))

#define DURIZ_POINTER(ret, name, params, args) ret(DURIZ_CALL *p_##name) params = nullptr;
DURIZ_EXPORTS(DURIZ_POINTER)
void(DURIZ_CALL *p_JS_SetMemoryLimit)(size_t) = nullptr;

template <typename T>
bool Bind(T *pointer, const char *name) {
    FARPROC address = GetProcAddress(g_library, name);
    if (!address) return false;
    *pointer = reinterpret_cast<T>(reinterpret_cast<void *>(address));
    return true;
}

}  // namespace

bool LoadEngineLibrary(std::string *error) {
    if (g_library) return true;
    g_library = LoadLibraryA(kLibraryName);
    if (!g_library) {
        *error = std::string("cannot load ") + kLibraryName;
        return false;
    }
#define DURIZ_BIND(ret, name, params, args)                                 \
    if (!Bind(&p_##name, #name)) {                                          \
        *error = std::string(kLibraryName) + " has no export " #name;       \
        FreeLibrary(g_library);                                             \
        g_library = nullptr;                                                \
        return false;                                                       \
    }
    DURIZ_EXPORTS(DURIZ_BIND)
    Bind(&p_JS_SetMemoryLimit, "JS_SetMemoryLimit");  // an extension: may be missing
    return true;
}

bool EngineHasMemoryLimit() { return p_JS_SetMemoryLimit != nullptr; }

#define DURIZ_FORWARD(ret, name, params, args) \
    extern "C" ret DURIZ_CALL name params { return p_##name args; }
DURIZ_EXPORTS(DURIZ_FORWARD)

extern "C" void DURIZ_CALL JS_SetMemoryLimit(size_t bytes) {
    if (p_JS_SetMemoryLimit) p_JS_SetMemoryLimit(bytes);
}
