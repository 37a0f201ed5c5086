/* Loading the engine library does nothing until JS_Init: it can be loaded,
   freed and loaded again and starts no thread, and it exports exactly the
   18 functions of the interface. */
#include <stdio.h>

#include "../c/check.h"
#include "engine_loader.h"

#ifdef _WIN32
#include <tlhelp32.h>
/* The threads of this process. */
static int ThreadCount(void) {
    int n = 0;
    THREADENTRY32 entry;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    entry.dwSize = sizeof entry;
    if (Thread32First(snapshot, &entry)) {
        do {
            if (entry.th32OwnerProcessID == GetCurrentProcessId()) n++;
        } while (Thread32Next(snapshot, &entry));
    }
    CloseHandle(snapshot);
    return n;
}
#else
static int ThreadCount(void) { return 1; }
#endif

int main(void) {
    int round;
    for (round = 0; round < 2; round++) {
        const int threadsBefore = ThreadCount();
        EngineModule module = ENGINE_OPEN(ENGINE_LIBRARY);
        struct Engine engine;
        CHECK(module != NULL);
        if (!module) break;
        CHECK(ThreadCount() == threadsBefore);
        CHECK(BindEngine(module, &engine) == 0);
        /* The memory bound of the native libraries is not an export here. */
#ifdef _WIN32
        CHECK(ENGINE_SYMBOL(module, "JS_SetMemoryLimit") == NULL);
#endif
        CHECK(ENGINE_SYMBOL(module, "DllMain") == NULL);
        CHECK(ENGINE_SYMBOL(module, "JsMalloc") == NULL);
        CHECK(ENGINE_CLOSE(module));
#ifdef _WIN32
        /* Freed: the module is gone from the process. */
        CHECK(GetModuleHandleA(ENGINE_LIBRARY) == NULL);
#endif
    }
    /* Then started and stopped once, to show the loaded copy works. */
    {
        EngineModule module = ENGINE_OPEN(ENGINE_LIBRARY);
        struct Engine engine;
        if (module && BindEngine(module, &engine) == 0) {
            JsScript *script;
            const char *text = "1 + 2", *pos = text;
            engine.Init(NULL, NULL, NULL, NULL, NULL, NULL);
            script = engine.CreateScript(0);
            CHECK(engine.LoadScript(script, &pos, text + 5, 0) == DURIZ_OK);
            engine.DeleteScript(script);
            engine.Destroy();
        } else {
            CHECK(!"the library loads a third time");
        }
        if (module) (void)ENGINE_CLOSE(module);
    }
    if (failures) fprintf(stderr, "%d check(s) failed\n", failures);
    return failures ? 1 : 0;
}
