// The operators of the compiled tree, each once: the text it is written
// with, whether the printer writes it between its two operands, how tightly
// the parser binds it, and which handler of the interpreter evaluates it. Two of the compound assignments
// (%= and >>>=) have no handler: running one is a run-time error.
#ifndef DURIZ_COMPILER_OPERATOR_TABLE_H
#define DURIZ_COMPILER_OPERATOR_TABLE_H

#include <cstddef>
#include <cstdint>

#include "compiler/token.h"

enum OperatorRole : uint8_t {
    ROLE_NONE,        // no handler
    ROLE_MEMBER,      // . and [
    ROLE_OPERATOR,    // a value made from the operands' values
    ROLE_ASSIGNMENT,  // a store through a target
};

// How tightly an operator binds its operands in the parser: 0 binds
// tightest (member access), 13 loosest (assignments). ~ has no level of its
// own and takes what follows it as the loosest operator would.
constexpr int8_t kLoosest = 100;

struct OperatorInfo {
    int code;
    const char *text;  // null: written by the printer in its own way
    bool between;      // written between its two operands (and parsed so)
    OperatorRole role;
    int8_t precedence;
    bool assigns = false;  // an assignment operator: = or a compound one
};

inline constexpr OperatorInfo kOperatorTable[] = {
    {TK_DOT, ".", true, ROLE_MEMBER, 0},
    {TK_SUBSCRIPT, "[", true, ROLE_MEMBER, 0},
    {TK_PLUS, "+", true, ROLE_OPERATOR, 3},
    {TK_MINUS, "-", true, ROLE_OPERATOR, 3},
    {TK_NEG, "-", false, ROLE_OPERATOR, 1},
    {TK_MUL, "*", true, ROLE_OPERATOR, 2},
    {TK_DIV, "/", true, ROLE_OPERATOR, 2},
    {TK_MOD, "%", true, ROLE_OPERATOR, 2},
    {TK_SHL, "<<", true, ROLE_OPERATOR, 4},
    {TK_SHR, ">>", true, ROLE_OPERATOR, 4},
    {TK_USHR, ">>>", true, ROLE_OPERATOR, 4},
    {TK_BITAND, "&", true, ROLE_OPERATOR, 7},
    {TK_BITOR, "|", true, ROLE_OPERATOR, 9},
    {TK_XOR, "^", true, ROLE_OPERATOR, 8},
    {TK_BITNOT, nullptr, false, ROLE_OPERATOR, kLoosest},
    {TK_NOT, "!", false, ROLE_OPERATOR, 1},
    {TK_AND, "&&", true, ROLE_OPERATOR, 10},
    {TK_OR, "||", true, ROLE_OPERATOR, 11},
    {TK_EQ, "==", true, ROLE_OPERATOR, 6},
    {TK_NE, "!=", true, ROLE_OPERATOR, 6},
    {TK_LT, "<", true, ROLE_OPERATOR, 5},
    {TK_LE, "<=", true, ROLE_OPERATOR, 5},
    {TK_GT, ">", true, ROLE_OPERATOR, 5},
    {TK_GE, ">=", true, ROLE_OPERATOR, 5},
    {TK_TYPEOF, nullptr, false, ROLE_OPERATOR, 1},
    {TK_VOID, nullptr, false, ROLE_OPERATOR, 1},
    {TK_ASSIGN, "=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_ADD_ASSIGN, "+=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_SUB_ASSIGN, "-=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_MUL_ASSIGN, "*=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_DIV_ASSIGN, "/=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_MOD_ASSIGN, "%=", true, ROLE_NONE, 13, true},
    {TK_AND_ASSIGN, "&=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_OR_ASSIGN, "|=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_XOR_ASSIGN, "^=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_SHL_ASSIGN, "<<=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_SHR_ASSIGN, ">>=", true, ROLE_ASSIGNMENT, 13, true},
    {TK_USHR_ASSIGN, ">>>=", true, ROLE_NONE, 13, true},
    {TK_PREINC, "++", false, ROLE_ASSIGNMENT, 1},
    {TK_POSTINC, "++", false, ROLE_ASSIGNMENT, 1},
    {TK_PREDEC, "--", false, ROLE_ASSIGNMENT, 1},
    {TK_POSTDEC, "--", false, ROLE_ASSIGNMENT, 1},
};

// Each code's place in the table (-1: none), so that a look-up is one load.
struct OperatorIndex {
    int8_t at[TK_BAD_CHAR + 1];
};
constexpr OperatorIndex MakeOperatorIndex() {
    OperatorIndex index{};
    for (int8_t &place : index.at) place = -1;
    for (size_t i = 0; i < sizeof kOperatorTable / sizeof kOperatorTable[0]; i++)
        index.at[kOperatorTable[i].code] = static_cast<int8_t>(i);
    return index;
}
inline constexpr OperatorIndex kOperatorIndex = MakeOperatorIndex();

// The entry of a code, or null.
constexpr const OperatorInfo *FindOperator(int code) {
    return code >= 0 && code <= TK_BAD_CHAR && kOperatorIndex.at[code] >= 0 ? &kOperatorTable[kOperatorIndex.at[code]]
                                                                             : nullptr;
}

// An operator written between two operands, parsed as one: every such
// operator but the member accesses.
constexpr bool IsBinaryCode(int code) {
    const OperatorInfo *info = FindOperator(code);
    return info && info->between && info->role != ROLE_MEMBER;
}
constexpr bool IsAssignmentCode(int code) {
    const OperatorInfo *info = FindOperator(code);
    return info && info->assigns;
}

#endif
