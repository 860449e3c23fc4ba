# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64), so the
# Windows side stays buildable from Linux:
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVP_BUILD_GUI=OFF \
#         -DVP_BUILD_BENCH=OFF
# The tests of the plain core build as Windows programs too; ctest runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VP_MINGW_TARGET x86_64-w64-mingw32)
# The posix thread model first: the win32 model of g++ 12 lacks parts of <thread>.
find_program(CMAKE_CXX_COMPILER NAMES ${VP_MINGW_TARGET}-g++-posix ${VP_MINGW_TARGET}-g++ REQUIRED)
# GoogleTest, built from source for the tests, enables C as well.
find_program(CMAKE_C_COMPILER NAMES ${VP_MINGW_TARGET}-gcc-posix ${VP_MINGW_TARGET}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VP_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VP_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs carry their runtime (libstdc++, winpthread) instead of needing its DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
