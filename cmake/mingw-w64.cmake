# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64), for
# scripts/check-windows. The "-posix" compiler is the one whose C++ library has std::thread and
# std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TQM5_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TQM5_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQM5_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TQM5_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW tree and from prefixes given on the command line
# (the cross-built GoogleTest), never from the build machine's own /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${TQM5_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread go into each program, so that it runs without MinGW's
# DLLs beside it (under wine as on a user's Windows).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
