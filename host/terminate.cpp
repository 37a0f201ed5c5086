// What the command-line host does when a C++ exception escapes (memory
// exhausted inside the standard library): a one-line message and an abort.
// Defining the runtime's default handler here keeps its demangler, which it
// would use to name the exception's type, out of the program.
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    const char *what = "an internal error";
    if (std::exception_ptr escaped = std::current_exception()) {
        try {
            std::rethrow_exception(escaped);
        } catch (const std::exception &e) {
            what = e.what();
        } catch (...) {
        }
    }
    std::fprintf(stderr, "duriz: stopped by %s\n", what);
    std::abort();
}

}  // namespace __gnu_cxx
