// Stress: many scripts compiled, run and deleted in one engine, with
// several contexts evaluated in turn while each stops at its step budget,
// handles given back in varying orders, and engine restarts. At every
// shut-down nothing may be left that the host gave back, and the memory the
// engine holds between restarts must not grow from round to round; pages
// that make reference cycles must not leave them behind either.
//
// Usage: stress_test [SCRIPTS [no-cycles]]   (default 10000; no-cycles skips
// the pages with cycles)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "duriz.h"
#include "engine/memory.h"

namespace {

int g_failures = 0;
#define CHECK(cond)                                                              \
    do {                                                                         \
        if (!(cond)) {                                                           \
            std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            g_failures++;                                                        \
        }                                                                        \
    } while (0)

// Scripts of several shapes; the long ones need many budget rounds.
std::string ScriptText(int i) {
    switch (i % 6) {
    case 0: return "var s = ''; for (var k = 0; k < " + std::to_string(200 + i % 500) + "; k++) s += k; s.length";
    case 1: return "function f(n) { return n < 2 ? n : f(n - 1) + f(n - 2) } f(" + std::to_string(10 + i % 5) + ")";
    case 2: return "o = new Object(); o.other = new Object(); o.n = " + std::to_string(i) + "; o.n + 1";
    case 3: return "a = new Array(); for (j = 0; j < 50; j++) a[j] = 'x' + j; a.sort(); a.join(',').length";
    case 4: return "d = new Date(98, 11, " + std::to_string(1 + i % 28) + "); d.getDay() + escape('a b')";
    default: return "x = " + std::to_string(i) + "; eval('x * 2') + parseInt('12') + Math.round(2.5)";
    }
}

struct Running {
    JsScript *script;
    JsEvalContext *context;
    int order;  // how its handles are given back
};

JsScript *Compile(const std::string &text) {
    JsScript *script = JS_CreateScript(0);
    const char *pos = text.data();
    // Half the scripts arrive in chunks of 7 bytes.
    if (text.size() % 2) {
        int rc = DURIZ_MORE_TEXT;
        for (size_t at = 7; rc == DURIZ_MORE_TEXT && at < text.size(); at += 7)
            rc = JS_LoadScript(script, &pos, text.data() + at, 1);
        if (rc != DURIZ_MORE_TEXT) {
            JS_DeleteScript(script);
            return nullptr;
        }
    }
    if (JS_LoadScript(script, &pos, text.data() + text.size(), 0) != DURIZ_OK) {
        JS_DeleteScript(script);
        return nullptr;
    }
    return script;
}

void GiveBack(Running &r) {
    if (r.order % 2) {
        JS_DeleteScript(r.script);
        JS_DeleteEvalContext(r.context);
    } else {
        JS_DeleteEvalContext(r.context);
        JS_DeleteScript(r.script);
    }
}

}  // namespace

int main(int argc, char **argv) {
    const int total = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = 4;  // engine restarts
    const int parallel = 4;
    size_t firstRoundPeak = 0;
    int done = 0;
    for (int round = 0; round < rounds; round++) {
        JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        CHECK(window != nullptr);
        std::vector<Running> running;
        size_t peak = 0;
        const int share = total / rounds;
        int started = 0;
        while (started < share || !running.empty()) {
            while (started < share && static_cast<int>(running.size()) < parallel) {
                const int i = round * share + started++;
                JsScript *script = Compile(ScriptText(i));
                CHECK(script != nullptr);
                if (!script) continue;
                JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, nullptr);
                CHECK(context != nullptr);
                running.push_back({script, context, i});
            }
            // One budget round for each running context, in turn.
            for (size_t k = 0; k < running.size();) {
                JsValue *value = nullptr;
                const int status = JS_Evaluate(running[k].context, &value);
                if (value && running[k].order % 3 == 0) {
                    JsValue *copy = JS_NewInstance(value);  // the host keeps a second handle a while
                    JS_DeleteObject(value);
                    value = copy;
                }
                JS_DeleteObject(value);
                if (status == DURIZ_BUSY) {
                    k++;
                    continue;
                }
                CHECK(status == DURIZ_DONE || status == DURIZ_DONE_TRUE || status == DURIZ_DONE_FALSE);
                GiveBack(running[k]);
                running.erase(running.begin() + static_cast<long>(k));
                done++;
            }
            if (JsMemoryInUse() > peak) peak = JsMemoryInUse();
        }
        JS_DeleteObject(window);
        if (round == 0) firstRoundPeak = peak;
        // The peak stays where the first round put it: allow a tenth more.
        CHECK(peak <= firstRoundPeak + firstRoundPeak / 10);
        std::printf("round %d: %d scripts, peak %zu bytes, %zu bytes held before shut-down\n", round, share, peak,
                    JsMemoryInUse());
        JS_Destroy();
        CHECK(g_blocksLeftAtShutDown == 0);
        CHECK(JsBlocksInUse() == 0);
    }
    CHECK(done == (total / rounds) * rounds);
    // Pages that make a reference cycle each, given back: nothing of them
    // stays.
    if (argc > 2 && std::string(argv[2]) == "no-cycles") return g_failures ? 1 : 0;
    JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    size_t before = 0;
    const int cycles = 100;
    for (int i = -1; i < cycles; i++) {
        if (i == 0) before = JsMemoryInUse();  // after a first page has filled the pools
        JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        JsScript *script = Compile("o = new Object(); o.self = o; o.name = 'page'; o.list = new Array(1, 2, 3)");
        JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, nullptr);
        JsValue *value = nullptr;
        while (JS_Evaluate(context, &value) == DURIZ_BUSY) JS_DeleteObject(value);
        JS_DeleteObject(value);
        JS_DeleteEvalContext(context);
        JS_DeleteScript(script);
        JS_DeleteObject(window);
    }
    const size_t after = JsMemoryInUse();
    std::printf("a page making one cycle leaves %zu bytes per run\n", after > before ? (after - before) / cycles : 0);
    CHECK(after <= before);
    JS_Destroy();
    CHECK(g_blocksLeftAtShutDown == 0);
    std::printf("%d scripts, %d failures\n", done, g_failures);
    return g_failures ? 1 : 0;
}
