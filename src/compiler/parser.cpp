#include "compiler/parser.h"

#include <cstring>

#include "compiler/lexer.h"
#include "engine/callbacks.h"

namespace {

// Child count, but stops counting at limit: the rules only ever compare
// counts with small numbers, and blocks may hold many children.
inline int CountUpTo(const JsToken *node, int limit) {
    int n = 0;
    for (const JsTreeNode *c = node->firstChild; c && n < limit; c = c->next) n++;
    return n;
}

bool IsOperandCode(int code) {
    return code == TK_IDENT || (code >= TK_NULL && code <= TK_THIS) ||
           (code >= TK_INT && code <= TK_DECIMAL) || code == TK_STRING || code == TK_ESCAPED_STRING;
}

bool IsPrefixLike(int code) {
    return code == TK_TYPEOF || code == TK_VOID || code == TK_BITNOT || code == TK_PREINC ||
           code == TK_NEG || code == TK_PREDEC || code == TK_NOT;
}

bool HasLoopAround(const JsToken *node) {
    for (; node; node = node->Parent())
        if (node->code == TK_WHILE || node->code == TK_FOR || node->code == TK_FOR_IN) return true;
    return false;
}

bool HasFunctionAround(const JsToken *node) {
    for (; node; node = node->Parent())
        if (node->code == TK_FUNCTION) return true;
    return false;
}

static char g_emptyText[1];

}  // namespace

namespace {

int PrecedenceOf(int code) {
    if (IsOperandCode(code)) return -1;
    switch (code) {
    case TK_CALL: return 0;
    case TK_NEW: return 1;
    case TK_CONDITIONAL: return 12;
    default: {
        const OperatorInfo *info = FindOperator(code);
        return info ? info->precedence : kLoosest;
    }
    }
}

// Node codes run from 0 to TK_BAD_CHAR; the parser asks for their
// precedences at almost every token, so they are looked up in a table.
struct PrecedenceTable {
    int8_t of[TK_BAD_CHAR + 1];
    PrecedenceTable() {
        for (int code = 0; code <= TK_BAD_CHAR; code++) of[code] = static_cast<int8_t>(PrecedenceOf(code));
    }
};
const PrecedenceTable kPrecedence;

}  // namespace

int Precedence(int code) {
    return code >= 0 && code <= TK_BAD_CHAR ? kPrecedence.of[code] : PrecedenceOf(code);
}

namespace {

// Whether nodes yield to one code, with the code's side worked out once for
// a climb past many nodes.
class YieldsTo {
public:
    explicit YieldsTo(int code) : theirs_(Precedence(code)), assignment_(IsAssignmentCode(code)) {}
    bool operator()(const JsToken *node) const {
        const int mine = Precedence(node->code);
        return mine > theirs_ || (mine == theirs_ && assignment_);
    }

private:
    int theirs_;
    bool assignment_;
};

}  // namespace

bool Yields(const JsToken *node, int code) { return YieldsTo(code)(node); }

bool IsComplete(const JsToken *node) {
    const int code = node->code;
    if (IsOperandCode(code)) return true;
    if (code == TK_CALL) return CountUpTo(node, 3) == 2;
    if (code == TK_CONDITIONAL) return CountUpTo(node, 4) == 3;
    if (code == TK_DOT || code == TK_SUBSCRIPT || IsBinaryCode(code)) return CountUpTo(node, 3) == 2;
    if (code == TK_POSTINC || code == TK_POSTDEC || code == TK_PREINC || code == TK_NEG ||
        code == TK_PREDEC || code == TK_NOT || code == TK_BITNOT)
        return CountUpTo(node, 2) == 1;
    return false;
}

