// The six host functions given to JS_Init, kept in argument order. Every
// one but callHostMethod and hostAlloc may be null, and is tested first.
#ifndef DURIZ_ENGINE_CALLBACKS_H
#define DURIZ_ENGINE_CALLBACKS_H

#include "duriz.h"

struct HostCallbacks {
    DurizGetHostProperty getHostProperty;
    DurizGetHostObject getHostObject;
    DurizSetHostProperty setHostProperty;
    DurizCallHostMethod callHostMethod;
    DurizHostAlloc hostAlloc;
    DurizReportError reportError;
};

extern HostCallbacks g_host;

// Reports through reportError when the host gave one.
void ReportToHost(uint32_t handle, int code, const char *text);

#endif
