// The dispatch table: the handler of each node code.
#ifndef DURIZ_INTERP_DISPATCH_H
#define DURIZ_INTERP_DISPATCH_H

#include <initializer_list>

#include "interp/interpreter.h"

using Handler = Step (*)(Run &);

struct NodeTable {
    Handler handler[kCodeLimit];
};

constexpr NodeTable MakeNodeTable() {
    NodeTable t{};
    for (int c = 0; c < kCodeLimit; c++) t.handler[c] = HandleMissing;
    t.handler[TK_ROOT] = t.handler[TK_BLOCK] = HandleList;
    t.handler[TK_IF] = t.handler[TK_CONDITIONAL] = HandleConditional;
    t.handler[TK_WHILE] = HandleWhile;
    t.handler[TK_FOR] = HandleFor;
    t.handler[TK_BREAK] = t.handler[TK_CONTINUE] = HandleJump;
    t.handler[TK_RETURN] = HandleReturn;
    t.handler[TK_VAR] = HandleVar;
    for (int c = 0; c < kCodeLimit; c++)
        if (kLeafCodes.leaf[c]) t.handler[c] = HandleLeaf;
    t.handler[TK_DOT] = t.handler[TK_SUBSCRIPT] = HandleMember;
    t.handler[TK_WITH] = HandleWith;
    t.handler[TK_FOR_IN] = HandleForIn;
    t.handler[TK_CALL] = HandleCall;
    t.handler[TK_COMMA] = HandleArgumentList;
    t.handler[TK_NEW] = HandleNew;
    t.handler[TK_NATIVE_BODY] = HandleNativeBody;
    for (int c : {TK_ASSIGN, TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_MUL_ASSIGN, TK_DIV_ASSIGN, TK_AND_ASSIGN, TK_OR_ASSIGN,
                  TK_XOR_ASSIGN, TK_SHL_ASSIGN, TK_SHR_ASSIGN, TK_POSTINC, TK_POSTDEC, TK_PREINC, TK_PREDEC})
        t.handler[c] = HandleAssignment;
    for (int c : {TK_PLUS, TK_MINUS, TK_NEG, TK_MUL, TK_DIV, TK_MOD, TK_SHL, TK_SHR, TK_USHR, TK_BITAND, TK_BITOR,
                  TK_XOR, TK_BITNOT, TK_NOT, TK_AND, TK_OR, TK_EQ, TK_NE, TK_LT, TK_LE, TK_GT, TK_GE, TK_TYPEOF,
                  TK_VOID})
        t.handler[c] = HandleOperator;
    return t;
}

inline constexpr NodeTable kNodes = MakeNodeTable();

// Enters or resumes the frame being handled through its node's handler.
inline Step Dispatch(Run &run) {
    const JsToken *node = run.frame->node;
    const int code = node ? node->code : 0;
    return static_cast<unsigned>(code) < static_cast<unsigned>(kCodeLimit) ? kNodes.handler[code](run)
                                                                              : HandleMissing(run);
}

#endif
