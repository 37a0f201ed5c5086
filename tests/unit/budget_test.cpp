// The step budget counts node entries exactly, however the interpreter gets
// through an expression. A script's pushes are found by padding it with
// bare literal statements (one push each) until the first run stops at the
// 8000th push; then every padding that puts the stop inside the script must
// still give the same final value. A run-time error leaves the frames where
// it stopped, to be entered again.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "duriz.h"

namespace {

struct Outcome {
    int rounds = 0;     // JS_Evaluate calls until the run ended
    int status = 0;     // the last status
    int errors = 0;     // the calls that answered a run-time error
    std::string value;  // the final value's text
};

int g_round = 0;  // the JS_Evaluate call under way, from 1

// Runs text in window for up to rounds calls (in a window of its own
// without one); with rounds 0 until the run ends.
Outcome RunText(const std::string &text, JsValue *window = nullptr, int rounds = 0) {
    Outcome out;
    JsValue *own = window ? nullptr : JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
    JsScript *script = JS_CreateScript(0);
    const char *pos = text.c_str();
    EXPECT_EQ(JS_LoadScript(script, &pos, text.c_str() + text.size(), 0), DURIZ_OK) << text;
    JsEvalContext *context = JS_CreateEvalContext(window ? window : own, script, nullptr, nullptr);
    out.status = DURIZ_BUSY;
    while (context && (rounds ? out.rounds < rounds : out.status == DURIZ_BUSY && out.rounds < 100)) {
        JsValue *value = nullptr;
        g_round = ++out.rounds;
        out.status = JS_Evaluate(context, &value);
        out.errors += out.status == DURIZ_RUNTIME_ERROR;
        const char *t = value ? JS_GetStringValue(value) : nullptr;
        out.value = t ? t : "";
        JS_DeleteObject(value);
    }
    JS_DeleteEvalContext(context);
    JS_DeleteScript(script);
    JS_DeleteObject(own);
    return out;
}

std::string Padded(int padding, const std::string &body) {
    std::string text;
    for (int i = 0; i < padding; i++) text += "0;";
    return text + body;
}

// The pushes the body takes: the smallest padding with a second round is
// 8000 - pushes. With leading, the padding goes after the body, which then
// runs at the start of a round with the whole budget before it.
int PushesOf(const std::string &body, bool leading = false) {
    int low = 0, high = 8000;  // a padding of 8000 always gives two rounds
    while (low < high) {
        const int mid = (low + high) / 2;
        if (RunText(leading ? body + ";" + Padded(mid, "") : Padded(mid, body)).rounds >= 2) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return 8000 - low;
}

// The window's status answers the round it is read in.
int DURIZ_CALL RoundOfRead(uint32_t, int, int, const char **, int32_t *number) {
    *number = g_round;
    return 1;
}

struct Case {
    const char *body;
    int pushes;
    const char *value;
};

class Budget : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { JS_Init(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }
    void TearDown() override { JS_Destroy(); }
    // The pushes are those of one frame per node entered, and a stop at any
    // of them changes nothing the script sees.
    static void Check(const Case &c) {
        EXPECT_EQ(PushesOf(c.body), c.pushes) << c.body;
        for (int padding = 8000 - c.pushes - 2; padding <= 8000; padding++) {
            const Outcome out = RunText(Padded(padding, c.body));
            EXPECT_NE(out.status, DURIZ_RUNTIME_ERROR) << c.body << " padded by " << padding;
            EXPECT_EQ(out.value, c.value) << c.body << " padded by " << padding;
        }
    }
};

TEST_P(Budget, CountsEveryNodeEnteredAndAStopAnywhereChangesNothing) { Check(GetParam()); }

std::string Nested(int depth) {
    std::string text = "1";
    for (int d = 0; d < depth; d++) text = "(" + text + " + 1)";
    return text;
}
// Nested deeper than the interpreter evaluates without frames, and just within it.
const std::string kDeep30 = Nested(30), kDeep40 = Nested(40);

const Case kShapes[] = {
    // operators count every operand that runs and the operator; short
    // circuits only what runs
    {"1 + 2 * 3", 5, "7"}, {"x = 5; x = -x", 5, "-5"}, {"(7 - 2) % 3 << 1 | 8", 9, "12"},
    {"typeof y + !0 + ~1", 8, "nulltrue-2"}, {"1 == 1.0 && 'b' > 'a'", 7, "true"},
    {"false && undefinedFunction()", 2, "false"}, {"true || 1 / 0", 2, "true"}, {"1 && 2 < 3", 5, "true"},
    {"0 || 4 - 4", 5, "false"}, {kDeep30.c_str(), 61, "31"}, {kDeep40.c_str(), 81, "41"},
    // member access counts the object and a computed index; assignments
    // their value and a member target
    {"o = new Object(); o.p = new Object(); o.p.q = 6; o.p.q * 2", 20, "12"},
    {"a = new Array(); a[1] = 'x'; a[0] = 'y'; i = 0; a[i + 1] + a[i] + a['1']", 25, "xyx"},
    {"s = 'hello'; 'abc'.length + '12'.length + s.length", 10, "10"},
    {"function f(a, b) { return f.length + f[1] + f.arguments[0] } f(4, 5)", 16, "11"},
    {"m = Math; m.max", 4, "function"}, {"x = 1; x += 2; x *= x; y = x++; ++x + y", 11, "20"},
    {"o = new Object(); o.a = 3; o['b'] = o.a--; o[o.a] = o.b; o[2] + o.a", 26, "5"},
    {"a = new Array(); i = 2; a[i * 2] = i; a[4] <<= 3; a.length + a[4]", 22, "21"},
    {"s = 'ab'; s.x = 1; s.x", 8, ""}, {"u = v = w = 4; u + v + w", 9, "12"},
    // expressions inside statements, calls (the list and each argument)
    // and the targets of calls and stores (their object)
    {"var s = 0; var i; for (i = 0; i < 3; i++) s = s + i * i; s", 41, "5"},
    {"function g(a) { return a * 2 + 1 } g(3) + g(4)", 22, "16"},
    {"o = new Object(); o.k = 4; with (o) { r = k * k + 1 } r", 18, "17"},
    {"function h(a, b, c) { return a + b * c } h(1, 2 + 3, h(4, 5, 6))", 26, "171"},
    {"function k() { return 7 } k() + k()", 12, "14"}, {"function m(a) { return a } m(m(m(1) + 1) + 1)", 21, "3"},
    {"function g() { return 3 } o = new Object(); o.g = g; o.p = new Object(); o.p.v = o.g() + 1; o.p.v", 31, "4"},
    {"a = new Array(); a[0] = Math; i = 0; a[i].max(2, a[i + 0].min(7, 8))", 28, "7"},
    {"o = new Object(); o.k = 1; t = new Object(); for (t.n in o) t.n; t.n", 20, "k"},
    {"s = 'abc'; s.charAt(1) + 'xy'.charAt(0)", 15, "bx"},
    // choices count the condition and the branch taken
    {"x = 1; if (x < 2) y = x + 10; else y = 0; y", 11, "11"}, {"x = 5; if (x < 2) y = 1; else y = x * x - 1; y", 13, "24"},
    {"x = 5; y = 3; if (x < 2) y = 1; y", 9, "3"},
    {"x = 0; z = x ? 'a' : x + 1 > 0 ? 'b' : 'c'; z + (x == 0 ? 1 : 2)", 19, "b1"},
    {"var s = 0; var i; for (i = 0; i < 6; i++) if (i % 2) s += i; else s -= 1; s", 71, "6"},
    {"function f(n) { return n < 2 ? n : n - 1 } f(1) + f(5)", 24, "5"},
    // guards in bodies count the if, its condition and the return taken; one
    // statement left after them, or alone in the body
    {"function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2) } fib(6)", 299, "8"},
    {"function f(x) { if (x > 3) return 'big'; if (x > 1) return 'mid'; return 'small' } f(5) + f(2) + f(0)", 41,
     "bigmidsmall"},
    {"function g(a) { if (a == 0) return 0; var b = a * 2; return b + 1 } g(0) + g(3)", 29, "7"},
    {"var k = 0; function h(a) { if ((k = k + a) > 5) return k; k++; return -k } h(1) + ',' + h(9)", 35, "-2,11"},
    {"function e(a) { if (a) return; return 4 } e(1) + '' + e(0)", 19, "undefined4"},
    {"function g(a) { return a + 1 } function f(a) { t = g(a) * 2 } f(3); t", 18, "8"},
    {"function w(n) { while (true) { if (n > 2) break; n++ } } w(0) + '' + w(5)", 49, "undefinedundefined"},
    {"function v(n) { if (n) return 'x'; var k = n + 1 } v(0) + '' + v(1)", 23, "undefinedx"},
    // built-in calls count the call, its callee, list and body; callees that
    // name no such built-in, or name one only for a while
    {"x = Math.floor(2.7) + Math.abs(-3); x", 16, "5"},
    {"acc = 0; for (i = 1; i < 4; i++) acc = acc + Math.floor(Math.sqrt(i) * 10) + Math.max(i % 2, 3); acc", 99, "50"},
    {"s = parseInt('12') + parseFloat('1.5') + (isNaN('x') ? 1 : 0); s", 18, "13.5"},
    {"a = new Array(); a[Math.round(1.4)] = escape('a b'); a[1] + unescape('%41')", 24, "a%20bA"},
    {"m = Math; m.floor(m.PI) + m.pow(2, m.ceil(2.1)) + Math.max()", 28, "11"},
    {"s = 'a,bc'; n = 42; s.charAt(2) + s.indexOf('c') + n.charAt(1) + s.substring(1, 3).length + s.split(',')", 40,
     "b322object"},
    {"s = 'a,bc'; p = s.split(','); t = true; p[1].charAt(1) + (t ? s : p).substring(0, 1) + p[0].toUpperCase()", 35,
     "caA"},
    {"function fl(x) { return x * 2 } o = new Object(); o.floor = fl; "
     "function g(Math) { return Math.floor(4) + 1 } g(o) + g(Math)", 41, "14"},
    {"function t(x) { return x * 10 } var h = Math.abs; var k; var r = ''; "
     "for (k = 0; k < 3; k++) { if (k == 2) h = t; r = r + h(-2) + ',' } r", 79, "2,2,-20,"},
    {"with (Math) { r = floor(2.5) + 1 } y = (z = 2) + Math.abs(-z); r + y", 24, "7"},
    {"function q(n) { if (Math.abs(n) < 2) return Math.floor(n * 1.5); return Math.min(n, 0) } q(1) + q(-5)", 46, "-4"},
    // loops with blocks, jumps out of them, with scopes
    {"s = 0; for (i = 0; i < 6; i++) { s = s + i * 2; t = s % 7 } s + t", 101, "32"},
    {"n = 0; k = 9; while (k > 0) { k = k - 2; n++ } n + ',' + k", 58, "5,-1"},
    {"s = ''; for (i = 0; i < 3; i++) for (j = 0; j < 2; j++) s = s + i + j; s", 99, "000110112021"},
    {"s = 0; for (i = 0; i < 8; i++) { if (i == 5) break; if (i % 2) continue; s = s + i } s", 94, "6"},
    {"o = new Object(); o.v = 1; with (o) { for (i = 0; i < 3; i++) { v = v * 3; w = v } } o.v + ',' + w", 56, "1,1"},
    {"s = 0; for (i = 0; i < 4; i++) { } for (; s < 3;) s++; i = 0; while (i < 3) { i++ } s + i", 72, "6"},
    {"s = 'a'; for (i = 0; i < 3; i++) { s = s + Math.floor(i * 1.5) + s.length } s", 66, "a011335"},
    // everyday shapes: methods, var locals, braces, returns and breaks in
    // loops, with, for ... in, string and array building
    {"function Adder(k) { this.k = k; this.add = add } function add(x) { return x + this.k } o = new Adder(3); "
     "s = 0; for (i = 0; i < 4; i++) s = o.add(s); s", 89, "12"},
    {"function P() { this.v = 1 } p = new P(); q = new P; p.v + q.v", 22, "2"},
    {"function sum(n) { var s = 0; var i; for (i = 0; i < n; i++) s = s + i; return s } sum(6)", 65, "15"},
    {"function f(n) { var r; if (n > 2) { r = 'big' } else { r = 'small' } return r } f(1) + f(5)", 30, "smallbig"},
    {"function g(a) { var k; for (k = 0; k < 9; k++) { if (k == a) return k * 10 } return -1 } g(3) + g(20)", 144, "29"},
    {"function h(a) { var k = 0; while (true) { k++; if (k > a) break } return k } h(4)", 47, "5"},
    {"o = new Object(); o.x = 1; o['y'] = 2; with (o) { t = x + y } o.x + o['y'] + t", 26, "6"},
    {"o = new Object(); o.a = 1; o.b = 2; s = ''; for (p in o) s = s + p + o[p]; s", 31, "a1b2"},
    {"function e(o) { var n = 0; for (var p in o) n++; return n } x = new Object(); x.u = 1; x.w = 2; e(x)", 26, "2"},
    {"s = ''; for (i = 0; i < 5; i++) s += i; s + 'x' + s.length", 44, "01234x5"},
    {"a = new Array(); for (i = 0; i < 5; i++) a[i] = i * i; t = 0; for (i = 0; i < a.length; i++) t = t + a[i]; t",
     120, "30"},
    {"function m() { return this } function M() { this.m = m } w = new M(); w.m() == w", 20, "true"},
    {"var n = 0; function bump() { n++ } bump(); bump(); n", 13, "2"},
    {"x = 3; y = x > 2 ? (x < 5 ? 'mid' : 'high') : 'low'; y", 13, "mid"},
    {"s = 'abc'; n = 0; i = 0; while (i < s.length) { if (s.charAt(i) == 'b') n = i; i++ } n", 59, "1"},
    {"function fact(n) { if (n <= 1) { return 1 } else { return n * fact(n - 1) } } fact(6)", 82, "720"},
};
INSTANTIATE_TEST_SUITE_P(Shapes, Budget, ::testing::ValuesIn(kShapes));

// Calls of script functions inside expressions: a stop anywhere in the
// callee's body, or at the start of a round, counts the same. (One test,
// which the quick runs leave out.)
TEST_F(Budget, ScriptCallsInsideExpressions) {
    const Case cases[] = {
        {"function m(a, b) { if (a > b) return a; return b * 2 } x = m(3, 1) + m(1, 3); x", 28, "9"},
        {"function s(x) { if (x > 0) return 1; if (x < 0) return -1; return 0 } s(5) + s(-5) + s(0) + s(2)", 54, "1"},
        {"function f(a, b, c) { return a + ',' + b + ',' + c } f(1) + f(1, 2, 3, 4)", 33, "1,null,null1,2,3"},
        {"function t(s) { return s.length + t.arguments.length } Math.max(t('abc', 1), 2) + t('x')", 31, "7"},
        {"var k = 3; function g(n) { return n * k } for (i = 0; i < 4; i++) k = g(i) + 1; k", 71, "16"},
        {"function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2) } fib(8)", 803, "21"},
        {"function ev(n) { if (n == 0) return true; return od(n - 1) } "
         "function od(n) { if (n == 0) return false; return ev(n - 1) } ev(25) + ',' + od(9)", 399, "false,true"},
        {"function d(n) { if (n == 0) return 0; return d(n - 1) + 1 } d(70)", 921, "70"},
        {"function a(m, n) { if (m == 0) return n + 1; if (n == 0) return a(m - 1, 1); return a(m - 1, a(m, n - 1)) }"
         " a(2, 1)", 212, "5"},
        {"function p(a, b) { if (a < 1) return b; return p(a - 1) + 1 } b = 4; p(3, 7)", 53, "7"},
        {"function ap(f, x) { return f(x) * f(x + 1) } function sq(x) { return x * x } ap(sq, 3) + ap(sq, -1)", 54, "144"},
        {"var k = 2; function g(n) { if (n < 1) return k; return g(n - 1) * 2 } x = g(4); k = 3; x + g(4)", 133, "80"},
        {"function c(n) { return n < 1 ? 0 : (n % 2 ? n + c(n - 1) : c(n - 1) - 1) } c(20)", 351, "90"},
        {"function h(n) { if (n < 1) return status; return h(n - 1) } h(5)", 66, ""},
        {"function t(s, n) { if (n < 1) return s; return t(s + n, n - 1) } t('', 9) + t(1, 2)", 178, "9876543214"},
        {"function q(a, a) { if (a > 9) return a; return q(a + 5, a) } q(1, 2)", 36, "11"},
        {"function g(x) { var y = x + 1; return y * 2 } s = 0; for (i = 0; i < 4; i++) { s = s + 1; s = s + g(i); "
         "s-- } s", 114, "20"},
    };
    for (const Case &c : cases) {
        Check(c);
        EXPECT_EQ(PushesOf(c.body, true), c.pushes) << c.body;
    }
}

// Wherever the first round stops inside the body, the rest of the run is
// counted from there: a read placed to be the 16000th push always runs at
// the start of the third round, never a push early or late.
class BudgetRounds : public Budget {
protected:
    void SetUp() override { JS_Init(RoundOfRead, nullptr, nullptr, nullptr, nullptr, nullptr); }
};

TEST_F(BudgetRounds, AStopInsideABodyShiftsNothingAfterIt) {
    for (const std::string body :
         {"function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2) } fib(6);",
          "function d(n) { if (n == 0) return 0; return d(n - 1) + 1 } function w(n) { return d(n) * 2 } w(9);",
          "function m(x) { return Math.floor(x / 2) + Math.abs(x) } function g(a) { if (a) return m(a); return 0 } "
          "g(7) + g(0);"}) {
        const int pushes = PushesOf(body);
        for (int padding = 8000 - pushes - 2; padding <= 8000; padding++) {
            std::string text = Padded(padding, body);
            for (int i = padding + pushes; i < 15999; i++) text += "0;";
            EXPECT_EQ(RunText(text + "status").value, "3") << body << " padded by " << padding;
        }
    }
}

// A host callback that deletes the context running it: the run stops at
// its next push, nothing after the read runs, and the context goes as
// JS_Evaluate returns (under the sanitizers, any use of its frames after
// that would fail the test).
JsEvalContext *g_running = nullptr;
int DURIZ_CALL DeleteOnRead(uint32_t, int, int, const char **, int32_t *number) {
    JS_DeleteEvalContext(g_running);
    *number = 5;
    return 1;
}

TEST(BudgetDelete, AContextDeletedWhileItRunsStopsAndGoesWhenItReturns) {
    JS_Init(DeleteOnRead, nullptr, nullptr, nullptr, nullptr, nullptr);
    // The store of a read's value is made only where it needs no push of
    // its own (the built-in's body is one).
    const std::pair<std::string, std::string> reads[] = {
        {"c = status", "5,0"}, {"c = Math.abs(status)", "0,0"},
        {"function f() { return status } c = f()", "5,0"}, {"o = new Object(); with (o) { c = status }", "5,0"}};
    for (const auto &[read, expected] : reads) {
        JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        const std::string text = "c = 0; d = 0; " + read + "; d = 1; while (true) d++";
        JsScript *script = JS_CreateScript(0);
        const char *pos = text.c_str();
        ASSERT_EQ(JS_LoadScript(script, &pos, text.c_str() + text.size(), 0), DURIZ_OK) << text;
        g_running = JS_CreateEvalContext(window, script, nullptr, nullptr);
        JsValue *value = reinterpret_cast<JsValue *>(1);
        EXPECT_EQ(JS_Evaluate(g_running, &value), DURIZ_BUSY) << read;
        EXPECT_EQ(value, nullptr) << read;
        g_running = nullptr;
        JS_DeleteScript(script);
        EXPECT_EQ(RunText("c + ',' + d", window).value, expected) << read;
        JS_DeleteObject(window);
    }
    JS_Destroy();
}

// A run-time error leaves the frames where it stopped: every later
// JS_Evaluate re-enters the failing node and fails again, and nothing
// before it runs twice, whatever the shape of the failing statement.
TEST_F(Budget, ARunTimeErrorIsEnteredAgainWithoutRunningWhatCameBefore) {
    for (const std::string failing :
         {"x.y.z", "{ x.y.z }", "if (c) x.y.z", "for (i = 0; i < 3; i++) { x.y.z }", "while (true) x.y.z",
          "function f() { return x.y.z } f()", "function g(a) { a.q.r } g(1) + 2", "v = nothing()",
          "Math.max(1, x.y.z)", "o = new Object(); with (o) { x.y.z }", "for (p in nothing) c", "c %= 2",
          "var q = x.y.z", "t = (1 + x.y.z) * 2", "function e(n) { if (n < 1) return nothing(n); return e(n - 1) + 1 } e(5)",
          "s = 0; for (i = 0; i < 3; i++) { s = s + i; s = s.x.y }",
          "function h(n) { if (n > 0) { return n + x.y.z } return 0 } h(1)",
          "function k(n) { var i; for (i = 0; i < n; i++) { if (i == 2) return i.x.y } } k(5)",
          "for (i = 0; i < 5; i++) { if (i == 1) { t = i; x.y.z; break } }"}) {
        JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, nullptr);
        const Outcome failed = RunText("c = c + 1; " + failing, window, 3);
        EXPECT_EQ(failed.errors, 3) << failing;
        EXPECT_EQ(RunText("c", window).value, "1") << failing;
        JS_DeleteObject(window);
    }
    // Entered again, the failing node (whose missing operand is now the one
    // it kept) completes, and the rest goes on from where it stood.
    const struct {
        const char *text;
        int second;
        const char *value;
    } resumed[] = {
        {"c = c + 1; t = (c + (1 + void 0)) * 10; t + ',' + c", DURIZ_DONE, "30,1"},
        {"c = c + 1; if (c > 0) { u = 'a' + c; v = u + (c - void 0) } v + ',' + c", DURIZ_DONE, "a10,1"},
        {"c = c + 1; o = new Object(); o.k = 3; o.k += (o.k + void 0) + c; o.k + ',' + c", DURIZ_DONE, "10,1"},
        {"c = c + 1; s = 0; for (i = 0; i < 3; i++) s = s + i * (2 * void 0); s + ',' + c", DURIZ_RUNTIME_ERROR, ""},
        {"c = c + 1; function r(a) { if (a) { return a + (c - void 0) } return 0 } r(5) + ',' + c", DURIZ_DONE, "5,1"},
        {"c = c + 1; for (i = 0; i < 4; i++) { if (i == 2) { t = i + (1 - void 0); break } } t + ',' + i + ',' + c",
         DURIZ_DONE, "2,2,1"},
    };
    for (const auto &c : resumed) {
        const Outcome twice = RunText(c.text, nullptr, 2);
        EXPECT_EQ(twice.errors, c.second == DURIZ_RUNTIME_ERROR ? 2 : 1) << c.text;
        EXPECT_EQ(twice.status, c.second) << c.text;
        EXPECT_EQ(twice.value, c.value) << c.text;
    }
}

}  // namespace
