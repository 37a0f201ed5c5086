// Values: the reference-counted classes behind everything a script holds,
// with one fixed virtual interface (conversions, type tests, type name,
// comparison).
//
// Ownership: only stored pointers count (properties, variables, frame
// slots, argument lists, internal values, shared values, host handles).
// Look-up results are borrowed, and values made on the spot come back with
// refs 0. A caller that only reads such a fresh result and stores it
// nowhere passes it to DropIfUnowned when done, which frees a value that
// nobody took; that is the rule that keeps count-0 results from leaking.
#ifndef DURIZ_VALUES_VALUE_H
#define DURIZ_VALUES_VALUE_H

#include <cstddef>
#include <cstdint>

#include "engine/memory.h"

struct JsValue;
class JsString;

// The integer view of a double: truncated toward zero, low 32 bits as a
// signed integer. Defined for every input: non-finite values give 0, and
// values beyond the 64-bit range are reduced modulo 2^32 exactly.
int32_t IntegerView(double d);

// What a value is, kept beside its count so that the hot paths of
// arithmetic, assignment and look-up can tell numbers and objects apart
// without a virtual call.
enum JsValueKind : uint8_t { VALUE_OTHER, VALUE_NUMBER, VALUE_OBJECT };

// What the reclaiming of cycles keeps in a value (see cycles.h).
enum JsCycleBits : uint8_t {
    CYCLE_CONTAINER = 1,  // may hold counted references to other values
    CYCLE_UNNOTED = 2,    // a container not among the candidates: a drop of its count notes it
    CYCLE_GRAY = 4,       // during a collection: counts of inner references taken away
    CYCLE_WHITE = 8,      // during a collection: held by nothing but the candidates' graph
    CYCLE_QUEUED = 16,    // during a collection: waiting to be scanned
};

struct JsValue : public JsAllocated {
    int32_t refs = 0;
    uint16_t flags = 0;
    JsValueKind kind = VALUE_OTHER;
    uint8_t cycle = 0;  // JsCycleBits

    JsValue() = default;
    JsValue(const JsValue &) = delete;
    JsValue &operator=(const JsValue &) = delete;

    // IsObject without the call.
    bool IsObjectKind() const { return kind == VALUE_OBJECT; }

    // Slot order of the value interface.
    virtual ~JsValue() {}
    virtual int IsNaN() { return 0; }
    virtual int ToBoolean() { return 1; }
    virtual double ToNumber() { return 0.0; }
    virtual int32_t ToInteger() { return 0; }
    virtual const char *ToText() = 0;
    virtual int IsString() { return 0; }
    virtual int IsNumber() { return 0; }
    virtual int IsBoolean() { return 0; }
    virtual int IsObject() { return 0; }
    virtual int HasClass() { return 0; }
    virtual int IsFunction() { return 0; }
    virtual int IsNull() { return 0; }
    virtual int IsUndefined() { return 0; }
    virtual int Flags() { return static_cast<int>(flags); }
    virtual int IsNumeric() { return 0; }
    virtual JsString *TypeName() = 0;
    virtual JsValue *AsFunction() { return nullptr; }
    virtual int Compare(JsValue *other) { return other == this ? 0 : 1; }

    // Calls visit with every value this one holds a counted reference to,
    // once for each reference. Values that hold none keep this default.
    typedef void (*Visitor)(JsValue *held, void *context);
    virtual void ForEachReference(Visitor, void *) {}

    // Runs the destructor; with the flag set the memory is freed too.
    void Destroy(int freeMemory);
};

// A value that can hold counted references to others (an object or a
// function), and so be part of a cycle.
struct JsContainer : public JsValue {
    int32_t candidate = -1;  // its place among the candidates, -1 for none

    JsContainer();
    ~JsContainer() override;
};

// A value whose count has just dropped and stays above 0 may now be held
// only through a cycle: a candidate for the next collection.
void NoteCandidate(JsValue *value);
inline void CountDropped(JsValue *value) {
    if (value->cycle & CYCLE_UNNOTED) NoteCandidate(value);
}

class JsNumber : public JsValue {
public:
    double value;
    int32_t nan;

    explicit JsNumber(double v) : value(v), nan(0) { kind = VALUE_NUMBER; }
    static JsNumber *MakeNaN();
    // A literal of the compiled program, by its text and token kind.
    static JsNumber *FromLiteral(const char *text, int tokenKind);

    int IsNaN() override { return nan; }
    int ToBoolean() override { return value == 0.0 ? 0 : 1; }
    double ToNumber() override { return value; }
    int32_t ToInteger() override { return IntegerView(value); }
    const char *ToText() override;
    int IsNumber() override { return 1; }
    int IsNumeric() override { return 1; }
    JsString *TypeName() override;
    int Compare(JsValue *other) override;
};

class JsBoolean : public JsValue {
public:
    int32_t truth;
    explicit JsBoolean(int32_t t) : truth(t) {}

    int ToBoolean() override { return truth; }
    double ToNumber() override { return truth ? 1.0 : 0.0; }
    const char *ToText() override { return truth ? "true" : "false"; }
    int IsBoolean() override { return 1; }
    int IsNumeric() override { return 1; }
    JsString *TypeName() override;
    int Compare(JsValue *other) override;
};

class JsNull : public JsValue {
public:
    int ToBoolean() override { return 0; }
    const char *ToText() override { return "null"; }
    int IsNull() override { return 1; }
    int IsNumeric() override { return 1; }
    JsString *TypeName() override;
};

class JsUndefined : public JsValue {
public:
    int ToBoolean() override { return 0; }
    const char *ToText() override { return "undefined"; }
    int IsUndefined() override { return 1; }
    JsString *TypeName() override;
};

