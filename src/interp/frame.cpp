#include "interp/frame.h"

#include <initializer_list>

#include "compiler/script.h"
#include "values/value.h"

int g_dialogFlag = 0;
JsFrame *g_framePool = nullptr;

void FramePoolDestroy() {
    while (JsFrame *frame = g_framePool) {
        g_framePool = frame->below;
        delete frame;
    }
}

void ClearHeavy(JsFrame *frame) {
    AssignRef(&frame->held, nullptr);
    AssignRef(&frame->pendingArgs, nullptr);
    if (frame->ownsScope) {
        AssignRef(&frame->args, nullptr);
        AssignRef(&frame->locals, nullptr);
        AssignRef(&frame->thisObject, nullptr);
        AssignRef(&frame->withObject, nullptr);
        AssignRef(&frame->globalObject, nullptr);
        frame->ownsScope = false;
    }
    if (frame->ownedScript) {
        JsScript::Release(frame->ownedScript);
        frame->ownedScript = nullptr;
    }
}

void CountScope(JsFrame *frame) {
    for (JsValue *value : {frame->thisObject, frame->locals, frame->args, frame->withObject, frame->globalObject})
        if (value) value->refs++;
    frame->ownsScope = true;
}