namespace {

// What PlaceRule does with a node depends on its code alone, sorted into
// these kinds once in a table: the parser asks at almost every token.
enum PlaceKind : uint8_t {
    kPlaceOther,  // takes nothing more
    kPlaceList,   // the root and blocks: statement lists, taking anything
    kPlaceFunctionOrConditional,
    kPlaceFor,
    kPlaceForIn,
    kPlaceWith,
    kPlaceIfOrWhile,
    kPlaceElse,
    kPlaceReturn,
    kPlaceVar,
    kPlaceNew,
    kPlaceGroup,  // '('
    kPlaceComma,
    kPlaceDot,
    kPlaceBracket,  // '[' before its ']'
    kPlacePrefix,
    kPlaceBinary,
};

PlaceKind PlaceKindOf(int code) {
    switch (code) {
    case TK_ROOT: case TK_BLOCK: return kPlaceList;
    case TK_FUNCTION: case TK_CONDITIONAL: return kPlaceFunctionOrConditional;
    case TK_FOR: return kPlaceFor;
    case TK_FOR_IN: return kPlaceForIn;
    case TK_WITH: return kPlaceWith;
    case TK_IF: case TK_WHILE: return kPlaceIfOrWhile;
    case TK_ELSE: return kPlaceElse;
    case TK_RETURN: return kPlaceReturn;
    case TK_VAR: return kPlaceVar;
    case TK_NEW: return kPlaceNew;
    case TK_LPAREN: return kPlaceGroup;
    case TK_COMMA: return kPlaceComma;
    case TK_DOT: return kPlaceDot;
    case TK_LBRACKET: return kPlaceBracket;
    default: break;
    }
    if (IsPrefixLike(code)) return kPlacePrefix;
    if (IsBinaryCode(code)) return kPlaceBinary;
    return kPlaceOther;
}

struct PlaceKindTable {
    uint8_t of[TK_BAD_CHAR + 1];
    PlaceKindTable() {
        for (int code = 0; code <= TK_BAD_CHAR; code++) of[code] = PlaceKindOf(code);
    }
};
const PlaceKindTable kPlaceKinds;

inline PlaceKind PlaceKindOfNode(const JsToken *node) {
    const int code = node->code;
    return code >= 0 && code <= TK_BAD_CHAR ? static_cast<PlaceKind>(kPlaceKinds.of[code]) : PlaceKindOf(code);
}

}  // namespace

