// The Windows library's entry routine. Loading and unloading the library
// does nothing: the host starts the engine with JS_Init and stops it with
// JS_Destroy, and the engine creates no threads.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }

#include <cstdint>

#include "duriz.h"

// Handles are pointers, result codes plain ints: 32 bits each in the 32-bit
// library, and host handles and name indexes 32 bits on every build.
#ifndef _WIN64
static_assert(sizeof(JsValue *) == 4 && sizeof(JsEvalContext *) == 4 && sizeof(JsScript *) == 4,
              "handles are 32-bit pointers");
#endif
static_assert(sizeof(int) == 4 && sizeof(uint32_t) == 4, "results and host handles are 32-bit");
