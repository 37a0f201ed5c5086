#include <cstdlib>
#include <cstring>

#include "engine/shared.h"
#include "values/convert.h"
#include "values/value.h"

namespace {

// A piece holding a copy of the given bytes, or null.
JsTextPiece *NewPiece(const char *text, size_t length) {
    char *copy = JsCopyText(text ? text : "", text ? length : 0);
    if (!copy) return nullptr;
    JsTextPiece *piece = new JsTextPiece(copy, static_cast<int32_t>(text ? length : 0));
    if (!piece) JsFree(copy);
    return piece;
}

size_t TextLength(const char *text) { return text ? std::strlen(text) : 0; }

}  // namespace

JsString *JsString::Make(const char *text) { return Make(text, TextLength(text)); }

JsString *JsString::Make(const char *text, size_t length) {
    JsString *s = new JsString();
    if (!s) return nullptr;
    JsTextPiece *piece = NewPiece(text, length);
    if (!piece) {
        delete s;
        return nullptr;
    }
    piece->AppendTo(s->pieces);
    return s;
}

JsString *JsString::Join(JsString *a, JsString *b) {
    JsTextPiece *pa = a ? a->First() : nullptr, *pb = b ? b->First() : nullptr;
    JsString *s = Make(pa ? pa->text : nullptr, pa ? static_cast<size_t>(pa->length) : 0);
    if (s && pb && !s->Append(pb->text, static_cast<size_t>(pb->length))) {
        delete s;
        return nullptr;
    }
    return s;
}

JsString *JsString::Join(JsString *a, const char *b) {
    JsTextPiece *pa = a ? a->First() : nullptr;
    JsString *s = Make(pa ? pa->text : nullptr, pa ? static_cast<size_t>(pa->length) : 0);
    if (s && b && !s->Append(b)) {
        delete s;
        return nullptr;
    }
    return s;
}

JsString *JsString::Join(const char *a, JsString *b) {
    JsTextPiece *pb = b ? b->First() : nullptr;
    JsString *s = Make(a);
    if (s && pb && !s->Append(pb->text, static_cast<size_t>(pb->length))) {
        delete s;
        return nullptr;
    }
    return s;
}

JsString *JsString::Join(const char *a, const char *b, const char *c, const char *d, const char *e) {
    const char *parts[5] = {a, b, c, d, e};
    size_t total = 0;
    for (const char *p : parts) total += TextLength(p);
    char *text = static_cast<char *>(JsMalloc(total + 1));
    if (!text) return nullptr;
    size_t at = 0;
    for (const char *p : parts) {
        size_t n = TextLength(p);
        if (n) std::memcpy(text + at, p, n);
        at += n;
    }
    text[at] = 0;
    JsString *s = new JsString();
    JsTextPiece *piece = s ? new JsTextPiece(text, static_cast<int32_t>(total)) : nullptr;
    if (!piece) {
        JsFree(text);
        delete s;
        return nullptr;
    }
    piece->AppendTo(s->pieces);
    return s;
}

JsString::~JsString() {
    while (JsListNode *piece = pieces.First()) {
        piece->Unlink();
        delete piece;
    }
}

const char *JsString::ToText() {
    JsTextPiece *piece = First();
    return piece ? piece->text : nullptr;
}

int JsString::ToBoolean() {
    const char *text = ToText();
    return text && *text ? 1 : 0;
}

double JsString::ToNumber() { return IsNumeric() ? DecimalPrefixValue(ToText()) : 0.0; }

int JsString::IsNumeric() { return TextIsNumeric(ToText()) ? 1 : 0; }

JsString *JsString::TypeName() { return g_shared.typeString; }

int JsString::Compare(JsValue *other) {
    if (!other) return 1;
    const char *s = ToText();
    if (s && other->IsNumber()) {
        const char *p = s;
        while (*p >= '0' && *p <= '9') p++;
        // A digit string against a number compares as numbers.
        if (!*p) return -other->Compare(this);
    }
    const char *o = other->ToText();
    if (o && *o) {
        if (!s || !*s) return -1;
        return std::strcmp(s, o);
    }
    return s && *s ? 1 : 0;
}

bool JsString::Append(const char *text) { return Append(text, TextLength(text)); }

bool JsString::Append(const char *text, size_t length) {
    JsTextPiece *last = static_cast<JsTextPiece *>(pieces.Last());
    if (!last) {
        JsTextPiece *piece = NewPiece(text, length);
        if (!piece) return false;
        piece->AppendTo(pieces);
        return true;
    }
    if (!text) return true;
    const size_t old = static_cast<size_t>(last->length);
    if (old + length + 1 <= JsBlockSize(last->text)) {
        // The block has room from an earlier growth: the text goes on in place.
        if (length) std::memmove(last->text + old, text, length);
        last->text[old + length] = 0;
        last->length = static_cast<int32_t>(old + length);
        return true;
    }
    // A text that keeps growing gets half again as much room, so that a
    // run of appends copies it a bounded number of times over.
    const size_t needed = old + length + 1;
    const size_t room = needed >= 64 ? needed + needed / 2 : needed;
    char *grown = static_cast<char *>(JsMalloc(room));
    if (!grown && room > needed) grown = static_cast<char *>(JsMalloc(needed));
    if (!grown) return false;
    std::memcpy(grown, last->text, old);
    if (length) std::memcpy(grown + old, text, length);
    grown[old + length] = 0;
    JsFree(last->text);
    last->text = grown;
    last->length = static_cast<int32_t>(old + length);
    return true;
}

bool JsString::AppendString(JsString *other) {
    JsTextPiece *piece = other ? other->First() : nullptr;
    return !piece || Append(piece->text, static_cast<size_t>(piece->length));
}

int32_t JsString::Length() const {
    int32_t n = 0;
    for (JsListNode *p = pieces.First(); p; p = p->Next()) n += static_cast<JsTextPiece *>(p)->length;
    return n;
}

char JsString::CharAt(int32_t index) {
    JsTextPiece *piece = First();
    if (!piece || index < 0 || index >= piece->length) return 0;
    return piece->text[index];
}

int32_t JsString::IndexOf(const char *pattern, int32_t start) {
    const char *text = ToText();
    if (!text || !pattern) return -1;
    const int32_t length = static_cast<int32_t>(std::strlen(text));
    if (start <= 0 || start >= length) start = 0;
    const char *found = std::strstr(text + start, pattern);
    return found ? static_cast<int32_t>(found - text) : -1;
}

JsString *JsString::Substring(int32_t from, int32_t to) {
    JsTextPiece *piece = First();
    if (!piece) return Make("");
    const int32_t n = piece->length;
    if (from < 0) from = 0;
    if (to > n) to = n;
    if (from > to) {
        int32_t t = from;
        from = to;
        to = t;
    }
    if (from >= 0 && from < n && to >= 1 && to <= n)
        return Make(piece->text + from, static_cast<size_t>(to - from));
    return Make("");
}

void JsString::ChangeCase(int lower) {
    for (JsListNode *p = pieces.First(); p; p = p->Next()) {
        JsTextPiece *piece = static_cast<JsTextPiece *>(p);
        for (int32_t i = 0; i < piece->length; i++) {
            char &c = piece->text[i];
            if (lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (!lower && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
    }
}
