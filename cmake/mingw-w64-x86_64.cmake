# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# threads flavour, which C++'s std::thread and Qt need).  Used for Qt itself
# and, chained through Qt's own toolchain file, for the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOVI_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVI_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TOVI_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TOVI_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW tree (and the Qt prefix that Qt's
# toolchain file adds); programs, such as moc, from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TOVI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and checks run the programs under Wine.
find_program(TOVI_WINE wine)
if(TOVI_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TOVI_WINE})
endif()
