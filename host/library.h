// The engine library as the host reaches it. On Windows the host loads
// the DLL at run time (LoadLibraryA and GetProcAddress, as a browser does)
// and the JS_* functions of duriz.h forward to its exports; elsewhere it is
// linked in and there is nothing to load.
#ifndef DURIZ_HOST_LIBRARY_H
#define DURIZ_HOST_LIBRARY_H

#include <string>

#ifdef _WIN32
// Loads the engine DLL beside the program; false with *error set when it is
// missing or lacks an export.
bool LoadEngineLibrary(std::string *error);
// Whether the loaded library has the JS_SetMemoryLimit extension.
bool EngineHasMemoryLimit();
#else
inline bool LoadEngineLibrary(std::string *) { return true; }
inline bool EngineHasMemoryLimit() { return true; }
#endif

#endif
