#include "engine/callbacks.h"

HostCallbacks g_host = {};

void ReportToHost(uint32_t handle, int code, const char *text) {
    if (g_host.reportError) g_host.reportError(handle, code, text);
}
