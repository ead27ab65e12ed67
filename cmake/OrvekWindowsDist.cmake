# The Windows zip: `cmake --build build-win --target dist` makes
# orvek-link-<version>-windows-x64.zip holding orvek-cli.exe, and orvek-link.exe (the window)
# where Qt for Windows was found, beside their program data in the portable layout (config.ini,
# Firmware, Profile with its categories, FirmwareInformation.txt) and a README.txt on the COM
# port and the adapter's driver.
set(ORVEK_PROFILE_CATEGORIES
  "Modify Touring" "Stock 10.5T Touring" "Stock 13.5T Touring" "Stock 17.5T Touring"
  "Blinky Mode (zero timing)" "Modify 2wd Buggy" "Modify 4wd Buggy" "Stock 10.5T Buggy"
  "Drift Car" "Fun Car" "Rock Crawler")

# The build tree holds the program data as an installed copy would, for the unit tests.
set(ORVEK_BUILD_DATA "${CMAKE_BINARY_DIR}/share/orvek-link")
file(COPY "${PROJECT_SOURCE_DIR}/data/" DESTINATION "${ORVEK_BUILD_DATA}")
file(MAKE_DIRECTORY "${ORVEK_BUILD_DATA}/Firmware")
foreach(category IN LISTS ORVEK_PROFILE_CATEGORIES)
  file(MAKE_DIRECTORY "${ORVEK_BUILD_DATA}/Profile/${category}")
endforeach()

set(ORVEK_DIST_NAME "orvek-link-${PROJECT_VERSION}-windows-x64")
set(ORVEK_DIST_DIR "${CMAKE_BINARY_DIR}/dist/${ORVEK_DIST_NAME}")
set(ORVEK_DIST_ZIP "${CMAKE_BINARY_DIR}/${ORVEK_DIST_NAME}.zip")
configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/README.txt"
               "${CMAKE_BINARY_DIR}/dist/README.txt" @ONLY NEWLINE_STYLE CRLF)
# orvek-cli.exe draws setup cards offscreen: a static Qt links only the platform plugins named.
if(TARGET orvek_card)
  qt_import_plugins(orvek-cli INCLUDE Qt6::QOffscreenIntegrationPlugin)
endif()
# The window: a program of the Windows subsystem (no console of its own), with its manifest.
set(ORVEK_DIST_WINDOW_COMMANDS "")
set(ORVEK_DIST_PROGRAMS orvek-cli)
if(TARGET orvek-link)
  set_target_properties(orvek-link PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(orvek-link PRIVATE "${PROJECT_SOURCE_DIR}/packaging/windows/orvek-link.rc")
  list(APPEND ORVEK_DIST_PROGRAMS orvek-link)
  set(ORVEK_DIST_WINDOW_COMMANDS
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:orvek-link>" "${ORVEK_DIST_DIR}/orvek-link.exe"
    COMMAND ${CMAKE_STRIP} "${ORVEK_DIST_DIR}/orvek-link.exe")
endif()
add_custom_command(OUTPUT "${ORVEK_DIST_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E rm -rf "${ORVEK_DIST_DIR}" "${ORVEK_DIST_ZIP}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${ORVEK_DIST_DIR}"
  COMMAND ${CMAKE_COMMAND} -E copy_directory "${ORVEK_BUILD_DATA}" "${ORVEK_DIST_DIR}"
  # The texts that name the racer's own folders, with the Windows ones.
  COMMAND ${CMAKE_COMMAND} -E copy_directory "${PROJECT_SOURCE_DIR}/packaging/windows/data"
          "${ORVEK_DIST_DIR}"
  COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:orvek-cli>" "${ORVEK_DIST_DIR}/orvek-cli.exe"
  COMMAND ${CMAKE_STRIP} "${ORVEK_DIST_DIR}/orvek-cli.exe"
  ${ORVEK_DIST_WINDOW_COMMANDS}
  COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_BINARY_DIR}/dist/README.txt" "${ORVEK_DIST_DIR}/README.txt"
  COMMAND ${CMAKE_COMMAND} -E chdir "${CMAKE_BINARY_DIR}/dist"
          ${CMAKE_COMMAND} -E tar cf "${ORVEK_DIST_ZIP}" --format=zip "${ORVEK_DIST_NAME}"
  DEPENDS ${ORVEK_DIST_PROGRAMS} "${CMAKE_BINARY_DIR}/dist/README.txt"
          "${PROJECT_SOURCE_DIR}/packaging/windows/data/FirmwareInformation.txt"
          "${PROJECT_SOURCE_DIR}/packaging/windows/data/Profile/README.txt"
  COMMENT "Packing ${ORVEK_DIST_NAME}.zip"
  VERBATIM)
add_custom_target(dist DEPENDS "${ORVEK_DIST_ZIP}")
