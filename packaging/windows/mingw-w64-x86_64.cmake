# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads:
# Qt needs std::thread and friends, which the win32-thread flavour lacks).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(REKENTOL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${REKENTOL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${REKENTOL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${REKENTOL_MINGW_PREFIX}-windres)

# Headers and libraries come from the MinGW sysroot (and from the static Qt,
# which qt-cmake adds to CMAKE_PREFIX_PATH); programs come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${REKENTOL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
