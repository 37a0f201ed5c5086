#include "interp/frame.h"

#include <initializer_list>

#include "compiler/script.h"
#include "values/value.h"

int g_dialogFlag = 0;

namespace {
JsList *g_framePool = nullptr;
}

JsFrame *AcquireFrame() {
    if (g_framePool) {
        if (JsFrame *frame = static_cast<JsFrame *>(g_framePool->First())) {
            frame->Unlink();
            return frame;
        }
    }
    return new JsFrame();
}

void ReleaseFrame(JsFrame *frame) {
    if (!g_framePool) {
        g_framePool = new JsList();
        if (!g_framePool) {
            delete frame;
            return;
        }
    }
    frame->AppendTo(*g_framePool);
}

void FramePoolDestroy() {
    if (!g_framePool) return;
    while (JsListNode *frame = g_framePool->First()) {
        frame->Unlink();
        delete frame;
    }
    delete g_framePool;
    g_framePool = nullptr;
}

void ClearFrame(JsFrame *frame, bool full) {
    AssignRef(&frame->operand1, nullptr);
    AssignRef(&frame->operand2, nullptr);
    frame->memberName = nullptr;
    if (!full) return;
    AssignRef(&frame->held, nullptr);
    AssignRef(&frame->pendingArgs, nullptr);
    if (frame->ownsScope) {
        AssignRef(&frame->args, nullptr);
        AssignRef(&frame->locals, nullptr);
        AssignRef(&frame->thisObject, nullptr);
        AssignRef(&frame->withObject, nullptr);
        AssignRef(&frame->globalObject, nullptr);
        frame->ownsScope = false;
    } else {
        frame->args = frame->locals = frame->thisObject = frame->withObject = frame->globalObject = nullptr;
    }
    if (frame->ownedScript) {
        JsScript::Release(frame->ownedScript);
        frame->ownedScript = nullptr;
    }
    frame->function = nullptr;
    frame->node = nullptr;
    frame->savedChild = nullptr;
    frame->wantReference = 0;
    frame->toStringArgs = 0;
    frame->argumentsDone = 0;
    frame->withStart = nullptr;
}

void OwnScope(JsFrame *frame) {
    if (frame->ownsScope) return;
    for (JsValue *value : {frame->thisObject, frame->locals, frame->args, frame->withObject, frame->globalObject})
        if (value) value->refs++;
    frame->ownsScope = true;
}

void PutOperand(JsFrame *frame, JsValue *value) {
    if (!value) return;
    if (!frame->operand1) {
        AssignRef(&frame->operand1, value);
    } else if (!frame->operand2) {
        AssignRef(&frame->operand2, value);
    } else {
        DropIfUnowned(value);
    }
}
