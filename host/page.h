// Running an HTML page: the document model built from the page, its
// scripts run in document order with what they write put in their place,
// and event handlers fired on request.
#ifndef DURIZ_HOST_PAGE_H
#define DURIZ_HOST_PAGE_H

#include <string>
#include <vector>

#include "model.h"
#include "runner.h"

struct PageSettings {
    std::vector<std::string> events;     // PATH:EVENT, fired after the scripts
    std::vector<std::string> afterLoad;  // scripts run once the page has loaded, before the events
    bool dumpModel = false;
    bool anySource = false;              // <SCRIPT SRC> may read files outside the page's folder
};

// Whether this host was built with HTML support.
bool PagesSupported();

// Runs the page; answers the exit status (0, 1, or 2 when it cannot run).
int RunPage(Model &model, const RunSettings &run, const PageSettings &page, const std::string &name,
            const std::string &html);

#endif
