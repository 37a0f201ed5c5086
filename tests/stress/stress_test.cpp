// Stress: many scripts compiled (half in chunks), run in interleaved
// contexts at their step budgets, given back in varying orders, with engine
// restarts: nothing left at shut-down, no growth from round to round. Then
// pages after pages making cycles: neither the engine's count nor the C
// library's heap grows, and JS_Destroy brings the heap back to its start.
// Usage: stress_test [SCRIPTS [no-cycles]]   (default 10000; no-cycles skips
// the pages, as under valgrind, whose heap is not the C library's)
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "duriz.h"
#include "engine/memory.h"

namespace {

int g_failures = 0;
void Check(bool ok, int line, const char *what) {
    if (!ok) std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, line, what), g_failures++;
}
#define CHECK(cond) Check((cond), __LINE__, #cond)

// Scripts of several shapes; the long ones need many budget rounds.
std::string ScriptText(int i) {
    const std::string n = std::to_string(i);
    switch (i % 6) {
    case 0: return "var s = ''; for (var k = 0; k < " + std::to_string(200 + i % 500) + "; k++) s += k; s.length";
    case 1: return "function f(n) { return n < 2 ? n : f(n - 1) + f(n - 2) } f(" + std::to_string(10 + i % 5) + ")";
    case 2: return "o = new Object(); o.other = new Object(); o.n = " + n + "; o.n + 1";
    case 3: return "a = new Array(); for (j = 0; j < 50; j++) a[j] = 'x' + j; a.sort(); a.join(',').length";
    case 4: return "d = new Date(98, 11, " + std::to_string(1 + i % 28) + "); d.getDay() + escape('a b')";
    default: return "x = " + n + "; eval('x * 2') + parseInt('12') + Math.round(2.5)";
    }
}

// Odd-sized texts arrive in chunks of 7 bytes.
JsScript *Compile(const std::string &text) {
    JsScript *script = JS_CreateScript(0);
    const char *pos = text.data();
    int rc = DURIZ_MORE_TEXT;
    for (size_t at = 7; text.size() % 2 && rc == DURIZ_MORE_TEXT && at < text.size(); at += 7)
        rc = JS_LoadScript(script, &pos, text.data() + at, 1);
    if (rc == DURIZ_MORE_TEXT && JS_LoadScript(script, &pos, text.data() + text.size(), 0) == DURIZ_OK) return script;
    JS_DeleteScript(script);
    return nullptr;
}

struct Running {
    JsScript *script;
    JsEvalContext *context;
    int order;  // how its handles are given back
};

void Scripts(int total) {
    const int rounds = 4, parallel = 4, share = total / rounds;
    size_t firstRoundPeak = 0;
    int done = 0;
    for (int round = 0; round < rounds; round++) {
        JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        std::vector<Running> running;
        size_t peak = 0;
        for (int started = 0; started < share || !running.empty();) {
            while (started < share && static_cast<int>(running.size()) < parallel) {
                const int i = round * share + started++;
                JsScript *script = Compile(ScriptText(i));
                CHECK(script != nullptr);
                JsEvalContext *context = JS_CreateEvalContext(window, script, nullptr, nullptr);
                CHECK(context != nullptr);
                if (script && context) running.push_back({script, context, i});
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
                if (running[k].order % 2) JS_DeleteScript(running[k].script);
                JS_DeleteEvalContext(running[k].context);
                if (running[k].order % 2 == 0) JS_DeleteScript(running[k].script);
                running.erase(running.begin() + static_cast<long>(k));
                done++;
            }
            if (JsMemoryInUse() > peak) peak = JsMemoryInUse();
        }
        JS_DeleteObject(window);
        if (round == 0) firstRoundPeak = peak;
        CHECK(peak <= firstRoundPeak + firstRoundPeak / 10);  // the first round's peak, a tenth more at most
        std::printf("round %d: %d scripts, peak %zu bytes\n", round, share, peak);
        JS_Destroy();
        CHECK(g_blocksLeftAtShutDown == 0);
        CHECK(JsBlocksInUse() == 0);
    }
    CHECK(done == share * rounds);
}

JsValue *g_document = nullptr;
JsValue *DURIZ_CALL DocumentOf(uint32_t, int nameIndex, int) {
    return nameIndex == DURIZ_NAME_DOCUMENT ? g_document : nullptr;
}

// Under the sanitizers, which replace the allocator, the heap is not read
// (their leak checker judges at exit) and fewer pages do.
#if defined(__SANITIZE_ADDRESS__)
const bool kSanitized = true;
#elif defined(__has_feature)
const bool kSanitized = __has_feature(address_sanitizer);
#else
const bool kSanitized = false;
#endif
size_t HeapInUse() { return kSanitized ? 0 : mallinfo2().uordblks; }

