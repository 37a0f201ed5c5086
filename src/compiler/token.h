// Token codes and the compiled-tree node. One numeric vocabulary is shared by
// the lexer, the parser, the printer, the interpreter and assignment:
// characters stand for themselves, operators are 291-340, keywords 400-512,
// synthetic nodes 650-666 and 888, literals 800 and 900-961.
#ifndef DURIZ_COMPILER_TOKEN_H
#define DURIZ_COMPILER_TOKEN_H

#include <cstddef>
#include <cstdint>

#include "duriz.h"

#include "interp/list.h"

enum TokenCode : int {
    TK_LINE_END = 10,
    TK_DQUOTE = 34,
    TK_SQUOTE = 39,
    TK_LPAREN = 40,
    TK_RPAREN = 41,
    TK_COMMA = 44,
    TK_DOT = 46,
    TK_COLON = 58,
    TK_SEMI = 59,
    TK_QUESTION = 63,
    TK_LBRACKET = 91,
    TK_RBRACKET = 93,
    TK_LBRACE = 123,
    TK_RBRACE = 125,
    TK_BITNOT = 126,

    TK_POSTINC = 291,
    TK_MINUS = 293,
    TK_POSTDEC = 294,
    TK_SUBSCRIPT = 299,
    TK_PLUS = 300,
    TK_PREINC = 301,
    TK_ADD_ASSIGN = 302,
    TK_NEG = 303,
    TK_PREDEC = 304,
    TK_SUB_ASSIGN = 305,
    TK_DIV = 306,
    TK_DIV_ASSIGN = 307,
    TK_MUL = 308,
    TK_MUL_ASSIGN = 309,
    TK_MOD = 310,
    TK_MOD_ASSIGN = 311,
    TK_BITAND = 312,
    TK_AND = 313,
    TK_AND_ASSIGN = 314,
    TK_BITOR = 315,
    TK_OR = 316,
    TK_OR_ASSIGN = 317,
    TK_XOR = 318,
    TK_XOR_ASSIGN = 319,
    TK_NOT = 320,
    TK_NE = 321,
    TK_ASSIGN = 322,
    TK_EQ = 323,
    TK_LT = 324,
    TK_LE = 325,
    TK_SHL = 326,
    TK_SHL_ASSIGN = 327,
    TK_GT = 328,
    TK_GE = 329,
    TK_SHR = 330,
    TK_SHR_ASSIGN = 331,
    TK_USHR = 332,
    TK_USHR_ASSIGN = 333,
    TK_CONDITIONAL = 340,

    TK_TYPEOF = 400,
    TK_NEW = 401,
    TK_VOID = 402,
    TK_BREAK = 500,
    TK_CONTINUE = 501,
    TK_FOR = 502,
    TK_IN = 503,
    TK_FUNCTION = 504,
    TK_IF = 505,
    TK_ELSE = 506,
    TK_RETURN = 507,
    TK_VAR = 508,
    TK_WHILE = 509,
    TK_WITH = 511,
    TK_FOR_IN = 512,

    TK_COMMENT = 600,
    TK_CALL = 650,
    TK_BLOCK = 651,
    TK_EMPTY = 652,
    TK_NATIVE_BODY = 666,
    TK_END = 700,
    TK_IDENT = 800,
    TK_ROOT = 888,
    TK_NULL = 900,
    TK_FALSE = 901,
    TK_TRUE = 902,
    TK_THIS = 903,
    TK_INT = 950,
    TK_OCTAL = 951,
    TK_HEX = 952,
    TK_DECIMAL = 953,
    TK_STRING = 960,
    TK_ESCAPED_STRING = 961,
    TK_BAD_CHAR = 1000,
};

// Result codes at the host interface, as the public header names them.
enum ResultCode : int {
    RC_OK = DURIZ_OK,
    RC_NULL_HANDLE = DURIZ_NULL_HANDLE,
    RC_MORE = DURIZ_MORE_TEXT,
    RC_SYNTAX_ERROR = DURIZ_SYNTAX_ERROR,
    RC_RUNTIME_ERROR = DURIZ_RUNTIME_ERROR,
    RC_BUSY = DURIZ_BUSY,
    RC_DONE = DURIZ_DONE,
    RC_DONE_TRUE = DURIZ_DONE_TRUE,
    RC_DONE_FALSE = DURIZ_DONE_FALSE,
};

// A node of the compiled tree: a code and an optional owned text.
class JsToken : public JsTreeNode {
public:
    int16_t code;
    // What evaluation learns once from the text, kept in room the record
    // has anyway. A number literal: 1 when integer holds its value, 2 when
    // the value is no 32-bit integer and is read each time. Any other node:
    // kNameIndexKnown set when id.nameIndex holds the text's built-in name
    // index (or -1), with kPlainName for an identifier that is no built-in
    // name and starts with a letter, _ or $; kCellKnown set when id.cell
    // holds the identifier's local cell in the function whose body holds it
    // (or -1 for a name the body does not declare).
    uint8_t numberKnown = 0;
    static constexpr uint8_t kNameIndexKnown = 1;
    static constexpr uint8_t kPlainName = 4;
    static constexpr uint8_t kCellKnown = 8;
    // The most pushes evaluating the node can take, learnt once (0 not yet
    // known, kUnbounded for a node that holds a call, a loop or a with, for
    // a break or continue itself, or for too many nodes).
    uint8_t pushBound = 0;
    static constexpr uint8_t kUnbounded = 255;
    union {
        int32_t integer = 0;  // a number literal's value
        struct {
            int16_t nameIndex;
            int16_t cell;
        } id;                 // any other node's
    };
    char *text;

    JsToken(int16_t code, char *adoptedText) : code(code), text(adoptedText) {}
    // Deletes the subtree too, without growing the C stack with its depth.
    ~JsToken();

    JsToken *Parent() const { return static_cast<JsToken *>(parent); }
    JsToken *Next() const { return static_cast<JsToken *>(JsTreeNode::Next()); }
    JsToken *Prev() const { return static_cast<JsToken *>(JsTreeNode::Prev()); }
    JsToken *FirstChild() const { return static_cast<JsToken *>(JsTreeNode::FirstChild()); }
    JsToken *LastChild() const { return static_cast<JsToken *>(JsTreeNode::LastChild()); }

    // From code, text and length: the text is copied right behind the
    // record, in one block (null text or a negative length leave none).
    // Null when memory runs out.
    static JsToken *Make(int code, const char *text, ptrdiff_t length);
    // Into a caller's block of at least sizeof(JsToken) + length + 1 bytes:
    // the text is copied right behind the node record and adopted in place.
    // The text of an escaped string (961) has its escapes resolved; every
    // other text is kept as it stands.
    static JsToken *MakeInBlock(void *block, int code, const char *text, ptrdiff_t length);
};

// Resolves backslash escapes in place: \n \r \t \b \f become their control
// bytes, any other escaped character stands for itself and a trailing lone
// backslash is dropped. Answers the new length.
size_t ResolveEscapes(char *text, size_t length);

// The written form of an operator code ("+=", ">>>"), or null.
const char *OperatorText(int code);

#endif
