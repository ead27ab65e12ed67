# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix-threads variant, which
# std::thread and std::mutex need):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVEK_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ORVEK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVEK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVEK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVEK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test executables run under Wine on the build machine.
find_program(ORVEK_WINE NAMES wine wine64)
if(ORVEK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVEK_WINE})
endif()
