#include "compiler/tree_dump.h"

#include "compiler/token.h"

void AppendEscaped(std::string &out, const char *text) {
    static const char kHex[] = "0123456789ABCDEF";
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; p++) {
        const unsigned char c = *p;
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7f) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
}

std::string DumpTree(const JsToken *root) {
    std::string out;
    if (!root) return out;
    const JsToken *node = root;
    size_t depth = 0;
    while (true) {
        out.append(2 * depth, ' ');
        out += std::to_string(node->code);
        if (node->text) {
            out += ' ';
            AppendEscaped(out, node->text);
        }
        out += '\n';
        if (const JsToken *child = node->FirstChild()) {
            node = child;
            depth++;
            continue;
        }
        while (node != root && !node->Next()) {
            node = node->Parent();
            depth--;
        }
        if (node == root) break;
        node = node->Next();
    }
    return out;
}
