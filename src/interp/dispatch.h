// The dispatch table: the handler of each node code.
#ifndef DURIZ_INTERP_DISPATCH_H
#define DURIZ_INTERP_DISPATCH_H

#include <initializer_list>

#include "compiler/operator_table.h"
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
    for (const OperatorInfo &info : kOperatorTable)
        if (info.role == ROLE_MEMBER) t.handler[info.code] = HandleMember;
    t.handler[TK_WITH] = HandleWith;
    t.handler[TK_FOR_IN] = HandleForIn;
    t.handler[TK_CALL] = HandleCall;
    t.handler[TK_COMMA] = HandleArgumentList;
    t.handler[TK_NEW] = HandleNew;
    t.handler[TK_NATIVE_BODY] = HandleNativeBody;
    for (const OperatorInfo &info : kOperatorTable) {
        if (info.role == ROLE_ASSIGNMENT) t.handler[info.code] = HandleAssignment;
        if (info.role == ROLE_OPERATOR) t.handler[info.code] = HandleOperator;
    }
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
