/* A browser host that shows page after page: each page gets a window and a
   document, runs its script and gives every handle back. Whatever idiom the
   page uses (cycles through the window, the document, constructed objects,
   arrays), the heap must not grow from page to page, and JS_Destroy must
   bring it back to where it was before JS_Init.

   Usage: page_leak_test [PAGES]   (4000 by default, 200 under the sanitizers)
   The heap is read with mallinfo2, with the C library's per-thread cache
   of freed blocks turned off (it counts them as in use); under the
   sanitizers, which replace the allocator, only the leak checker at exit
   judges. */
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "duriz.h"

static JsValue *current_document;
static JsValue *DURIZ_CALL get_object(uint32_t handle, int nameIndex, int classNumber) {
    (void)handle;
    (void)classNumber;
    return nameIndex == DURIZ_NAME_DOCUMENT ? current_document : NULL;
}

static size_t heap_in_use(void) { return mallinfo2().uordblks; }

static int sanitized(void) {
#if defined(__SANITIZE_ADDRESS__)
    return 1;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return 1;
#endif
#endif
    return 0;
}

/* One page: window, document, script, context; run to the end; give back
   in the order given (0: context, script, document, window; 1: window,
   document, script, context). Answers 0, or 1 when the script failed. */
static int show_page(const char *text, int order, uint32_t handle) {
    JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, handle, NULL);
    JsValue *document = JS_CreateObject(DURIZ_CLASS_DOCUMENT, handle, window);
    current_document = document;
    JsScript *script = JS_CreateScript(0);
    const char *position = text;
    int status = JS_LoadScript(script, &position, text + strlen(text), 0);
    JsEvalContext *context = status == 1111 ? JS_CreateEvalContext(window, script, NULL, window) : NULL;
    int failed = !context;
    while (context) {
        JsValue *result = NULL;
        status = JS_Evaluate(context, &result);
        JS_DeleteObject(result);
        if (status != 1234) {
            failed = status == 1001;
            break;
        }
    }
    current_document = NULL;
    if (order == 0) {
        JS_DeleteEvalContext(context);
        JS_DeleteScript(script);
        JS_DeleteObject(document);
        JS_DeleteObject(window);
    } else {
        JS_DeleteObject(window);
        JS_DeleteObject(document);
        JS_DeleteScript(script);
        JS_DeleteEvalContext(context);
    }
    return failed;
}

static char big_page[20000];

static void make_big_page(void) {
    /* About 13 KB of script that keeps the document in a global, with the
       page's functions, strings and objects behind it. */
    size_t n = 0;
    n += (size_t)snprintf(big_page + n, sizeof big_page - n, "d = document;\n");
    for (int i = 0; n + 200 < 13000; i++)
        n += (size_t)snprintf(big_page + n, sizeof big_page - n,
                              "function f%d(a) { return a + %d; }\nvar s%d = 'text number %d of the page';\n"
                              "var o%d = new Object(); o%d.v = f%d(s%d);\n",
                              i, i, i, i, i, i, i, i);
}

struct idiom {
    const char *name;
    const char *text;
};

int main(int argc, char **argv) {
    if (!getenv("DURIZ_TCACHE_OFF")) {
        /* Once, with the cache off (whatever else the tunables say). */
        const char *tunables = getenv("GLIBC_TUNABLES");
        char value[512];
        snprintf(value, sizeof value, "%s%sglibc.malloc.tcache_count=0", tunables ? tunables : "",
                 tunables && *tunables ? ":" : "");
        setenv("GLIBC_TUNABLES", value, 1);
        setenv("DURIZ_TCACHE_OFF", "1", 1);
        execv("/proc/self/exe", argv);
    }
    /* Under the sanitizers the heap is not read, and fewer pages do. */
    const int pages = argc > 1 ? atoi(argv[1]) : sanitized() ? 200 : 4000;
    make_big_page();
    static char strings_page[4000];
    {
        size_t n = (size_t)snprintf(strings_page, sizeof strings_page, "var me = self;\n");
        for (int i = 0; i < 20; i++)
            n += (size_t)snprintf(strings_page + n, sizeof strings_page - n,
                                  "var t%d = 'a string kept by the window, number %d';\n", i, i);
    }
    const struct idiom idioms[] = {
        {"acyclic", "var x = 1; var o = new Object(); o.v = 'text'; function f() { return x; } f();"},
        {"w = window", "w = window;"},
        {"var me = self", strings_page},
        {"d = document", big_page},
        {"this.next = this", "function Node() { this.next = this; this.v = 'x'; } var n = new Node();"},
        {"o.self = o", "var o = new Object(); o.self = o; o.name = 'loop';"},
        {"a[0] = a", "var a = new Array(); a[0] = a; a[1] = 'x';"},
        {"local cycle", "function g() { var o = new Object(); o.me = o; return 1; } g(); g();"},
        {"function and prototype", "function K() {} K.prototype.self = K; K.back = K.prototype; var k = new K();"},
    };
    const size_t count = sizeof idioms / sizeof idioms[0];
    int failures = 0;
    const int check = !sanitized();

    /* A first engine, started and shut down, lets the C library make what
       it keeps for good (the output buffer, the time zone). */
    printf("pages: %d\n", pages);
    JS_Init(NULL, get_object, NULL, NULL, NULL, NULL);
    show_page(big_page, 0, 1);
    JS_Destroy();
    const size_t before_init = heap_in_use();
    JS_Init(NULL, get_object, NULL, NULL, NULL, NULL);
    for (size_t i = 0; i < count; i++) {
        for (int order = 0; order < 2; order++) {
            /* A few pages first, so that pools and caches reach their size. */
            for (int p = 0; p < 50; p++) show_page(idioms[i].text, order, (uint32_t)p + 1);
            const size_t start = heap_in_use();
            for (int p = 0; p < pages; p++) {
                if (show_page(idioms[i].text, order, (uint32_t)p + 1)) {
                    printf("FAIL %s: the page's script failed\n", idioms[i].name);
                    failures++;
                    break;
                }
            }
            const size_t end = heap_in_use();
            const double per_page = end > start ? (double)(end - start) / pages : 0.0;
            printf("%-24s order %d: %8.1f bytes a page\n", idioms[i].name, order, per_page);
            if (check && per_page >= 16.0) {
                printf("FAIL %s (order %d): the heap grows by %.1f bytes a page\n", idioms[i].name, order,
                       per_page);
                failures++;
            }
        }
    }

    /* Handles the host forgot: a window in a cycle, a context, a script and
       a result are all reclaimed by JS_Destroy. */
    {
        JsValue *window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, NULL);
        JsScript *script = JS_CreateScript(0);
        const char *text = "w = window; o = new Object(); o.o = o; 'a result text'";
        const char *position = text;
        JS_LoadScript(script, &position, text + strlen(text), 0);
        JsEvalContext *context = JS_CreateEvalContext(window, script, NULL, window);
        JsValue *result = NULL;
        JS_Evaluate(context, &result);
        (void)result;
    }
    JS_Destroy();
    const size_t after = heap_in_use();
    printf("heap before JS_Init %zu, after JS_Destroy %zu\n", before_init, after);
    if (check && after > before_init) {
        printf("FAIL: JS_Destroy leaves %zu bytes\n", after - before_init);
        failures++;
    }
    if (failures) return 1;
    printf("ok\n");
    return 0;
}
