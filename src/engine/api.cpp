// The exports that create, load and delete scripts, and engine start-up.
#include "builtins/random.h"
#include "compiler/parser.h"
#include "compiler/script.h"
#include "duriz.h"
#include "engine/api_internal.h"
#include "engine/callbacks.h"
#include "engine/memory.h"
#include "engine/shared.h"
#include "interp/literal_cache.h"
#include "values/cycles.h"
#include "values/slot_cache.h"
#include "values/value.h"

size_t g_blocksLeftAtShutDown = 0;

extern "C" {

void DURIZ_CALL JS_Init(DurizGetHostProperty getHostProperty, DurizGetHostObject getHostObject,
                        DurizSetHostProperty setHostProperty, DurizCallHostMethod callHostMethod,
                        DurizHostAlloc hostAlloc, DurizReportError reportError) {
    g_host.getHostProperty = getHostProperty;
    g_host.getHostObject = getHostObject;
    g_host.setHostProperty = setHostProperty;
    g_host.callHostMethod = callHostMethod;
    g_host.hostAlloc = hostAlloc;
    g_host.reportError = reportError;
    // Start-up allocations are required to succeed; a failure leaves no
    // half-made state behind. The host's memory bound applies from the
    // end of start-up on.
    const size_t limit = JsMemoryLimit();
    JsSetMemoryLimit(0);
    CyclesReset();
    CreateSharedValues();
    JsSetMemoryLimit(limit);
    g_randomSeeded = 0;
}

void DURIZ_CALL JS_Destroy(void) {
    ReleaseLastAnswer();
    CollectCycles();
    CyclesShutDown();
    LiteralCacheClear();
    DestroySharedValues();
    FreeValueWorklist();
    SlotCacheClear();
    g_host = HostCallbacks{};
    // What is left now, the host still had handles of (or forgot).
    g_blocksLeftAtShutDown = JsBlocksInUse();
    JsReleaseAllBlocks();
    g_containerCount = 0;
    CyclesReset();
}

JsScript *DURIZ_CALL JS_CreateScript(uintptr_t heap) { return JsScript::Create(heap, 0); }

int DURIZ_CALL JS_LoadScript(JsScript *script, const char **position, const char *end, int moreToCome) {
    if (!script || !position) return RC_NULL_HANDLE;
    return Compile(script, position, end, moreToCome);
}

void DURIZ_CALL JS_DeleteScript(JsScript *script) {
    if (!script) return;
    EngineEntry entry;
    if (script->heap) {
        // The nodes stay in the host's heap, which the host may now reuse;
        // holders see no tree from now on.
        NodesFreed();
        script->root = nullptr;
        script->cursor = nullptr;
        script->released = 1;
    }
    JsScript::Release(script);
}

void DURIZ_CALL JS_DebugPrint(uint32_t) {}

void DURIZ_CALL JS_SetMemoryLimit(size_t bytes) { JsSetMemoryLimit(bytes); }

}  // extern "C"
