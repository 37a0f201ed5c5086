// Reclaiming values that hold each other in a cycle.
//
// Counting frees a value as soon as nothing holds it, but values that hold
// one another (a window whose variable holds the window, an object whose
// member is the object itself, a document and its window) keep each
// other's counts above 0 for ever. So every container (an object or a
// function) whose count drops and stays above 0 is remembered as a
// candidate. A collection looks at the values the candidates reach and
// takes away the counts that their references to one another make: a value
// still counted then is held from outside (a host handle, the frames of an
// evaluation context, the engine's own tables) and keeps everything it
// reaches. The rest hold nothing but each other, and are freed.
//
// A collection runs only when the outermost of the host's calls into the
// engine returns, never while a script runs or the host is called back:
// the interpreter and the built-ins hold uncounted pointers while they work.
// It runs when the host has given back a window or a document (a page has
// gone), and when the candidates have grown as many as the values the last
// collection looked at, so that its work stays in proportion to the work
// that made the candidates.
#ifndef DURIZ_VALUES_CYCLES_H
#define DURIZ_VALUES_CYCLES_H

#include <cstddef>

struct JsValue;

// Between its making and its end, one of the host's calls is running in
// the engine.
class EngineEntry {
public:
    EngineEntry();
    ~EngineEntry();
    EngineEntry(const EngineEntry &) = delete;
    EngineEntry &operator=(const EngineEntry &) = delete;
};

// A page has gone: a collection is due when the host's call returns.
void CollectSoon();
// Runs a collection now; nothing of the engine may be running. Answers
// how many values it freed.
size_t CollectCycles();
// How many candidates wait for the next collection.
size_t CandidateCount();
// The engine shuts down: the candidates are forgotten (the shells freed)
// and no more are noted. CyclesReset starts afresh once its memory has gone.
void CyclesShutDown();
void CyclesReset();

// The containers alive: a collection never needs more room than this.
extern size_t g_containerCount;

#endif