// One page run to its end, its handles given back context first (order 0)
// or window first (1); whether its script failed.
bool ShowPage(const std::string &text, int order, uint32_t handle) {
    JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, handle, nullptr);
    JsValue *document = g_document = JS_CreateObject(DURIZ_CLASS_DOCUMENT, handle, window);
    JsScript *script = Compile(text);
    JsEvalContext *context = script ? JS_CreateEvalContext(window, script, nullptr, window) : nullptr;
    int status = DURIZ_BUSY;
    for (JsValue *result = nullptr; context && status == DURIZ_BUSY; JS_DeleteObject(result), result = nullptr)
        status = JS_Evaluate(context, &result);
    g_document = nullptr;
    if (order == 0) JS_DeleteEvalContext(context), JS_DeleteScript(script);
    JS_DeleteObject(order ? window : document);
    JS_DeleteObject(order ? document : window);
    if (order == 1) JS_DeleteScript(script), JS_DeleteEvalContext(context);
    return !context || status == DURIZ_RUNTIME_ERROR;
}

void Pages(int pages) {
    // A page of about 13 KB that keeps the document in a global, with its
    // functions, strings and objects behind it.
    std::string big = "d = document;\n";
    for (int i = 0; big.size() < 12800; i++) {
        const std::string n = std::to_string(i);
        big += "function f" + n + "(a) { return a + " + n + "; }\nvar s" + n + " = 'text " + n + " of the page';\nvar o" +
               n + " = new Object(); o" + n + ".v = f" + n + "(s" + n + ");\n";
    }
    // Every idiom in one page: the window, self and the document kept in
    // globals, a constructor's loop, an object and an array holding
    // themselves, a loop made in a call, a function and its prototype.
    const std::string page = "w = window; var me = self; var x = 1; var o = new Object(); o.v = 'text'; "
                             "function f() { return x; } f(); function Node() { this.next = this; this.v = 'x'; } "
                             "var n = new Node(); var p = new Object(); p.self = p; p.list = new Array(1, 2, 3); "
                             "var a = new Array(); a[0] = a; a[1] = 'x'; function g() { var q = new Object(); "
                             "q.me = q; return 1; } g(); g(); function K() {} K.prototype.self = K; "
                             "K.back = K.prototype; var k = new K();\n";
    // A first engine lets the C library make what it keeps for good.
    JS_Init(nullptr, DocumentOf, nullptr, nullptr, nullptr, nullptr);
    ShowPage(big, 0, 1);
    JS_Destroy();
    const size_t beforeInit = HeapInUse();
    JS_Init(nullptr, DocumentOf, nullptr, nullptr, nullptr, nullptr);
    for (const std::string &text : {page, big}) {
        for (int order = 0; order < 2; order++) {
            for (int p = 0; p < 50; p++) ShowPage(text, order, p + 1);  // pools and caches reach their size
            const size_t heap = HeapInUse(), engine = JsMemoryInUse();
            int failed = 0;
            for (int p = 0; p < pages; p++) failed += ShowPage(text, order, p + 1);
            const double perPage = HeapInUse() > heap ? static_cast<double>(HeapInUse() - heap) / pages : 0.0;
            std::printf("%-30.30s order %d: %5.1f bytes a page\n", text.c_str(), order, perPage);
            CHECK(failed == 0 && perPage < 16.0);
            CHECK(JsMemoryInUse() <= engine + (text == big ? 4096 : 0));  // a pool may grow with the big page
        }
    }
    // Handles the host forgot (a window in a cycle, a context, a script, a
    // result) are all reclaimed by JS_Destroy.
    JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr), *result = nullptr;
    JS_Evaluate(JS_CreateEvalContext(window, Compile("w = window; o = new Object(); o.o = o; 'a result'"), nullptr, window),
                &result);
    JS_Destroy();
    std::printf("heap before JS_Init %zu, after JS_Destroy %zu\n", beforeInit, HeapInUse());
    CHECK(g_blocksLeftAtShutDown > 0 && HeapInUse() <= beforeInit);
}

}  // namespace

int main(int argc, char **argv) {
    const bool pages = !(argc > 2 && std::string(argv[2]) == "no-cycles");
    if (pages && !getenv("DURIZ_TCACHE_OFF")) {
        // Once more with the C library's per-thread cache of freed blocks
        // off (it counts them as in use), whatever else the tunables say.
        const char *tunables = getenv("GLIBC_TUNABLES");
        const std::string value = std::string(tunables && *tunables ? std::string(tunables) + ":" : "") +
                                  "glibc.malloc.tcache_count=0";
        setenv("GLIBC_TUNABLES", value.c_str(), 1);
        setenv("DURIZ_TCACHE_OFF", "1", 1);
        execv("/proc/self/exe", argv);
    }
    Scripts(argc > 1 ? std::atoi(argv[1]) : 10000);
    if (pages) Pages(kSanitized ? 200 : 4000);
    std::printf("%d failures\n", g_failures);
    return g_failures ? 1 : 0;
}
