// Micro-benchmarks of the interpreter's hot paths: frames from the pool,
// look-ups in a big object, and whole evaluation rounds of a small loop.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "compiler/token.h"
#include "duriz.h"
#include "interp/frame.h"
#include "values/object.h"

namespace {

struct Engine {
    Engine() { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    ~Engine() { JS_Destroy(); }
};

// One push and pop as the interpreter does them: a frame from the pool,
// its counted fields set and cleared, the frame back to the pool.
void BM_FramePushPop(benchmark::State &state) {
    Engine engine;
    JsObject *scope = new JsObject();
    scope->refs = 1;
    for (auto _ : state) {
        JsFrame *frame = AcquireFrame();
        AssignRef(&frame->thisObject, scope);
        AssignRef(&frame->locals, scope);
        ClearFrame(frame, true);
        ReleaseFrame(frame);
    }
    ReleaseRef(scope);
}
BENCHMARK(BM_FramePushPop);

// Look-ups by name in an object of range(0) slots (indexed past 12).
void BM_GetPropertyManySlots(benchmark::State &state) {
    Engine engine;
    const int n = static_cast<int>(state.range(0));
    JsObject *object = new JsObject();
    object->refs = 1;
    char name[16];
    for (int i = 0; i < n; i++) {
        std::snprintf(name, sizeof name, "%d", i);
        JsNumber *v = MakeNumber(i);
        object->PutProperty(name, v, TK_ASSIGN, 1);
        DropIfUnowned(v);
    }
    int i = 0;
    for (auto _ : state) {
        std::snprintf(name, sizeof name, "%d", i);
        benchmark::DoNotOptimize(object->GetProperty(name));
        i = (i + 7) % n;
    }
    ReleaseRef(object);
}
BENCHMARK(BM_GetPropertyManySlots)->Arg(8)->Arg(100)->Arg(10000);

// A loop of 1000 rounds (an assignment, an addition, a comparison and an
// increment each) compiled once and evaluated to the end.
void BM_EvaluateLoop(benchmark::State &state) {
    Engine engine;
    JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    const char text[] = "var i, s = 0; for (i = 0; i < 1000; i++) s = s + i; s";
    JsScript *script = JS_CreateScript(0);
    const char *pos = text;
    JS_LoadScript(script, &pos, text + std::strlen(text), 0);
    for (auto _ : state) {
        JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, nullptr);
        JsValue *result = nullptr;
        while (JS_Evaluate(context, &result) == DURIZ_BUSY) {
        }
        JS_DeleteObject(result);
        JS_DeleteEvalContext(context);
    }
    JS_DeleteScript(script);
    JS_DeleteObject(window);
}
BENCHMARK(BM_EvaluateLoop);

}  // namespace

BENCHMARK_MAIN();