namespace {

inline PlaceAnswer Rule(const JsToken *node, int valueFlag, int t) {
    const PlaceKind kind = PlaceKindOfNode(node);
    // Statement lists take anything; they may be long, so they are not counted.
    if (kind == kPlaceList) return PLACE_ATTACH;
    if (kind == kPlaceOther) return PLACE_CLIMB;
    // Operators, the commonest, need only know whether they have a child.
    if (kind == kPlaceBinary) {
        if (CountUpTo(node, 2) == 1) return valueFlag ? PLACE_ATTACH : PLACE_INVALID;
        return PLACE_CLIMB;
    }
    if (kind == kPlacePrefix) {
        if (node->HasChildren()) return PLACE_CLIMB;
        return valueFlag ? PLACE_ATTACH : PLACE_INVALID;
    }
    const int n = CountUpTo(node, 4);
    const bool semi = t == TK_SEMI;
    switch (kind) {
    case kPlaceFunctionOrConditional:
        return n < 3 ? PLACE_ATTACH : PLACE_CLIMB;
    case kPlaceFor:
        if (semi) return n < 3 ? PLACE_INVALID : PLACE_CLIMB;
        return n < 4 ? PLACE_ATTACH : PLACE_CLIMB;
    case kPlaceForIn:
        if (semi) return n == 0 || n == 2 ? PLACE_INVALID : PLACE_CLIMB;
        return n < 3 ? PLACE_ATTACH : PLACE_CLIMB;
    case kPlaceWith:
        if (semi) return n < 2 ? PLACE_INVALID : PLACE_CLIMB;
        return n < 2 ? PLACE_ATTACH : PLACE_CLIMB;
    case kPlaceIfOrWhile:
        if (n == 0) return valueFlag ? PLACE_ATTACH : PLACE_INVALID;
        if (n == 1) return semi ? PLACE_INVALID : PLACE_ATTACH;
        if (n == 2) return semi || t == TK_ELSE ? PLACE_ATTACH : PLACE_CLIMB;
        return PLACE_CLIMB;
    case kPlaceElse:
        return n == 0 ? PLACE_ATTACH : PLACE_CLIMB;
    case kPlaceReturn:
        return !valueFlag || n > 0 || semi ? PLACE_CLIMB : PLACE_ATTACH;
    case kPlaceVar:
        if (valueFlag) return n == 0 ? PLACE_ATTACH : PLACE_CLIMB;
        return n > 0 ? PLACE_CLIMB : PLACE_INVALID;
    case kPlaceNew:
        if (n > 0) return PLACE_CLIMB;
        return valueFlag && t == TK_IDENT ? PLACE_ATTACH : PLACE_INVALID;
    case kPlaceGroup:
        if (!semi) return PLACE_ATTACH;
        if (!node->Parent() || node->Parent()->code != TK_FOR) return PLACE_CLIMB;
        return n != 3 ? PLACE_ATTACH : PLACE_INVALID;
    case kPlaceComma:
        if (valueFlag || t == TK_COMMA) return PLACE_ATTACH;
        if (n == 0) return PLACE_INVALID;
        return node->Parent() && node->Parent()->code == TK_CALL ? PLACE_INVALID : PLACE_CLIMB;
    case kPlaceDot:
        if (n == 2) return PLACE_CLIMB;
        return t == TK_IDENT || t == TK_INT ? PLACE_ATTACH : PLACE_INVALID;
    case kPlaceBracket:
        return valueFlag ? PLACE_ATTACH : PLACE_INVALID;
    default:
        return PLACE_CLIMB;
    }
}

// Place, in line for the operands.
inline bool PlaceFromCursor(JsScript *script, int valueFlag, int code) {
    JsToken *node = script->cursor;
    while (node) {
        PlaceAnswer answer = Rule(node, valueFlag, code);
        if (answer == PLACE_ATTACH) break;
        node = answer == PLACE_CLIMB ? node->Parent() : nullptr;
    }
    script->cursor = node;
    return node != nullptr;
}

}  // namespace

PlaceAnswer PlaceRule(const JsToken *node, int valueFlag, int t) { return Rule(node, valueFlag, t); }

bool Place(JsScript *script, int valueFlag, int code) { return PlaceFromCursor(script, valueFlag, code); }

bool FindPostfixTarget(JsScript *script) {
    JsToken *found = nullptr;
    for (JsToken *node = script->cursor; node; node = node->Parent()) {
        const int code = node->code;
        if (code == TK_DOT || code == TK_SUBSCRIPT || code == TK_PREINC || code == TK_PREDEC ||
            code == TK_VAR)
            found = node;
    }
    if (!found) return false;
    script->cursor = found;
    return true;
}

namespace {

// A node from the host heap: the block holds no room for an empty text.
__attribute__((noinline)) JsToken *NewHostNode(JsScript *script, int code, const char *text, ptrdiff_t length) {
    if (!g_host.hostAlloc) return nullptr;
    const bool withText = text && length > 0;
    size_t size = sizeof(JsToken) + (withText ? static_cast<size_t>(length) + 1 : 0);
    void *block = g_host.hostAlloc(script->heap, size);
    if (!block) return nullptr;
    if (withText) return JsToken::MakeInBlock(block, code, text, length);
    JsToken *node = JsToken::MakeInBlock(block, code, nullptr, -1);
    // An empty text has no room in the block; it shares one empty string.
    if (text && length == 0) node->text = g_emptyText;
    return node;
}

// NewNode for the parser, which makes most of its nodes in the arena and
// without a text: that case is built here in line.
inline JsToken *MakeNode(JsScript *script, int code, const char *text, ptrdiff_t length) {
    JsToken *node;
    if (script->heap) {
        node = NewHostNode(script, code, text, length);
    } else if (!text || length < 0) {
        void *block = script->nodes.Allocate(sizeof(JsToken));
        node = block ? new (block) JsToken(static_cast<int16_t>(code == TK_ESCAPED_STRING ? TK_STRING : code), nullptr)
                     : nullptr;
    } else {
        void *block = script->nodes.Allocate(sizeof(JsToken) + static_cast<size_t>(length) + 1);
        node = block ? JsToken::MakeInBlock(block, code, text, length) : nullptr;
    }
    if (!node) script->outOfMemory = 1;
    return node;
}

}  // namespace