// The bytes behind strings: a counted block that the strings grown from one
// another share. A string is the first `length` bytes of its block; the
// block's `used` bytes are followed by a NUL. A string appended to grows
// its block in place when its text ends where the block's does, so that
// s = s + t copies s only when the block runs out of room.
struct JsTextBlock {
    int32_t refs;
    int32_t used;
    int32_t room;  // bytes of text the block can hold, its NUL aside
    char text[1];
};

class JsString : public JsValue {
public:
    // Constructors. Each answers null when memory runs out. A null text
    // gives the empty text.
    static JsString *Make(const char *text);
    static JsString *Make(const char *text, size_t length);
    static JsString *Join(JsString *a, JsString *b);
    static JsString *Join(JsString *a, const char *b);
    static JsString *Join(const char *a, JsString *b);
    static JsString *Join(const char *a, const char *b, const char *c = nullptr, const char *d = nullptr,
                          const char *e = nullptr);
    ~JsString() override;

    int ToBoolean() override;
    double ToNumber() override;
    // The text, NUL-terminated. A string that another grew from in place
    // is given a copy of its own here; should memory run out for it, the
    // text read runs on into the other's bytes.
    const char *ToText() override;
    // The text for a host, which may keep it while scripts run: no string
    // grown from this one writes on after it in place.
    const char *TextForHost();
    int IsString() override { return 1; }
    int IsNumeric() override;
    JsString *TypeName() override;
    int Compare(JsValue *other) override;

    // Appends text; answers false when memory runs out.
    bool Append(const char *text);
    bool Append(const char *text, size_t length);
    int32_t Length() const { return length_; }
    char CharAt(int32_t index);
    int32_t IndexOf(const char *pattern, int32_t start);
    JsString *Substring(int32_t from, int32_t to);
    void ChangeCase(int lower);

private:
    JsString() = default;
    // A string of this one's text followed by length bytes of text, sharing
    // this one's block when it can; null when memory runs out.
    JsString *Extended(const char *text, size_t length);
    // The block for this text followed by length bytes of text: this
    // string's own, written on in place when its text ends where the
    // block's does and it has the room, else a new one. Null when memory
    // runs out.
    JsTextBlock *GrownBlock(const char *text, size_t length);
    // A string of the first length bytes of block, which it takes over;
    // null (and the block let go) when memory runs out.
    static JsString *Wrap(JsTextBlock *block, size_t length);
    // Gives this string its bytes alone in a block, ended after its text;
    // false when memory runs out for the copy this takes while another
    // string shares the block.
    bool OwnBytes();
    JsTextBlock *block_ = nullptr;  // counted; never null once made
    int32_t length_ = 0;
};

// Whether text starts with a number as the lexer scans one (after one
// optional sign): "12px", ".5" and "0x1A" do, "", "-", ".", " 1" and "abc"
// do not.
bool TextIsNumeric(const char *text);

// The number pool: released numbers, last released first reused.
constexpr int kNumberPoolSize = 256;
extern JsNumber *g_pool[kNumberPoolSize];
extern int g_poolCount;
JsNumber *MakeFreshNumber(double value);

// How a number orders against another number's value: -1 when it is less,
// 0 when equal, 1 when greater or when the two are unordered.
inline int NumberOrder(double value, double other) {
    if (other > value) return -1;
    if (other < value || !(other == value)) return 1;
    return 0;
}

// A number that is no NaN, or null: what the fast paths of arithmetic take.
inline JsNumber *PlainNumber(JsValue *value) {
    if (!value || value->kind != VALUE_NUMBER) return nullptr;
    JsNumber *n = static_cast<JsNumber *>(value);
    return n->nan ? nullptr : n;
}

// Numbers: the pooled way to make one (null when memory runs out). A reused
// number is set up again without a constructor.
inline JsNumber *MakeNumber(double value) {
    if (g_poolCount) {
        JsNumber *n = g_pool[--g_poolCount];
        n->refs = 0;
        n->flags = 0;
        n->value = value;
        n->nan = 0;
        return n;
    }
    return MakeFreshNumber(value);
}
// A value whose count has just dropped to 0: numbers go back to the pool
// while it has room, everything else is destroyed.
void DisposeValue(JsValue *value);
// Stores value in a counted slot.
inline void AssignRef(JsValue **slot, JsValue *value) {
    JsValue *old = *slot;
    if (old == value) return;
    *slot = value;
    if (value) value->refs++;
    if (!old) return;
    if (--old->refs == 0) DisposeValue(old);
    else CountDropped(old);
}
// Takes one reference away; at 0 the value goes to DisposeValue.
inline void ReleaseRef(JsValue *value) {
    if (!value) return;
    if (--value->refs == 0) DisposeValue(value);
    else CountDropped(value);
}
// Takes a holder's reference away; at 0 the value is destroyed and freed
// (not pooled). Used by the destructors of holders.
void ReleaseHeld(JsValue *value);
// Frees a fresh result (refs 0) that no one took.
inline void DropIfUnowned(JsValue *value) {
    if (value && value->refs == 0) DisposeValue(value);
}

int NumberPoolCount();
void NumberPoolClear();
// Frees the list that defers destruction (at engine shut-down).
void FreeValueWorklist();

// Writes v's decimal digits (with a leading '-' when negative) and a NUL to
// out, which has room for 21 bytes; answers the length.
size_t IntegerText(int64_t v, char *out);

// The shared 64-byte buffer that number texts are written into.
constexpr size_t kNumberTextSize = 64;
extern char g_numberText[kNumberTextSize];

#endif
