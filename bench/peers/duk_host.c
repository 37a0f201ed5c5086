/* A minimal duktape host for the benchmarks: runs one file with a
   document object whose write prints its argument. */
#include <stdio.h>
#include <stdlib.h>

#include "duktape.h"

static duk_ret_t write_text(duk_context *ctx) {
    fputs(duk_safe_to_string(ctx, 0), stdout);
    return 0;
}

int main(int argc, char **argv) {
    if (argc < 2) return 2;
    FILE *f = fopen(argv[1], "rb");
    if (!f) return 2;
    static char text[1 << 24];
    size_t n = fread(text, 1, sizeof text - 1, f);
    fclose(f);
    text[n] = 0;
    duk_context *ctx = duk_create_heap_default();
    duk_push_object(ctx);
    duk_push_c_function(ctx, write_text, 1);
    duk_put_prop_string(ctx, -2, "write");
    duk_push_string(ctx, "");
    duk_put_prop_string(ctx, -2, "title");
    duk_push_string(ctx, "#c0c0c0");
    duk_put_prop_string(ctx, -2, "bgColor");
    duk_put_global_string(ctx, "document");
    int rc = duk_peval_string(ctx, text);
    if (rc) fprintf(stderr, "duk: %s\n", duk_safe_to_string(ctx, -1));
    duk_destroy_heap(ctx);
    return rc ? 1 : 0;
}
