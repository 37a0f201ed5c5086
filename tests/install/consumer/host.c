/* A host built apart from the engine, against an installed Duriz: compile
   a script in a window, run it and print its value. */
#include <stdio.h>
#include <string.h>

#include <duriz.h>

int main(void) {
    const char *text = "function twice(n) { return n * 2 } 'ok ' + twice(21)";
    const char *pos = text;
    JsValue *window, *result = NULL;
    JsScript *script;
    JsEvalContext *context;
    int status = 0;
    JS_Init(NULL, NULL, NULL, NULL, NULL, NULL);
    window = JS_CreateObject(DURIZ_CLASS_WINDOW, 1, NULL);
    script = JS_CreateScript(0);
    if (JS_LoadScript(script, &pos, text + strlen(text), 0) == DURIZ_OK) {
        context = JS_CreateEvalContext(window, script, NULL, NULL);
        while ((status = JS_Evaluate(context, &result)) == DURIZ_BUSY) {
        }
        if (result) printf("%s\n", JS_GetStringValue(result));
        JS_DeleteObject(result);
        JS_DeleteEvalContext(context);
    }
    JS_DeleteScript(script);
    JS_DeleteObject(window);
    JS_Destroy();
    return status == DURIZ_DONE ? 0 : 1;
}
