# Cross-builds the Windows programs with Debian's MinGW-w64 (the POSIX thread model, for
# std::thread and friends); the programs and the tests then run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RIMFORGE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RIMFORGE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RIMFORGE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RIMFORGE_MINGW_PREFIX}-windres)

# Libraries come from the MinGW tree and from the dependencies built by
# scripts/windows-deps.sh; programs (the compilers, Wine) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${RIMFORGE_MINGW_PREFIX} ${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in: no DLL has to travel beside the programs. MinGW's zlib also comes as a
# DLL, which FindZLIB would otherwise take.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
