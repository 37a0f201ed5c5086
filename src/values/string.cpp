#include <cstdlib>
#include <cstring>

#include "engine/shared.h"
#include "values/convert.h"
#include "values/value.h"

namespace {

// Texts are held to what an int32_t length can count, with room to spare.
constexpr size_t kLongestText = 0x7FFFFF00;

// A block with room for room bytes of text, holding none yet; null when
// memory runs out.
JsTextBlock *NewBlock(size_t room) {
    if (room > kLongestText) return nullptr;
    auto *block = static_cast<JsTextBlock *>(JsMalloc(offsetof(JsTextBlock, text) + room + 1));
    if (!block) return nullptr;
    block->refs = 1;
    block->used = 0;
    block->room = static_cast<int32_t>(room);
    block->text[0] = 0;
    return block;
}

// A block for a text of needed bytes that keeps growing: half again as
// much room, so that a run of appends copies it a bounded number of times
// over (exactly the room needed when the larger one cannot be had).
JsTextBlock *GrowingBlock(size_t needed) {
    const size_t room = needed >= 64 ? needed + needed / 2 : needed;
    JsTextBlock *block = NewBlock(room);
    return block || room == needed ? block : NewBlock(needed);
}

void ReleaseBlock(JsTextBlock *block) {
    if (block && --block->refs == 0) JsFree(block);
}

// Sets a block's text to length bytes at its start, which are in place.
void EndText(JsTextBlock *block, size_t length) {
    block->used = static_cast<int32_t>(length);
    block->text[length] = 0;
}

size_t TextLength(const char *text) { return text ? std::strlen(text) : 0; }

}  // namespace

JsString *JsString::Make(const char *text) { return Make(text, TextLength(text)); }

JsString *JsString::Make(const char *text, size_t length) {
    if (!text) length = 0;
    JsTextBlock *block = NewBlock(length);
    if (!block) return nullptr;
    if (length) std::memcpy(block->text, text, length);
    EndText(block, length);
    return Wrap(block, length);
}

JsString *JsString::Wrap(JsTextBlock *block, size_t length) {
    JsString *s = new JsString();
    if (!s) {
        ReleaseBlock(block);
        return nullptr;
    }
    s->block_ = block;
    s->length_ = static_cast<int32_t>(length);
    return s;
}

JsTextBlock *JsString::GrownBlock(const char *text, size_t length) {
    const size_t have = static_cast<size_t>(length_);
    if (length > kLongestText - have) return nullptr;
    const size_t needed = have + length;
    JsTextBlock *block = block_;
    // A block held by this string alone may drop what a string grown from
    // it, and gone since, had added.
    if (block->refs == 1) block->used = length_;
    if (block->used == length_ && needed <= static_cast<size_t>(block->room)) {
        // This text ends where the block's does: the new bytes go on after
        // it. They may come from the block too, but only from before its end.
        if (length) std::memmove(block->text + have, text, length);
    } else {
        block = GrowingBlock(needed);
        if (!block) return nullptr;
        std::memcpy(block->text, block_->text, have);
        if (length) std::memcpy(block->text + have, text, length);
    }
    EndText(block, needed);
    return block;
}

JsString *JsString::Extended(const char *text, size_t length) {
    JsTextBlock *block = GrownBlock(text, length);
    if (!block) return nullptr;
    if (block == block_) block->refs++;  // shared with this string, which keeps its length
    return Wrap(block, static_cast<size_t>(length_) + length);
}

JsString *JsString::Join(JsString *a, JsString *b) {
    if (!a) return b ? Make(b->block_->text, static_cast<size_t>(b->length_)) : Make("");
    return b ? a->Extended(b->block_->text, static_cast<size_t>(b->length_)) : a->Extended(nullptr, 0);
}

JsString *JsString::Join(JsString *a, const char *b) {
    if (!a) return Make(b);
    return a->Extended(b, TextLength(b));
}

JsString *JsString::Join(const char *a, JsString *b) {
    const size_t n = TextLength(a), m = b ? static_cast<size_t>(b->length_) : 0;
    if (m > kLongestText - n) return nullptr;
    JsTextBlock *block = NewBlock(n + m);
    if (!block) return nullptr;
    if (n) std::memcpy(block->text, a, n);
    if (m) std::memcpy(block->text + n, b->block_->text, m);
    EndText(block, n + m);
    return Wrap(block, n + m);
}

JsString *JsString::Join(const char *a, const char *b, const char *c, const char *d, const char *e) {
    const char *parts[5] = {a, b, c, d, e};
    size_t total = 0;
    for (const char *p : parts) total += TextLength(p);
    JsTextBlock *block = NewBlock(total);
    if (!block) return nullptr;
    size_t at = 0;
    for (const char *p : parts) {
        size_t n = TextLength(p);
        if (n) std::memcpy(block->text + at, p, n);
        at += n;
    }
    EndText(block, total);
    return Wrap(block, total);
}

JsString::~JsString() { ReleaseBlock(block_); }

bool JsString::OwnBytes() {
    const size_t length = static_cast<size_t>(length_);
    if (block_->refs == 1) {
        EndText(block_, length);
        return true;
    }
    JsTextBlock *own = NewBlock(length);
    if (!own) return false;
    std::memcpy(own->text, block_->text, length);
    EndText(own, length);
    ReleaseBlock(block_);
    block_ = own;
    return true;
}

const char *JsString::ToText() {
    // A string grown from this one has written past its end. Without memory
    // for a copy of its own, the text read runs on into what the other
    // string added (still ended by its NUL): wrong past this string's
    // length, but never outside the block.
    if (block_->used != length_) OwnBytes();
    return block_->text;
}

const char *JsString::TextForHost() {
    const char *text = ToText();
    // The block keeps no room past this text: an addition copies instead.
    if (block_->used == length_) block_->room = length_;
    return text;
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
    if (!text || !length) return true;
    JsTextBlock *block = GrownBlock(text, length);
    if (!block) return false;
    if (block != block_) {
        ReleaseBlock(block_);
        block_ = block;
    }
    length_ += static_cast<int32_t>(length);
    return true;
}

char JsString::CharAt(int32_t index) {
    if (index < 0 || index >= length_) return 0;
    return block_->text[index];
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
    const int32_t n = length_;
    if (from < 0) from = 0;
    if (to > n) to = n;
    if (from > to) {
        int32_t t = from;
        from = to;
        to = t;
    }
    if (from >= 0 && from < n && to >= 1 && to <= n)
        return Make(block_->text + from, static_cast<size_t>(to - from));
    return Make("");
}

void JsString::ChangeCase(int lower) {
    if (!OwnBytes()) return;  // only this string may see its bytes change
    for (int32_t i = 0; i < length_; i++) {
        char &c = block_->text[i];
        if (lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (!lower && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
}
