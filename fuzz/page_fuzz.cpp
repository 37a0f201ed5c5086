// The command line's page runner on any page: the document model built,
// the scripts run (each bounded in steps and memory), the timers, events
// fired as a user would, and the model printed. A crash, a sanitizer
// report or a leak is a finding.
#include <cstdint>
#include <cstdio>
#include <string>

#include "model.h"
#include "page.h"
#include "runner.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // What the pages write is of no interest here (reports go to standard
    // error, where the checker's findings go too).
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string html(reinterpret_cast<const char *>(data), size);
    Model model;
    HostSettings host;
    model.Start(host);
    JS_SetMemoryLimit(32u << 20);
    RunSettings run;
    run.maxSteps = 20;
    run.runForSeconds = 2;
    // Timers re-arming for ever would run 100,000 times at one moment, and
    // at every moment of page time, each run taking up to 20 rounds: under
    // the sanitizers that takes far longer than a fuzz input may. The whole
    // page gets 300 rounds (a round of deep recursion takes 15 ms there).
    run.runsAtOneMoment = 2000;
    size_t roundsLeft = 300;
    run.roundsLeft = &roundsLeft;
    PageSettings page;
    page.events = {"form0.elements0:onclick", "forms[0].elements[1]:onChange", "links0:onclick", "guest.go:onclick",
                   "form0:onsubmit", "form0:onreset", "images0:onload", "nothing:onclick"};
    page.afterLoad = {"if (document.forms.length) document.forms[0].elements.length"};
    page.dumpModel = true;
    RunPage(model, run, page, "fuzz.html", html);
    model.Stop();
    return 0;
}
