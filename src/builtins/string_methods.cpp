// String methods: the HTML wrappers and the text operations. Positions and
// lengths count bytes.
#include <cstdint>
#include <cstring>

#include "builtins/library.h"
#include "duriz.h"
#include "values/array.h"
#include "values/object.h"

namespace {

// A number argument as a byte position: false (no value) at or above
// 2147483647, otherwise truncated toward zero; a NaN reads as the most
// negative position.
bool Position(JsValue *value, int32_t *position) {
    const double d = value->ToNumber();
    if (d >= 2147483647.0) return false;
    if (!(d == d) || d <= -2147483648.0)
        *position = INT32_MIN;
    else
        *position = static_cast<int32_t>(d);
    return true;
}

// The receiver's string: the string inside the `this` object.
JsString *ReceiverString(JsValue *thisValue) {
    if (!thisValue || !thisValue->IsObject()) return nullptr;
    JsValue *inner = static_cast<JsObject *>(thisValue)->internal;
    return inner && inner->IsString() ? static_cast<JsString *>(inner) : nullptr;
}

struct Wrapper {
    int32_t id;
    const char *open;   // before the argument, or the whole opening tag
    const char *close;  // after the receiver's text
    bool withArgument;
};

const Wrapper kWrappers[] = {
    {DURIZ_NATIVE_STRING_ANCHOR, "<A NAME=", "</A>", true},
    {DURIZ_NATIVE_STRING_BIG, "<BIG>", "</BIG>", false},
    {DURIZ_NATIVE_STRING_BLINK, "<BLINK>", "</BLINK>", false},
    {DURIZ_NATIVE_STRING_BOLD, "<B>", "</B>", false},
    {DURIZ_NATIVE_STRING_FIXED, "<TT>", "</TT>", false},
    {DURIZ_NATIVE_STRING_FONTCOLOR, "<FONT COLOR=", "</FONT>", true},
    {DURIZ_NATIVE_STRING_FONTSIZE, "<FONT SIZE=", "</FONT>", true},
    {DURIZ_NATIVE_STRING_ITALICS, "<I>", "</I>", false},
    {DURIZ_NATIVE_STRING_LINK, "<A HREF=", "</A>", true},
    {DURIZ_NATIVE_STRING_SMALL, "<SMALL>", "</SMALL>", false},
    {DURIZ_NATIVE_STRING_STRIKE, "<STRIKE>", "</STRIKE>", false},
    {DURIZ_NATIVE_STRING_SUB, "<SUB>", "</SUB>", false},
    {DURIZ_NATIVE_STRING_SUP, "<SUP>", "</SUP>", false},
};

JsValue *Wrap(const NativeCall &call, const Wrapper &w) {
    if (!call.thisValue) return nullptr;
    JsValue *argument = call.Arg(1);
    if (w.withArgument && !Given(argument)) return nullptr;
    // The receiver's text is taken first: both may share one buffer.
    const char *receiver = call.thisValue->ToText();
    JsString *inner = JsString::Make(receiver);
    if (!inner) return nullptr;
    JsString *result = w.withArgument ? JsString::Join(w.open, argument->ToText(), ">", inner->ToText(), w.close)
                                      : JsString::Join(w.open, inner->ToText(), w.close);
    DropIfUnowned(inner);
    return result;
}

JsValue *CharAt(JsString *s, const NativeCall &call) {
    JsValue *argument = call.Arg(1);
    int32_t position;
    if (!Given(argument) || !Position(argument, &position)) return nullptr;
    const int32_t length = s->Length();
    if (position < 0 || position >= length) return JsString::Make("");
    return JsString::Make(s->ToText() + position, 1);
}

// The first occurrence at or after start, with the start rule: a start
// that is not inside the text searches from 0.
int32_t Find(const char *text, int32_t length, const char *pattern, int32_t start) {
    if (start <= 0 || start >= length) start = 0;
    const char *found = std::strstr(text + start, pattern);
    return found ? static_cast<int32_t>(found - text) : -1;
}

JsValue *IndexOf(JsString *s, const NativeCall &call, bool last) {
    JsValue *search = call.Arg(1);
    if (!Given(search)) return nullptr;
    const int32_t length = s->Length();
    JsValue *second = call.Arg(2);
    int32_t limit = last ? length - 1 : 0;
    if (Given(second) && !Position(second, &limit)) return nullptr;
    // The search text may sit in a shared conversion buffer: copy it.
    JsString *pattern = JsString::Make(search->ToText());
    if (!pattern) return nullptr;
    const char *text = s->ToText();
    const char *p = pattern->ToText();
    int32_t result;
    if (!last) {
        result = Find(text, length, p, limit);
    } else {
        result = -1;
        int32_t at = Find(text, length, p, 0);
        while (at >= 0 && at <= limit && at > result) {
            result = at;
            at = Find(text, length, p, at + 1);
        }
    }
    DropIfUnowned(pattern);
    return MakeNumber(result);
}

JsValue *Substring(JsString *s, const NativeCall &call) {
    JsValue *first = call.Arg(1);
    int32_t a, b;
    if (!Given(first) || !Position(first, &a)) return nullptr;
    const int32_t length = s->Length();
    JsValue *second = call.Arg(2);
    b = length;
    if (Given(second) && !Position(second, &b)) return nullptr;
    if (a < 0) a = 0;
    if (b > length) b = length;
    if (a > b) {
        const int32_t t = a;
        a = b;
        b = t;
    }
    if (a >= 0 && a < length && b >= 1 && b <= length)
        return JsString::Make(s->ToText() + a, static_cast<size_t>(b - a));
    return JsString::Make("");
}

JsValue *Split(const NativeCall &call) {
    const char *receiver = call.thisValue ? call.thisValue->ToText() : nullptr;
    if (!receiver) return nullptr;
    JsString *whole = JsString::Make(receiver);
    if (!whole) return nullptr;
    JsArray *result = JsArray::MakeDense();
    if (!result) {
        DropIfUnowned(whole);
        return nullptr;
    }
    JsValue *separator = call.Arg(1);
    if (!separator) {
        if (!result->AppendElement(whole)) DropIfUnowned(whole);
        return result;
    }
    JsString *cut = JsString::Make(separator->ToText());
    const char *text = whole->ToText();
    const char *s = cut ? cut->ToText() : nullptr;
    const size_t n = s ? std::strlen(s) : 0;
    bool ok = cut != nullptr;
    const char *from = text;
    const char *end = text + whole->Length();
    while (ok) {
        // An empty separator cuts after every byte.
        const char *at = n ? std::strstr(from, s) : (from + 1 < end ? from + 1 : nullptr);
        const char *pieceEnd = at ? at : end;
        JsString *piece = JsString::Make(from, static_cast<size_t>(pieceEnd - from));
        ok = piece && result->AppendElement(piece);
        if (!ok) DropIfUnowned(piece);
        if (!at) break;
        from = at + n;
    }
    DropIfUnowned(cut);
    DropIfUnowned(whole);
    if (!ok) {
        DropIfUnowned(result);
        return nullptr;
    }
    return result;
}

JsValue *ChangedCase(const NativeCall &call, int lower) {
    if (!call.thisValue) return nullptr;
    JsString *result = JsString::Make(call.thisValue->ToText());
    if (result) result->ChangeCase(lower);
    return result;
}

}  // namespace

JsValue *StringMethod(const NativeCall &call) {
    for (const Wrapper &w : kWrappers)
        if (w.id == call.id) return Wrap(call, w);
    switch (call.id) {
    case DURIZ_NATIVE_STRING_SPLIT: return Split(call);
    case DURIZ_NATIVE_STRING_TOLOWERCASE: return ChangedCase(call, 1);
    case DURIZ_NATIVE_STRING_TOUPPERCASE: return ChangedCase(call, 0);
    default: break;
    }
    JsString *s = ReceiverString(call.thisValue);
    if (!s) return nullptr;
    switch (call.id) {
    case DURIZ_NATIVE_STRING_CHARAT: return CharAt(s, call);
    case DURIZ_NATIVE_STRING_INDEXOF: return IndexOf(s, call, false);
    case DURIZ_NATIVE_STRING_LASTINDEXOF: return IndexOf(s, call, true);
    case DURIZ_NATIVE_STRING_SUBSTRING: return Substring(s, call);
    default: return nullptr;
    }
}
