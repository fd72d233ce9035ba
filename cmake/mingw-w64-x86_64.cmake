# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers. The
# -posix variants are the ones whose libstdc++ has std::thread and
# std::mutex, which Qt needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GAKUNEN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GAKUNEN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GAKUNEN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GAKUNEN_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot (and from prefixes that
# callers add, such as the cross-built Qt and ICU); programs run on the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${GAKUNEN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
