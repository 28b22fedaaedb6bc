# Cross-building the Windows programs on Debian with MinGW-w64 (the POSIX-threads
# compilers, for std::thread). The programs run on a bare Windows: everything is
# linked in statically. CTest runs the built .exe files under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)

# No Qt for Windows here: the core, its tests and hxtool. GoogleTest is built from
# Debian's sources, the JSON library is the Linux one (headers only).
set(HX_QT OFF CACHE BOOL "Build the window and what else needs Qt")
set(HX_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest sources to build with the tests")
set(HX_JSON_HEADERS /usr/include/nlohmann CACHE PATH "The JSON library's header folder")
