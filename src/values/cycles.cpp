#include "values/cycles.h"

#include <climits>
#include <cstdlib>

#include "engine/memory.h"
#include "engine/shared.h"
#include "values/value.h"

size_t g_containerCount = 0;

namespace {

// The candidates, in a block of the engine's; each knows its place, and
// leaves the list when it is destroyed.
JsContainer **g_candidates = nullptr;
size_t g_candidateCount = 0, g_candidateRoom = 0;

// A collection is due when this many candidates wait: at least the
// minimum, and as many as the values the last collection looked at.
constexpr size_t kMinimumThreshold = 4096;
size_t g_threshold = kMinimumThreshold;

int g_depth = 0;         // the host's calls running in the engine
bool g_due = false;      // a collection runs when the outermost call returns
bool g_collecting = false;
bool g_shutDown = false;  // no candidates are noted

// What is left of a value a collection frees once its destructor has run,
// while the memory waits for the others' destructors.
class JsDeadValue : public JsValue {
public:
    const char *ToText() override { return ""; }
    JsString *TypeName() override { return g_shared.typeUndefined; }
};

// A stack of values with room for every container, made before the
// collection starts so that it never has to grow on the way.
struct Stack {
    JsValue **items = nullptr;
    size_t count = 0;
    bool Make(size_t room) {
        items = static_cast<JsValue **>(std::malloc((room ? room : 1) * sizeof(JsValue *)));
        return items != nullptr;
    }
    ~Stack() { std::free(items); }
    void Push(JsValue *value) { items[count++] = value; }
    JsValue *Pop() { return items[--count]; }
};

struct Collection {
    Stack marking, scanning, blackening, white;
    size_t looked = 0;
};

bool IsContainer(const JsValue *value) { return value && (value->cycle & CYCLE_CONTAINER); }

// Trial deletion: every reference inside the graph takes one count away.
void MarkGrayChild(JsValue *child, void *context) {
    if (!IsContainer(child)) return;
    child->refs--;
    if (child->cycle & CYCLE_GRAY) return;
    child->cycle |= CYCLE_GRAY;
    Collection *c = static_cast<Collection *>(context);
    c->looked++;
    c->marking.Push(child);
}

void MarkGray(Collection &c, JsValue *root) {
    if (root->cycle & CYCLE_GRAY) return;
    root->cycle |= CYCLE_GRAY;
    c.looked++;
    c.marking.Push(root);
    while (c.marking.count) c.marking.Pop()->ForEachReference(MarkGrayChild, &c);
}

// A value still counted is held from outside: it and all it reaches get
// their counts back.
void BlackenChild(JsValue *child, void *context) {
    if (!IsContainer(child)) return;
    child->refs++;
    if (!(child->cycle & (CYCLE_GRAY | CYCLE_WHITE))) return;
    child->cycle &= ~(CYCLE_GRAY | CYCLE_WHITE);
    static_cast<Collection *>(context)->blackening.Push(child);
}

void ScanBlack(Collection &c, JsValue *value) {
    value->cycle &= ~(CYCLE_GRAY | CYCLE_WHITE);
    c.blackening.Push(value);
    while (c.blackening.count) c.blackening.Pop()->ForEachReference(BlackenChild, &c);
}

void QueueGray(Collection &c, JsValue *value) {
    if ((value->cycle & (CYCLE_GRAY | CYCLE_QUEUED)) != CYCLE_GRAY) return;
    value->cycle |= CYCLE_QUEUED;
    c.scanning.Push(value);
}

void QueueChild(JsValue *child, void *context) {
    if (IsContainer(child)) QueueGray(*static_cast<Collection *>(context), child);
}

void Scan(Collection &c, JsValue *root) {
    QueueGray(c, root);
    while (c.scanning.count) {
        JsValue *value = c.scanning.Pop();
        value->cycle &= ~CYCLE_QUEUED;
        if (!(value->cycle & CYCLE_GRAY)) continue;  // blackened since it was queued
        if (value->refs > 0) {
            ScanBlack(c, value);
        } else {
            value->cycle = static_cast<uint8_t>((value->cycle & ~CYCLE_GRAY) | CYCLE_WHITE);
            value->ForEachReference(QueueChild, &c);
        }
    }
}

void GatherChild(JsValue *child, void *context) {
    if (!IsContainer(child) || !(child->cycle & CYCLE_WHITE)) return;
    child->cycle &= ~CYCLE_WHITE;
    static_cast<Collection *>(context)->white.Push(child);
}

void RestoreChild(JsValue *child, void *) {
    if (IsContainer(child)) child->refs++;
}

// Frees the white values: each gets back the counts its references made
// and one more, so that none reaches 0 while the others' destructors let go
// of it; then every destructor runs, and then the memory goes.
size_t FreeWhite(Stack &white) {
    for (size_t i = 0; i < white.count; i++) white.items[i]->ForEachReference(RestoreChild, nullptr);
    for (size_t i = 0; i < white.count; i++) {
        JsValue *value = white.items[i];
        value->refs++;
        value->cycle &= ~CYCLE_UNNOTED;  // not a candidate while it goes
    }
    for (size_t i = 0; i < white.count; i++) {
        JsValue *value = white.items[i];
        value->Destroy(0);
        JsValue *shell = new (value) JsDeadValue();
        shell->refs = INT_MAX / 2;  // the references of those not yet destroyed still drop
    }
    for (size_t i = 0; i < white.count; i++) delete static_cast<JsDeadValue *>(white.items[i]);
    return white.count;
}

}  // namespace

