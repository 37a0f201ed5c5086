#include "interp/locals.h"

#include <cstring>

#include "engine/shared.h"

JsLocals *JsLocals::Make(JsFunction *function) {
    JsLocals *locals = new JsLocals();
    if (!locals) return nullptr;
    const int32_t count = function->LocalCount();
    if (count > kInlineCells) {
        locals->cells_ = static_cast<JsValue **>(JsMalloc(count * sizeof(JsValue *)));
        if (!locals->cells_) {
            locals->cells_ = locals->inline_;
            delete locals;
            return nullptr;
        }
        std::memset(locals->cells_, 0, count * sizeof(JsValue *));
    }
    locals->count_ = count;
    locals->names_ = function->LocalNames();
    locals->function_ = function;
    function->refs++;
    return locals;
}

bool JsLocals::Keep(JsLocals *locals) {
    JsFunction *function = locals->function_;
    if (!function || locals->refs != 1 || function->keptLocalsCount >= kKept || locals->slotCount) return false;
    for (int32_t i = 0; i < locals->count_; i++) AssignRef(&locals->cells_[i], nullptr);
    // The holder's count moves to the function's list, linked through
    // internal; the kept locals let go of the function, which holds them.
    locals->internal = function->keptLocals;
    function->keptLocals = locals;
    function->keptLocalsCount++;
    locals->function_ = nullptr;
    ReleaseRef(function);
    return true;
}

JsLocals *JsLocals::TakeKept(JsFunction *function) {
    JsLocals *locals = static_cast<JsLocals *>(function->keptLocals);
    if (!locals) return nullptr;
    function->keptLocals = static_cast<JsObject *>(locals->internal);
    function->keptLocalsCount--;
    locals->internal = nullptr;
    locals->refs = 0;  // as new: the caller takes it
    locals->function_ = function;
    function->refs++;
    return locals;
}

void JsLocals::ForEachReference(Visitor visit, void *context) {
    JsObject::ForEachReference(visit, context);
    for (int32_t i = 0; i < count_; i++) visit(cells_[i], context);
    visit(function_, context);
}

JsLocals::~JsLocals() {
    for (int32_t i = 0; i < count_; i++) ReleaseHeld(cells_[i]);
    if (cells_ != inline_) JsFree(cells_);
    ReleaseHeld(function_);
}


JsValue *JsLocals::GetProperty(const char *name) {
    if (!name) return nullptr;
    const int i = CellOf(name);
    if (i >= 0 && cells_[i]) return cells_[i];
    return JsObject::GetProperty(name);
}

JsValue *JsLocals::PutProperty(const char *name, JsValue *value, int op, int create) {
    if (!name) return nullptr;
    const int i = CellOf(name);
    if (i >= 0) return StoreCell(i, value, op, create);
    return JsObject::PutProperty(name, value, op, create);
}
