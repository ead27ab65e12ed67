# Small helpers shared by every folder.

macro(orvek_add_subdirectory_if_present dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endmacro()

# orvek_for_this_system(var) : drops from the list `var` the sources of the other operating
# system: <Name>Windows.cpp builds only for Windows, <Name>Posix.cpp everywhere else.
function(orvek_for_this_system var)
  set(kept "")
  foreach(source IN LISTS ${var})
    if(WIN32 AND source MATCHES "Posix\\.cpp$")
      continue()
    endif()
    if(NOT WIN32 AND source MATCHES "Windows\\.cpp$")
      continue()
    endif()
    list(APPEND kept "${source}")
  endforeach()
  set(${var} "${kept}" PARENT_SCOPE)
endfunction()

# Adds every folder below the calling one that has a CMakeLists.txt, in name order.
function(orvek_add_child_folders)
  file(GLOB children LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      add_subdirectory("${child}")
    endif()
  endforeach()
endfunction()

# orvek_add_library(name [DEPS lib...] [QT]) : a static library of every .cpp in the calling folder.
function(orvek_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  orvek_for_this_system(sources)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# orvek_add_gtest(name SOURCES file... DEPS lib... [ENV VAR=value...] [LABELS label...])
# One test executable per suite, registered with CTest as one test.
function(orvek_add_gtest name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests" "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  # The racer's own folders (setup sheets, firmware, config.ini, backups) point into the build
  # tree, so that no test reads or writes the home folder of whoever runs it.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-home/data;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/config;${ARG_ENV}")
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  # A static Qt (the Windows build) links only the platform plugins it is told of; the widget
  # suites run offscreen.
  if(WIN32 AND TARGET Qt6::QOffscreenIntegrationPlugin)
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
endfunction()
