// Events fired on a page's objects as a user would: the object named by a
// path or by names, its handler, and what the action does when the handler
// lets it (a submit or reset button, a link followed).
#ifndef DURIZ_HOST_EVENTS_H
#define DURIZ_HOST_EVENTS_H

#include <string>

#include "model.h"
#include "runner.h"

// A handler attribute's name and the member it sets.
struct HandlerName {
    const char *attribute;
    int nameIndex;
};
extern const HandlerName kHandlers[12];

// Fires PATH:EVENT; false when the target or its event cannot be found (a
// message lists what can be fired) or something had an error.
bool FireEvent(Model &model, const RunSettings &run, const std::string &request);

#endif
