# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix thread
# variant, whose libstdc++ has std::thread):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOLM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOLM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOLM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine (ctest, and gtest's own discovery).
find_program(TOLM_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TOLM_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TOLM_WINE})
endif()
