// Micro-benchmarks of the value layer's hot paths.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "builtins/names.h"
#include "compiler/token.h"
#include "duriz.h"
#include "values/convert.h"
#include "values/object.h"

namespace {

struct Engine {
    Engine() { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    ~Engine() { JS_Destroy(); }
};

void BM_LookupNameHit(benchmark::State &state) {
    const char *names[] = {"length", "document", "getTimezoneOffset", "E", "toString", "location"};
    size_t lengths[6];
    for (int i = 0; i < 6; i++) lengths[i] = std::strlen(names[i]);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LookupName(names[i], lengths[i]));
        i = (i + 1) % 6;
    }
}
BENCHMARK(BM_LookupNameHit);

void BM_LookupNameMiss(benchmark::State &state) {
    for (auto _ : state) benchmark::DoNotOptimize(LookupName("counter", 7));
}
BENCHMARK(BM_LookupNameMiss);

// A plain object with ten properties p0..p9.
struct TenProperties {
    Engine engine;
    JsObject *object = new JsObject();
    char names[10][4];
    TenProperties() {
        object->refs = 1;
        for (int i = 0; i < 10; i++) {
            std::snprintf(names[i], sizeof names[i], "p%d", i);
            JsNumber *n = MakeNumber(i);
            object->PutProperty(names[i], n, TK_ASSIGN, 1);
            DropIfUnowned(n);
        }
    }
    ~TenProperties() { ReleaseRef(object); }
};

void BM_GetPropertyTenSlots(benchmark::State &state) {
    TenProperties t;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.object->GetProperty(t.names[i]));
        i = (i + 1) % 10;
    }
}
BENCHMARK(BM_GetPropertyTenSlots);

void BM_PutPropertyTenSlots(benchmark::State &state) {
    TenProperties t;
    JsNumber *value = MakeNumber(42);
    value->refs = 1;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.object->PutProperty(t.names[i], value, TK_ASSIGN, 1));
        i = (i + 1) % 10;
    }
    ReleaseRef(value);
}
BENCHMARK(BM_PutPropertyTenSlots);

void BM_AssignNumber(benchmark::State &state) {
    Engine engine;
    JsValue *slot = nullptr;
    JsNumber *value = MakeNumber(1.5);
    value->refs = 1;
    AssignToSlot(&slot, value, TK_ASSIGN);
    for (auto _ : state) {
        AssignToSlot(&slot, value, TK_ADD_ASSIGN);  // in place: the slot is the only holder
        benchmark::DoNotOptimize(slot);
    }
    AssignRef(&slot, nullptr);
    ReleaseRef(value);
}
BENCHMARK(BM_AssignNumber);

void BM_AssignStringJoin(benchmark::State &state) {
    // Each round: the slot holds "hello" (shared with another holder), then
    // += "abc" makes the joined string and drops the slot's old reference.
    Engine engine;
    JsString *piece = JsString::Make("abc");
    JsString *base = JsString::Make("hello");
    piece->refs = base->refs = 1;
    JsValue *slot = nullptr;
    for (auto _ : state) {
        AssignRef(&slot, base);
        AssignToSlot(&slot, piece, TK_ADD_ASSIGN);
        benchmark::DoNotOptimize(slot);
    }
    AssignRef(&slot, nullptr);
    ReleaseRef(piece);
    ReleaseRef(base);
}
BENCHMARK(BM_AssignStringJoin);

}  // namespace