JsToken *NewNode(JsScript *script, int code, const char *text, ptrdiff_t length) {
    return MakeNode(script, code, text, length);
}

JsScript *JsScript::Create(uintptr_t heap, int handlerMode) {
    JsScript *script = new JsScript();
    if (!script) return nullptr;
    script->heap = heap;
    script->handlerMode = handlerMode;
    script->root = NewNode(script, TK_ROOT, nullptr, -1);
    if (!script->root) {
        delete script;
        return nullptr;
    }
    script->cursor = script->root;
    return script;
}

void JsScript::Destroy(JsScript *script) {
    if (!script) return;
    // Nodes own nothing beyond their blocks: the arena goes as a whole.
    script->nodes.Release();
    delete script;
}

namespace {

// One Compile call's working state.
class Parser {
public:
    Parser(JsScript *script, const char **position, const char *end, int more)
        : s_(script), position_(position), start_(*position), end_(end), more_(more) {}

    int Run();

private:
    JsScript *s_;
    const char **position_;
    const char *start_;
    const char *end_;
    int more_;
    const char *text_ = nullptr;
    size_t length_ = 0;

    int Error();
    // A node without a text below the cursor, holding detached if given.
    bool Make(int code, JsToken *detached);
    bool MakeBelowCursor(int code) { return Make(code, nullptr); }
    bool AppendEmpty(JsToken *parent);
    bool DetachAndWrap(JsToken *parentOf, int code);
    bool CloseParen();
    bool Comma();
    bool IncDec(int code);
    bool Binary(int code);
    bool Semicolon();
    bool Operand(int code);
    // Handles one token; false is a syntax error. *recorded is the code
    // kept as lastToken.
    bool Handle(int code, int *recorded);
};

int Parser::Error() {
    s_->failed = 1;
    if (g_host.reportError && !s_->silent) {
        // Step back from the position at most 20 bytes, not past the start of
        // this call's text, stopping at a line feed (which opens the excerpt).
        const char *from = *position_;
        if (from > end_) from = end_;
        for (int steps = 0; steps < 20; steps++) {
            if (from < end_ && *from == '\n') break;
            if (from <= start_) break;
            from--;
        }
        size_t length = static_cast<size_t>(end_ - from);
        if (length > kExcerptLimit) length = kExcerptLimit;
        char excerpt[kExcerptLimit + 1];
        std::memcpy(excerpt, from, length);
        excerpt[length] = 0;
        // When memory ran out the text is not at fault: the report says so.
        g_host.reportError(0, RC_SYNTAX_ERROR, s_->outOfMemory ? kOutOfMemoryReport : excerpt);
    }
    return RC_SYNTAX_ERROR;
}

bool Parser::Make(int code, JsToken *detached) {
    JsToken *cursor = s_->cursor;
    JsToken *node = MakeNode(s_, code, nullptr, -1);
    if (!node) {
        // Keep a detached node owned by the tree so that nothing leaks.
        if (detached) detached->AppendToParent(cursor);
        return false;
    }
    node->AppendToParent(cursor);
    if (detached) detached->AppendToParent(node);
    if (code == TK_CALL) {
        JsToken *args = MakeNode(s_, TK_COMMA, nullptr, -1);
        if (!args) return false;
        args->AppendToParent(node);
        s_->cursor = args;
    } else if (code != TK_EMPTY) {
        s_->cursor = node;
    }
    return true;
}

bool Parser::AppendEmpty(JsToken *parent) {
    JsToken *node = MakeNode(s_, TK_EMPTY, nullptr, -1);
    if (!node) return false;
    node->AppendToParent(parent);
    return true;
}

// Detaches the last child of the cursor and makes a node of code holding it.
bool Parser::DetachAndWrap(JsToken *cursor, int code) {
    if (!cursor) return false;
    s_->cursor = cursor;
    JsToken *last = cursor->LastChild();
    if (!last) return false;
    last->Detach();
    return Make(code, last);
}

bool Parser::CloseParen() {
    JsToken *node = s_->cursor;
    if (node->code == TK_CALL) node = node->Parent();
    while (node && node->code != TK_LPAREN && node->code != TK_CALL && node->code != TK_FUNCTION)
        node = node->Parent();
    if (!node) return false;
    if (node->code == TK_CALL) {
        s_->cursor = node;
        return true;
    }
    JsToken *group = node;
    JsToken *parent = group->Parent();
    if (!group->HasChildren() || !parent) return false;
    const int n = CountUpTo(group, 4);
    switch (parent->code) {
    case TK_FOR:
        if (n == 2 && (s_->lastToken == TK_SEMI || s_->lastToken == TK_EMPTY)) {
            if (!AppendEmpty(group)) return false;
        } else if (n != 3) {
            return false;
        }
        break;
    case TK_FOR_IN:
        if (n != 2) return false;
        break;
    case TK_FUNCTION:
        if (s_->lastToken == TK_COMMA) return false;
        break;
    default:
        if (n != 1) return false;
        break;
    }
    s_->cursor = parent;
    group->Detach();
    while (JsToken *child = group->FirstChild()) {
        child->Detach();
        child->AppendToParent(parent);
    }
    // The emptied group stays in the script's arena (or the host's heap)
    // until the script goes; it owns nothing else.
    const int pc = parent->code;
    if (pc != TK_FOR && pc != TK_IF && pc != TK_FOR_IN && pc != TK_FUNCTION && pc != TK_WITH &&
        parent->HasChildren())
        s_->cursor = parent->LastChild();
    if (pc == TK_FUNCTION && CountUpTo(parent, 2) == 1) return AppendEmpty(parent);
    return true;
}

bool Parser::Comma() {
    if (s_->lastToken == TK_COMMA) return false;
    JsToken *node = s_->cursor;
    JsToken *detached = nullptr;
    while (true) {
        if (!node) return false;
        if (node->code == TK_VAR) {
            detached = node->LastChild();
            if (detached) detached->Detach();
            break;
        }
        PlaceAnswer answer = PlaceRule(node, 0, TK_COMMA);
        if (answer == PLACE_INVALID) return false;
        if (answer == PLACE_ATTACH) break;
        node = node->Parent();
    }
    s_->cursor = node;
    switch (node->code) {
    case TK_VAR:
        s_->expected = TK_IDENT;
        return Make(TK_COMMA, detached);
    case TK_COMMA:
        return true;
    case TK_CALL:
        return DetachAndWrap(node, TK_COMMA);
    case TK_LPAREN:
        if (node->Parent() && (node->Parent()->code == TK_FOR || node->Parent()->code == TK_FUNCTION))
            return DetachAndWrap(node, TK_COMMA);
        return MakeBelowCursor(TK_COMMA);
    default:
        return MakeBelowCursor(TK_COMMA);
    }
}

bool Parser::IncDec(int code) {
    if (s_->cursor->code == TK_IDENT || FindPostfixTarget(s_)) {
        code = code == TK_PREINC ? TK_POSTINC : TK_POSTDEC;
        const YieldsTo yields(code);
        JsToken *node = s_->cursor;
        do {
            node = node->Parent();
        } while (node && node->code != TK_CALL && !yields(node));
        return DetachAndWrap(node, code);
    }
    return MakeBelowCursor(code);
}

bool Parser::Binary(int code) {
    if (code == TK_NEG) code = TK_MINUS;
    if (IsComplete(s_->cursor)) {
        const YieldsTo yields(code);
        JsToken *node = s_->cursor;
        do {
            node = node->Parent();
        } while (node && node->code != TK_CALL && node->code != TK_CONDITIONAL && !yields(node));
        return DetachAndWrap(node, code);
    }
    if (code == TK_MINUS) return MakeBelowCursor(TK_NEG);
    return false;
}

bool Parser::Semicolon() {
    JsToken *cursor = s_->cursor;
    if (cursor->code == TK_LPAREN && cursor->Parent() && cursor->Parent()->code == TK_FOR) {
        if (CountUpTo(cursor, 4) == 3) return false;
        return AppendEmpty(cursor);
    }
    JsToken *node = cursor;
    PlaceAnswer answer = PLACE_CLIMB;
    while (node) {
        answer = PlaceRule(node, 1, TK_SEMI);
        if (answer != PLACE_CLIMB) break;
        node = node->Parent();
    }
    if (!node) return false;
    s_->cursor = node;
    if (answer == PLACE_INVALID) {
        if ((node->code == TK_IF || node->code == TK_WHILE) && CountUpTo(node, 2) == 1)
            return AppendEmpty(node);
        return false;
    }
    return true;
}

// A name or literal: a leaf below the place found for it, and the new
// cursor. Names, numbers and strings carry the text the lexer gave them;
// null, true, false and this carry none.
bool Parser::Operand(int code) {
    if (!PlaceFromCursor(s_, 1, code)) return false;
    JsToken *cursor = s_->cursor;
    if (code == TK_IDENT && cursor->code == TK_FUNCTION) s_->expected = TK_LPAREN;
    const bool withText = code == TK_IDENT || code >= TK_INT;
    JsToken *node = withText ? MakeNode(s_, code, text_, static_cast<ptrdiff_t>(length_))
                             : MakeNode(s_, code, nullptr, -1);
    if (!node) return false;
    node->AppendToParent(cursor);
    s_->cursor = node;
    return true;
}

bool Parser::Handle(int code, int *recorded) {
    JsToken *cursor = s_->cursor;
    switch (code) {
    case TK_BREAK: case TK_CONTINUE:
        if (!Place(s_, 0, code) || !HasLoopAround(s_->cursor)) return false;
        return MakeBelowCursor(code);
    case TK_FOR: case TK_IF: case TK_WHILE: case TK_WITH:
        return Place(s_, 0, code) && MakeBelowCursor(code);
    case TK_FUNCTION: case TK_VAR:
        if (!Place(s_, 0, code)) return false;
        s_->expected = TK_IDENT;
        return MakeBelowCursor(code);
    case TK_ELSE:
        return Place(s_, 0, code) && s_->cursor->code == TK_IF && MakeBelowCursor(code);
    case TK_RETURN:
        if (!Place(s_, 0, code)) return false;
        if (!s_->handlerMode && !HasFunctionAround(s_->cursor)) return false;
        return MakeBelowCursor(code);
    case TK_IN: {
        JsToken *node = cursor;
        while (node && (node->code == TK_IDENT || node->code == TK_SUBSCRIPT || node->code == TK_DOT ||
                        node->code == TK_VAR))
            node = node->Parent();
        if (!node || node->code != TK_LPAREN || !node->Parent() || node->Parent()->code != TK_FOR)
            return false;
        s_->cursor = node;
        node->Parent()->code = TK_FOR_IN;
        return true;
    }
    case TK_TYPEOF: case TK_VOID: case TK_NOT: case TK_BITNOT:
        return MakeBelowCursor(code);
    case TK_NEW:
        s_->expected = TK_IDENT;
        return MakeBelowCursor(code);
    case TK_IDENT: case TK_NULL: case TK_FALSE: case TK_TRUE: case TK_THIS:
    case TK_INT: case TK_OCTAL: case TK_HEX: case TK_DECIMAL: case TK_STRING: case TK_ESCAPED_STRING:
        return Operand(code);
    case TK_LBRACE:
        *recorded = TK_BLOCK;
        return Place(s_, 0, TK_BLOCK) && MakeBelowCursor(TK_BLOCK);
    case TK_RBRACE: {
        JsToken *node = cursor;
        while (node && node->code != TK_BLOCK) node = node->Parent();
        if (!node || !node->Parent()) return false;
        s_->cursor = node->Parent();
        return true;
    }
    case TK_LPAREN:
        if (cursor->code == TK_IDENT || cursor->code == TK_DOT || cursor->code == TK_SUBSCRIPT) {
            JsToken *callee = cursor;
            if (callee->Parent() && callee->Parent()->code != TK_FUNCTION) {
                code = TK_CALL;
                while (callee->Parent() &&
                       (callee->Parent()->code == TK_DOT || callee->Parent()->code == TK_SUBSCRIPT))
                    callee = callee->Parent();
            }
            JsToken *parent = callee->Parent();
            if (!parent) return false;
            callee->Detach();
            s_->cursor = parent;
            *recorded = code;
            return Make(code, callee);
        }
        return Place(s_, 1, code) && MakeBelowCursor(code);
    case TK_RPAREN:
        return CloseParen();
    case TK_COMMA:
        return Comma();
    case TK_COLON:
        return Place(s_, 1, code) && s_->cursor->code == TK_CONDITIONAL;
    case TK_QUESTION: {
        *recorded = TK_CONDITIONAL;
        JsToken *node = cursor, *left = nullptr;
        while (node && !Yields(node, TK_CONDITIONAL)) {
            left = node;
            node = node->Parent();
        }
        if (!left || !node) return false;
        s_->cursor = node;
        left->Detach();
        return Make(TK_CONDITIONAL, left);
    }
    case TK_DOT: case TK_LBRACKET: {
        const int c = cursor->code, p = Precedence(c);
        if (!(c == TK_IDENT || c == TK_SUBSCRIPT || c == TK_DOT || c == TK_THIS || c == TK_STRING ||
              c == TK_CALL || c == TK_NEW || (p >= 2 && p <= 12)))
            return false;
        JsToken *subject = cursor;
        while (subject->Parent() &&
               (subject->Parent()->code == TK_DOT || subject->Parent()->code == TK_SUBSCRIPT))
            subject = subject->Parent();
        JsToken *parent = subject->Parent();
        if (!parent) return false;
        subject->Detach();
        s_->cursor = parent;
        return Make(code, subject);
    }
    case TK_RBRACKET: {
        JsToken *node = cursor;
        while (node && node->code != TK_LBRACKET) node = node->Parent();
        if (!node || CountUpTo(node, 3) != 2) return false;
        node->code = TK_SUBSCRIPT;
        s_->cursor = node;
        return true;
    }
    case TK_PREINC: case TK_PREDEC:
        if (!IncDec(code)) return false;
        *recorded = s_->cursor->code;
        return true;
    case TK_SEMI:
        return Semicolon();
    default:
        if (IsBinaryCode(code) || code == TK_NEG) {
            if (!Binary(code)) return false;
            *recorded = s_->cursor->code;
            return true;
        }
        return false;
    }
}

int Parser::Run() {
    if (s_->failed || !s_->cursor) return RC_SYNTAX_ERROR;
    while (true) {
        // text_ and length_ are read only after the lexer has set them: for
        // names, numbers and strings.
        const int code = Lex(position_, &text_, &length_, end_, more_, 1);
        if (s_->expected) {
            // A chunk may end between a keyword and the name that follows it:
            // the expectation waits for the next chunk.
            if (code == TK_END && more_) return RC_MORE;
            if (code != s_->expected) return Error();
            s_->expected = 0;
        }
        if (code == TK_END) return more_ ? RC_MORE : RC_OK;
        int recorded = code;
        if (code != TK_COMMENT && !Handle(code, &recorded)) return Error();
        s_->lastToken = recorded;
    }
}

}  // namespace

int Compile(JsScript *script, const char **position, const char *end, int moreToCome) {
    if (!script) return RC_NULL_HANDLE;
    Parser parser(script, position, end, moreToCome);
    return parser.Run();
}
