# Cross-builds 64-bit Windows programs with Debian's MinGW-w64 compiler
# (g++-mingw-w64-x86-64-posix, the variant with POSIX threads, which std::thread needs), and runs
# them through Wine (wine64) wherever CMake or CTest has to run one: test discovery and the
# tests. Used by `make windows-test`:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PAGORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PAGORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PAGORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PAGORA_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW tree only, never from the build machine's own;
# programs (the tools that run during the build) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${PAGORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program carries its C and C++ runtime and the thread library, so that Wine (or a
# Windows machine) needs no MinGW DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the programs (Debian's wine64 package puts its loader outside PATH), and only in a
# Wine prefix named by WINEPREFIX, never in a user's own ~/.wine: `make windows-test` makes a
# temporary one.
find_program(PAGORA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(PAGORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine ${PAGORA_WINE})
endif()

# Wine sees the build machine's file system as drive Z:, so the tests reach their data files
# there.
set(PAGORA_HOST_DRIVE "Z:" CACHE STRING "Drive under which the Windows programs see /")