void NoteCandidate(JsValue *value) {
    if (g_shutDown) return;
    if (g_candidateCount == g_candidateRoom) {
        const size_t room = g_candidateRoom ? 2 * g_candidateRoom : 256;
        void *grown = JsRealloc(g_candidates, room * sizeof(JsContainer *));
        if (!grown) return;  // not remembered: it waits for a later drop
        g_candidates = static_cast<JsContainer **>(grown);
        g_candidateRoom = room;
    }
    JsContainer *container = static_cast<JsContainer *>(value);
    container->cycle &= ~CYCLE_UNNOTED;
    container->candidate = static_cast<int32_t>(g_candidateCount);
    g_candidates[g_candidateCount++] = container;
    if (g_candidateCount >= g_threshold) g_due = true;
}

JsContainer::JsContainer() {
    cycle = CYCLE_CONTAINER | CYCLE_UNNOTED;
    g_containerCount++;
}

JsContainer::~JsContainer() {
    g_containerCount--;
    if (candidate < 0) return;
    // Out of the list: the last candidate takes its place.
    JsContainer *last = g_candidates[--g_candidateCount];
    g_candidates[candidate] = last;
    last->candidate = candidate;
}

EngineEntry::EngineEntry() { g_depth++; }

EngineEntry::~EngineEntry() {
    if (--g_depth == 0 && g_due) CollectCycles();
}

void CollectSoon() { g_due = true; }

size_t CandidateCount() { return g_candidateCount; }

size_t CollectCycles() {
    if (g_collecting || g_depth > 0) return 0;
    g_due = false;
    // The candidates are taken over; what drops while this runs goes to a
    // new list.
    JsContainer **roots = g_candidates;
    const size_t count = g_candidateCount;
    g_candidates = nullptr;
    g_candidateCount = g_candidateRoom = 0;
    for (size_t i = 0; i < count; i++) {
        roots[i]->cycle |= CYCLE_UNNOTED;
        roots[i]->candidate = -1;
    }
    Collection c;
    const size_t room = g_containerCount + 1;
    if (!c.marking.Make(room) || !c.scanning.Make(room) || !c.blackening.Make(room) || !c.white.Make(room)) {
        // No room to look: the candidates wait for the next time.
        for (size_t i = 0; i < count; i++) NoteCandidate(roots[i]);
        JsFree(roots);
        return 0;
    }
    g_collecting = true;
    for (size_t i = 0; i < count; i++) MarkGray(c, roots[i]);
    for (size_t i = 0; i < count; i++) Scan(c, roots[i]);
    for (size_t i = 0; i < count; i++) {
        JsContainer *root = roots[i];
        if (!(root->cycle & CYCLE_WHITE)) continue;
        root->cycle &= ~CYCLE_WHITE;
        c.white.Push(root);
    }
    for (size_t i = 0; i < c.white.count; i++) c.white.items[i]->ForEachReference(GatherChild, &c);
    JsFree(roots);
    const size_t freed = FreeWhite(c.white);
    g_collecting = false;
    g_threshold = c.looked > kMinimumThreshold ? c.looked : kMinimumThreshold;
    // A window or document freed just now asked for a collection: this was it.
    g_due = g_candidateCount >= g_threshold;
    return freed;
}

void CyclesShutDown() {
    for (size_t i = 0; i < g_candidateCount; i++) {
        g_candidates[i]->cycle |= CYCLE_UNNOTED;
        g_candidates[i]->candidate = -1;
    }
    JsFree(g_candidates);
    g_candidates = nullptr;
    g_candidateCount = g_candidateRoom = 0;
    g_shutDown = true;
}

void CyclesReset() {
    g_shutDown = false;
    g_candidates = nullptr;
    g_candidateCount = g_candidateRoom = 0;
    g_threshold = kMinimumThreshold;
    g_due = false;
    g_collecting = false;
    g_depth = 0;
}
