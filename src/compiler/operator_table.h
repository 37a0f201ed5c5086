// The operators of the compiled tree, each once: the text it is written
// with, whether the printer writes it between its two operands, and which
// handler of the interpreter evaluates it. Two of the compound assignments
// (%= and >>>=) have no handler: running one is a run-time error.
#ifndef DURIZ_COMPILER_OPERATOR_TABLE_H
#define DURIZ_COMPILER_OPERATOR_TABLE_H

#include <cstdint>

#include "compiler/token.h"

enum OperatorRole : uint8_t {
    ROLE_NONE,        // no handler
    ROLE_MEMBER,      // . and [
    ROLE_OPERATOR,    // a value made from the operands' values
    ROLE_ASSIGNMENT,  // a store through a target
};

struct OperatorInfo {
    int code;
    const char *text;  // null: written by the printer in its own way
    bool between;      // printed between its two operands
    OperatorRole role;
};

inline constexpr OperatorInfo kOperatorTable[] = {
    {TK_DOT, ".", true, ROLE_MEMBER},
    {TK_SUBSCRIPT, "[", true, ROLE_MEMBER},
    {TK_PLUS, "+", true, ROLE_OPERATOR},
    {TK_MINUS, "-", true, ROLE_OPERATOR},
    {TK_NEG, "-", false, ROLE_OPERATOR},
    {TK_MUL, "*", true, ROLE_OPERATOR},
    {TK_DIV, "/", true, ROLE_OPERATOR},
    {TK_MOD, "%", true, ROLE_OPERATOR},
    {TK_SHL, "<<", true, ROLE_OPERATOR},
    {TK_SHR, ">>", true, ROLE_OPERATOR},
    {TK_USHR, ">>>", true, ROLE_OPERATOR},
    {TK_BITAND, "&", true, ROLE_OPERATOR},
    {TK_BITOR, "|", true, ROLE_OPERATOR},
    {TK_XOR, "^", true, ROLE_OPERATOR},
    {TK_BITNOT, nullptr, false, ROLE_OPERATOR},
    {TK_NOT, "!", false, ROLE_OPERATOR},
    {TK_AND, "&&", true, ROLE_OPERATOR},
    {TK_OR, "||", true, ROLE_OPERATOR},
    {TK_EQ, "==", true, ROLE_OPERATOR},
    {TK_NE, "!=", true, ROLE_OPERATOR},
    {TK_LT, "<", true, ROLE_OPERATOR},
    {TK_LE, "<=", true, ROLE_OPERATOR},
    {TK_GT, ">", true, ROLE_OPERATOR},
    {TK_GE, ">=", true, ROLE_OPERATOR},
    {TK_TYPEOF, nullptr, false, ROLE_OPERATOR},
    {TK_VOID, nullptr, false, ROLE_OPERATOR},
    {TK_ASSIGN, "=", true, ROLE_ASSIGNMENT},
    {TK_ADD_ASSIGN, "+=", true, ROLE_ASSIGNMENT},
    {TK_SUB_ASSIGN, "-=", true, ROLE_ASSIGNMENT},
    {TK_MUL_ASSIGN, "*=", true, ROLE_ASSIGNMENT},
    {TK_DIV_ASSIGN, "/=", true, ROLE_ASSIGNMENT},
    {TK_MOD_ASSIGN, "%=", true, ROLE_NONE},
    {TK_AND_ASSIGN, "&=", true, ROLE_ASSIGNMENT},
    {TK_OR_ASSIGN, "|=", true, ROLE_ASSIGNMENT},
    {TK_XOR_ASSIGN, "^=", true, ROLE_ASSIGNMENT},
    {TK_SHL_ASSIGN, "<<=", true, ROLE_ASSIGNMENT},
    {TK_SHR_ASSIGN, ">>=", true, ROLE_ASSIGNMENT},
    {TK_USHR_ASSIGN, ">>>=", true, ROLE_NONE},
    {TK_PREINC, "++", false, ROLE_ASSIGNMENT},
    {TK_POSTINC, "++", false, ROLE_ASSIGNMENT},
    {TK_PREDEC, "--", false, ROLE_ASSIGNMENT},
    {TK_POSTDEC, "--", false, ROLE_ASSIGNMENT},
};

// The entry of a code, or null.
constexpr const OperatorInfo *FindOperator(int code) {
    for (const OperatorInfo &info : kOperatorTable)
        if (info.code == code) return &info;
    return nullptr;
}

#endif
