# What both mingw-w64 toolchain files share: the compilers of MINGW_PREFIX
# with the MINGW_THREADS model, the target root, and static runtimes so
# that the results need only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${MINGW_PREFIX}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -s")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
