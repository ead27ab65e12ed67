# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix-threads variant, which
# std::thread and std::mutex need):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# With -DORVEK_WINDOWS_PREFIX=DIR, the static Qt and SQLite for Windows that
# scripts/windows-qt.sh builds into DIR are found too, and the window is built.
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

# The Windows Qt and SQLite: a root of their own beside mingw's, since the root path mode keeps
# every search inside the roots. Qt's tools (moc, rcc, uic) are the host's, of the same version.
# Try-compiles read this file again and get the prefix passed on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVEK_WINDOWS_PREFIX)
if(ORVEK_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH "${ORVEK_WINDOWS_PREFIX}")
  list(APPEND CMAKE_PREFIX_PATH "${ORVEK_WINDOWS_PREFIX}")
  set(QT_HOST_PATH /usr CACHE PATH "Where the host's Qt tools are")
  file(GLOB ORVEK_HOST_QT_TOOLS /usr/lib/*/cmake/Qt6CoreTools)
  if(ORVEK_HOST_QT_TOOLS)
    list(GET ORVEK_HOST_QT_TOOLS 0 ORVEK_HOST_QT_TOOLS)
    get_filename_component(ORVEK_HOST_QT_CMAKE "${ORVEK_HOST_QT_TOOLS}" DIRECTORY)
    set(QT_HOST_PATH_CMAKE_DIR "${ORVEK_HOST_QT_CMAKE}" CACHE PATH "The host Qt's CMake packages")
  endif()
endif()

# The test executables run under Wine on the build machine.
find_program(ORVEK_WINE NAMES wine wine64)
if(ORVEK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVEK_WINE})
endif()
