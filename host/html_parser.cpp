#include "html_parser.h"

#ifdef DURIZ_GUMBO_LIBRARY
#include <dlfcn.h>
#endif

namespace {

struct Parser {
    GumboOutput *(*parse)(const GumboOptions *, const char *, size_t) = nullptr;
    void (*destroy)(const GumboOptions *, GumboOutput *) = nullptr;
    GumboAttribute *(*attribute)(const GumboVector *, const char *) = nullptr;
    const GumboOptions *options = nullptr;
};

// The parser's own options, but keeping no parse errors: the page runner
// never reads them, and each keeps a copy of the open elements, so that a
// page of deeply nested elements left open would take memory growing as
// the square of its depth (20,000 levels: 3 GB).
const GumboOptions *WithoutErrors(const GumboOptions *defaults) {
    static GumboOptions options;
    options = *defaults;
    options.max_errors = 0;
    return &options;
}

// The parser's entry points, opened once; null with *error when they
// cannot be had.
const Parser *Open(std::string *error) {
    static Parser parser;
#ifdef DURIZ_GUMBO_LIBRARY
    static std::string failure;
    if (parser.parse) return &parser;
    if (!failure.empty()) {
        *error = failure;
        return nullptr;
    }
    void *library = dlopen(DURIZ_GUMBO_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library) {
        parser.parse = reinterpret_cast<decltype(parser.parse)>(dlsym(library, "gumbo_parse_with_options"));
        parser.destroy = reinterpret_cast<decltype(parser.destroy)>(dlsym(library, "gumbo_destroy_output"));
        parser.attribute = reinterpret_cast<decltype(parser.attribute)>(dlsym(library, "gumbo_get_attribute"));
        parser.options = static_cast<const GumboOptions *>(dlsym(library, "kGumboDefaultOptions"));
        if (parser.options) parser.options = WithoutErrors(parser.options);
    }
    if (!parser.parse || !parser.destroy || !parser.attribute || !parser.options) {
        const char *why = dlerror();
        failure = std::string("cannot open the HTML parser (") + (why ? why : DURIZ_GUMBO_LIBRARY) + ")";
        parser = Parser{};
        *error = failure;
        return nullptr;
    }
#else
    (void)error;
    parser.parse = gumbo_parse_with_options;
    parser.destroy = gumbo_destroy_output;
    parser.attribute = gumbo_get_attribute;
    parser.options = WithoutErrors(&kGumboDefaultOptions);
#endif
    return &parser;
}

}  // namespace

GumboOutput *ParseHtml(const std::string &html, std::string *error) {
    const Parser *parser = Open(error);
    if (!parser) return nullptr;
    GumboOutput *output = parser->parse(parser->options, html.data(), html.size());
    if (!output) *error = "cannot parse the page";
    return output;
}

void FreeHtml(GumboOutput *output) {
    std::string unused;
    if (const Parser *parser = Open(&unused)) parser->destroy(parser->options, output);
}

const char *HtmlAttribute(const GumboElement &element, const char *name) {
    // Only a parsed page has elements: the parser is open.
    std::string unused;
    const Parser *parser = Open(&unused);
    const GumboAttribute *a = parser ? parser->attribute(&element.attributes, name) : nullptr;
    return a ? a->value : nullptr;
}
