# The Windows build, included from the top level before any target is made. Cross-compiled on
# Debian with mingw-w64 (cmake/mingw-w64-x86_64.cmake): the core, its unit tests and a statically
# linked orvek-cli.exe; with the static Qt for Windows of scripts/windows-qt.sh
# (-DORVEK_WINDOWS_PREFIX), also the window, orvek-link.exe, and the widget suites.
if(CMAKE_CROSSCOMPILING)
  find_package(Qt6 QUIET COMPONENTS Core Gui Widgets)
  if(NOT Qt6_FOUND)
    message(STATUS "Windows build: the window and the other Qt parts are skipped (Qt for Windows "
                   "is not on this machine; see README, 'On Windows'). Building the core, its unit "
                   "tests and orvek-cli.exe.")
    set(ORVEK_GUI OFF CACHE BOOL "" FORCE)
  endif()
endif()
# The host's rcc packs resources with zstd where that is smaller; the Windows Qt has no zstd.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
# The benchmarks and the simulator need a pseudo-terminal: they run on the Linux side.
set(ORVEK_BENCH OFF CACHE BOOL "" FORCE)
set(ORVEK_FUZZ OFF CACHE BOOL "" FORCE)

# Wide (UTF-16) Windows calls throughout; Windows 7 is the oldest system the calls need.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
if(MINGW)
  # The C99 printf family (%zu, %lld) and the POSIX localtime_r, which MinGW offers on request.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 _POSIX_THREAD_SAFE_FUNCTIONS=200112L)
  # The compiler runtime, libstdc++ and winpthread inside every .exe, so that it needs no DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # GCC for MinGW reads format(printf) attributes as the Microsoft runtime's printf, which lacks
  # %zu; the printf linked is the C99 one above, and the Linux build checks every format.
  add_compile_options(-Wno-format)
endif()

# CLI11 is header-only; on a Debian host its copy is used from a folder of its own, since putting
# all of /usr/include on the cross compiler's path would shadow its C library headers.
if(CMAKE_CROSSCOMPILING AND EXISTS /usr/include/CLI/CLI.hpp)
  set(ORVEK_THIRD_PARTY_INCLUDE "${CMAKE_BINARY_DIR}/third-party/include")
  if(NOT EXISTS "${ORVEK_THIRD_PARTY_INCLUDE}/CLI/CLI.hpp")
    file(COPY /usr/include/CLI DESTINATION "${ORVEK_THIRD_PARTY_INCLUDE}")
  endif()
  set(CLI11_INCLUDE_DIR "${ORVEK_THIRD_PARTY_INCLUDE}" CACHE PATH "" FORCE)
endif()

# nlohmann-json is header-only too, and its CMake package names all of /usr/include: the cross
# build sees it through a folder holding only a link to its nlohmann/ folder.
if(CMAKE_CROSSCOMPILING AND EXISTS /usr/include/nlohmann/json.hpp)
  set(ORVEK_NLOHMANN_JSON_INCLUDE "${CMAKE_BINARY_DIR}/third-party/nlohmann-json/include")
  if(NOT EXISTS "${ORVEK_NLOHMANN_JSON_INCLUDE}/nlohmann")
    file(MAKE_DIRECTORY "${ORVEK_NLOHMANN_JSON_INCLUDE}")
    file(CREATE_LINK /usr/include/nlohmann "${ORVEK_NLOHMANN_JSON_INCLUDE}/nlohmann" SYMBOLIC)
  endif()
endif()

# GoogleTest from the sources Debian ships (googletest package), built by the cross compiler;
# it names its targets GTest::gtest and GTest::gtest_main itself. Elsewhere the installed one.
if(ORVEK_TESTS)
  if(CMAKE_CROSSCOMPILING AND EXISTS /usr/src/googletest/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/third-party/googletest"
                     EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
