# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers (package
# g++-mingw-w64-x86-64-posix). The posix-threads variant, because gcc 12's win32 thread
# model has no std::thread or std::jthread.
#
# The build runs tools of its own and reads one header-only library of the building
# machine; tools/cross-build-windows.sh provides both (see cmake/HostTools.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW tree only: the building machine's /usr/include
# holds the C library of Linux, which must never be seen by this compiler.
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Without Qt the programs run on a Windows machine without MinGW: the compiler's runtime,
# the C++ library and the threads library are linked in, so no DLL of theirs is needed
# beside them. With Qt they must not be: Qt's DLLs use libstdc++-6.dll, libgcc_s_seh-1.dll
# and libwinpthread-1.dll, and a second, static copy in the program would give it its own
# exception unwinder, operator new and thread library beside Qt's. A build with Qt sets
# CORVANE_MINGW_SHARED_RUNTIME and ships those three DLLs beside the programs.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CORVANE_MINGW_SHARED_RUNTIME)
if(NOT CORVANE_MINGW_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()
