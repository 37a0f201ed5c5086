/* The public header used from C: compile a script through the library. */
#include <stdio.h>
#include <string.h>

#include "duriz.h"

static int reports;
static int DURIZ_CALL on_error(uint32_t handle, int code, const char *text) {
    (void)handle;
    (void)text;
    if (code == DURIZ_SYNTAX_ERROR) reports++;
    return 0;
}

static int check(int ok, const char *what) {
    if (!ok) fprintf(stderr, "failed: %s\n", what);
    return ok ? 0 : 1;
}

int main(void) {
    int failures = 0;
    const char *good = "var x = 1; function f(a, b) { return a + b; }";
    const char *bad = "x = 1 }";
    const char *pos;
    JsScript *script;

    JS_Init(NULL, NULL, NULL, NULL, NULL, on_error);
    failures += check(JS_LoadScript(NULL, &pos, pos, 0) == DURIZ_NULL_HANDLE, "null script");

    script = JS_CreateScript(0);
    pos = good;
    failures += check(JS_LoadScript(script, &pos, good + 10, 1) == DURIZ_MORE_TEXT, "first chunk");
    failures += check(JS_LoadScript(script, &pos, good + strlen(good), 0) == DURIZ_OK, "rest");
    failures += check(pos == good + strlen(good), "position at end");
    JS_DeleteScript(script);

    script = JS_CreateScript(0);
    pos = bad;
    failures += check(JS_LoadScript(script, &pos, bad + strlen(bad), 0) == DURIZ_SYNTAX_ERROR, "bad");
    failures += check(JS_LoadScript(script, &pos, bad + strlen(bad), 0) == DURIZ_SYNTAX_ERROR, "again");
    failures += check(reports == 1, "reported once");
    JS_DeleteScript(script);
    JS_DeleteScript(NULL);
    JS_Destroy();

    failures += check(DURIZ_NAME_LOCATION == 151 && DURIZ_NAME_LENGTH == 97, "name indexes");
    failures += check(DURIZ_NATIVE_WINDOW_ISNAN == 1116 && DURIZ_NATIVE_STRING_VALUEOF == 1046,
                      "native ids");
    if (failures == 0) printf("c header: all checks passed\n");
    return failures ? 1 : 0;
}
