// A compiled script: its tree, the parser state kept between chunks, and
// the count of its holders.
#ifndef DURIZ_COMPILER_SCRIPT_H
#define DURIZ_COMPILER_SCRIPT_H

#include <cstdint>

#include "compiler/node_arena.h"
#include "compiler/token.h"
#include "engine/memory.h"

struct JsScript : public JsAllocated {
    int32_t refs = 1;            // host handle, contexts and function values made from it
    JsToken *root = nullptr;     // code 888
    JsToken *cursor = nullptr;   // where the next token is placed
    int lastToken = RC_OK;       // code of the previous token, after renaming
    int handlerMode = 0;         // return allowed outside functions
    uintptr_t heap = 0;          // nonzero: nodes come from hostAlloc and are never freed
    int released = 0;            // host gave back a heap script that others still hold
    int expected = 0;            // token code the next token must be (0: none), kept across chunks
    int failed = 0;              // a syntax error was reported; further text is refused
    int silent = 0;              // syntax errors are not reported (eval, Function)
    int outOfMemory = 0;         // a node could not be had: the failure is memory's
    JsNodeArena nodes;           // where the nodes live without a host heap

    // A new script with an empty root, or null when memory runs out.
    static JsScript *Create(uintptr_t heap, int handlerMode);
    // Gives back the tree (unless it lives in a host heap) and the script.
    static void Destroy(JsScript *script);
    // Gives back one holder's count; below 1 the script is destroyed.
    static void Release(JsScript *script) {
        if (script && --script->refs < 1) Destroy(script);
    }
};

#endif
