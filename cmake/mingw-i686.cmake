# 32-bit Windows with Debian's mingw-w64 cross compiler (win32 threads):
# builds the shipped Duriz32.dll. SSE2 arithmetic keeps doubles exact
# whatever x87 state the host leaves; static runtimes leave only system DLLs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
