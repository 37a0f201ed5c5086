/* A check that counts its failures and names the line, for the test hosts
   written in C; main returns failures ? 1 : 0. */
#ifndef DURIZ_TESTS_C_CHECK_H
#define DURIZ_TESTS_C_CHECK_H

#include <stdio.h>

static int failures;
#define CHECK(cond)                                                            \
    do {                                                                       \
        if (!(cond)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond); \
            failures++;                                                        \
        }                                                                      \
    } while (0)

#endif
