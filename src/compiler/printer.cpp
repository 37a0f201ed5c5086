#include "compiler/printer.h"

#include <cstring>

#include "compiler/operator_table.h"
#include "compiler/token.h"

namespace {

constexpr size_t kMinimumRoom = 21;

bool IsBinaryPrinted(int code) {
    const OperatorInfo *info = FindOperator(code);
    return info && info->between;
}

int CountUpTo(const JsToken *node, int limit) {
    int n = 0;
    for (JsToken *c = node->FirstChild(); c && n < limit; c = c->Next()) n++;
    return n;
}

// Every nested call of the printer writes into the rest of the same buffer,
// so each room rule ("L + k < size" for the call's own count L and size)
// comes down to the shared position: pos + k < total size.
class Printer {
public:
    Printer(char *buffer, size_t size) : buf_(buffer), size_(size) {}

    size_t Print(const JsToken *root) {
        const JsToken *node = root;
        const JsToken *finished = nullptr;  // the child just printed, or none on entry
        while (true) {
            const JsToken *child = finished ? Resume(node, finished) : Enter(node);
            if (child) {
                node = child;
                finished = nullptr;
                continue;
            }
            if (node == root) break;
            finished = node;
            node = node->Parent();
        }
        buf_[pos_] = 0;
        return pos_;
    }

private:
    char *buf_;
    size_t size_;
    size_t pos_ = 0;

    // A piece that needs room: written only when pos + need < size.
    void PutChecked(const char *piece, size_t need) {
        if (pos_ + need < size_) PutUnchecked(piece);
    }
    // An opening piece, written at the start of a node, where at least the
    // minimum room is left.
    void PutUnchecked(const char *piece) {
        size_t length = std::strlen(piece);
        std::memcpy(buf_ + pos_, piece, length);
        pos_ += length;
    }
    void PutText(const JsToken *node, bool quoted) {
        const char *text = node->text ? node->text : "";
        size_t length = std::strlen(text);
        if (length + 2 >= size_ - pos_) return;
        if (quoted) buf_[pos_++] = '"';
        std::memcpy(buf_ + pos_, text, length);
        pos_ += length;
        if (quoted) buf_[pos_++] = '"';
    }

    // Starts a node; answers the first child to print, or none when done.
    const JsToken *Enter(const JsToken *node) {
        if (size_ - pos_ < kMinimumRoom) return nullptr;
        const JsToken *first = node->FirstChild();
        const int code = node->code;
        switch (code) {
        case TK_IDENT: case TK_INT: case TK_OCTAL: case TK_HEX: case TK_DECIMAL:
            PutText(node, false);
            return nullptr;
        case TK_STRING:
            PutText(node, true);
            return nullptr;
        case TK_COMMA:
            return first;
        case TK_BLOCK:
            PutUnchecked("{");
            if (!first) PutChecked("}", 1);
            return first;
        case TK_CALL:
            return first;
        case TK_CONDITIONAL:
            if (CountUpTo(node, 4) != 3) return nullptr;
            PutUnchecked("(");
            return first;
        case TK_TYPEOF:
            if (first) PutUnchecked("typeof(");
            return first;
        case TK_NEW:
            if (first) PutUnchecked("new ");
            return first;
        case TK_RETURN:
            if (first) PutUnchecked("return ");
            return first;
        case TK_VAR:
            if (first) PutUnchecked("var ");
            return first;
        case TK_IF: case TK_WHILE:
            if (CountUpTo(node, 2) < 2) return nullptr;
            PutUnchecked(code == TK_IF ? "if (" : "while (");
            return first;
        case TK_PREINC: case TK_PREDEC: case TK_NEG:
            PutUnchecked(OperatorText(code));
            return first;
        case TK_POSTINC: case TK_POSTDEC:
            if (first) return first;
            PutChecked(OperatorText(code), 2);
            return nullptr;
        default:
            if (!IsBinaryPrinted(code)) return nullptr;
            if (first) return first;
            return AfterLeft(node);
        }
    }

    // Continues a node after one of its children; answers the next child to
    // print, or none when the node is done.
    const JsToken *Resume(const JsToken *node, const JsToken *after) {
        const int code = node->code;
        const bool afterFirst = after == node->FirstChild();
        switch (code) {
        case TK_COMMA: case TK_BLOCK: {
            const JsToken *next = after->Next();
            if (next) {
                PutChecked(code == TK_COMMA ? "," : ";", 1);
                return next;
            }
            if (code == TK_BLOCK) PutChecked("}", 1);
            return nullptr;
        }
        case TK_CALL:
            if (afterFirst) {
                PutChecked("(", 1);
                if (const JsToken *args = after->Next()) return args;
            }
            PutChecked(")", 1);
            return nullptr;
        case TK_CONDITIONAL:
            if (afterFirst) {
                PutChecked(") ? ", 4);
                return after->Next();
            }
            if (after->Next()) {
                PutChecked(" : ", 3);
                return after->Next();
            }
            return nullptr;
        case TK_TYPEOF:
            PutChecked(")", 1);
            return nullptr;
        case TK_IF: case TK_WHILE:
            if (afterFirst) {
                PutChecked(") ", 2);
                return after->Next();
            }
            return code == TK_IF ? after->Next() : nullptr;
        case TK_POSTINC: case TK_POSTDEC:
            PutChecked(OperatorText(code), 2);
            return nullptr;
        default:
            if (IsBinaryPrinted(code)) {
                if (afterFirst) return AfterLeft(node);
                if (code == TK_SUBSCRIPT) PutChecked("]", 1);
            }
            return nullptr;
        }
    }

    const JsToken *AfterLeft(const JsToken *node) {
        PutChecked(OperatorText(node->code), 4);
        if (CountUpTo(node, 3) == 2) return node->LastChild();
        if (node->code == TK_SUBSCRIPT) PutChecked("]", 1);
        return nullptr;
    }
};

}  // namespace

size_t PrintSource(const JsToken *node, char *buffer, size_t size) {
    if (!buffer || size == 0) return 0;
    if (size < kMinimumRoom || !node) {
        buffer[0] = 0;
        return 0;
    }
    return Printer(buffer, size).Print(node);
}
