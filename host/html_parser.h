// The HTML parser behind pages. Built with DURIZ_GUMBO_LIBRARY (the shared
// library's name), the host opens the parser only when the first page is
// read, so a run of plain scripts maps none of its code or tables; else the
// parser is linked in.
#ifndef DURIZ_HOST_HTML_PARSER_H
#define DURIZ_HOST_HTML_PARSER_H

#include <gumbo.h>

#include <string>

// The parsed page, or null with *error saying why (the parser cannot be
// opened, or it gave nothing). Freed with FreeHtml.
GumboOutput *ParseHtml(const std::string &html, std::string *error);
void FreeHtml(GumboOutput *output);
// An element's attribute of that name, in any case, or null.
const char *HtmlAttribute(const GumboElement &element, const char *name);

#endif
