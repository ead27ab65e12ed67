# Install rules and the Debian package. `cmake --install build --prefix P` (or DESTDIR=...)
# lays the programs out as P/bin and their data as P/share/orvek-link, which the programs find
# relative to themselves, so any prefix works. `cpack -G DEB` in the build folder makes
# orvek-link_<version>_<arch>.deb.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(ORVEK_DATA_DESTINATION "${CMAKE_INSTALL_DATADIR}/orvek-link")
# The setup sheet categories, shipped as empty folders; a test holds them equal to the list
# the program shows.
set(ORVEK_PROFILE_CATEGORIES
  "Modify Touring" "Stock 10.5T Touring" "Stock 13.5T Touring" "Stock 17.5T Touring"
  "Blinky Mode (zero timing)" "Modify 2wd Buggy" "Modify 4wd Buggy" "Stock 10.5T Buggy"
  "Drift Car" "Fun Car" "Rock Crawler")

# The build tree runs as installed (build/bin + build/share/orvek-link): the empty folders too.
set(ORVEK_BUILD_DATA "${CMAKE_BINARY_DIR}/share/orvek-link")
file(MAKE_DIRECTORY "${ORVEK_BUILD_DATA}/Firmware")
foreach(category IN LISTS ORVEK_PROFILE_CATEGORIES)
  file(MAKE_DIRECTORY "${ORVEK_BUILD_DATA}/Profile/${category}")
endforeach()

# Programs and program data.
foreach(program orvek-link orvek-cli orvek-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  endif()
endforeach()
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION "${ORVEK_DATA_DESTINATION}")
install(DIRECTORY DESTINATION "${ORVEK_DATA_DESTINATION}/Firmware")
foreach(category IN LISTS ORVEK_PROFILE_CATEGORIES)
  install(DIRECTORY DESTINATION "${ORVEK_DATA_DESTINATION}/Profile/${category}")
endforeach()

# Files made from the sources at build time: version in, manual pages and changelog gzipped
# without a time stamp, as Debian wants them.
set(ORVEK_PACKAGING_OUT "${CMAKE_BINARY_DIR}/packaging")
set(ORVEK_METAINFO_ID "example.orvek.Link")
configure_file("${PROJECT_SOURCE_DIR}/packaging/orvek-link.metainfo.xml"
               "${ORVEK_PACKAGING_OUT}/${ORVEK_METAINFO_ID}.metainfo.xml" @ONLY)
set(packaging_outputs "")
foreach(page orvek-link orvek-cli orvek-sim)
  configure_file("${PROJECT_SOURCE_DIR}/packaging/man/${page}.1" "${ORVEK_PACKAGING_OUT}/man/${page}.1" @ONLY)
  list(APPEND packaging_outputs "${ORVEK_PACKAGING_OUT}/man/${page}.1.gz")
endforeach()
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog" "${ORVEK_PACKAGING_OUT}/changelog" @ONLY)
list(APPEND packaging_outputs "${ORVEK_PACKAGING_OUT}/changelog.gz")
foreach(output IN LISTS packaging_outputs)
  string(REGEX REPLACE "\\.gz$" "" input "${output}")
  add_custom_command(OUTPUT "${output}"
    COMMAND gzip -9nfk "${input}"
    DEPENDS "${input}"
    COMMENT "Compressing ${input}")
endforeach()
add_custom_target(orvek_packaging_files ALL DEPENDS ${packaging_outputs})

install(FILES "${PROJECT_SOURCE_DIR}/packaging/60-orvek-link.rules" DESTINATION "lib/udev/rules.d")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/orvek-link.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${ORVEK_PACKAGING_OUT}/${ORVEK_METAINFO_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/orvek-cli.bash-completion"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME orvek-cli)
foreach(page orvek-link orvek-cli orvek-sim)
  install(FILES "${ORVEK_PACKAGING_OUT}/man/${page}.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" "${ORVEK_PACKAGING_OUT}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/orvek-link")

# Icons in the hicolor theme, drawn from the program icon's artwork at each size.
if(ORVEK_GUI)
  add_executable(orvek-icon-writer "${PROJECT_SOURCE_DIR}/packaging/icons/main.cpp"
    "${PROJECT_SOURCE_DIR}/tools/skin-generator/ArtKit.cpp"
    "${PROJECT_SOURCE_DIR}/tools/skin-generator/MainWindowArt.cpp"
    "${PROJECT_SOURCE_DIR}/tools/skin-generator/SettingsPageArt.cpp"
    "${PROJECT_SOURCE_DIR}/tools/skin-generator/FirmwarePageArt.cpp"
    "${PROJECT_SOURCE_DIR}/tools/skin-generator/LinksPageArt.cpp"
    "${PROJECT_SOURCE_DIR}/tools/skin-generator/SkinArtist.cpp"
    "${PROJECT_SOURCE_DIR}/resources/SkinCatalog.cpp")
  target_include_directories(orvek-icon-writer PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(orvek-icon-writer PRIVATE orvek_translations Qt6::Gui)
  set(icon_sizes 32 48 64 128)
  set(icon_files "")
  foreach(size IN LISTS icon_sizes)
    list(APPEND icon_files "${ORVEK_PACKAGING_OUT}/icons/${size}/orvek-link.png")
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:orvek-icon-writer>
            "${ORVEK_PACKAGING_OUT}/icons"
    DEPENDS orvek-icon-writer
    COMMENT "Drawing the program icon for the icon theme")
  add_custom_target(orvek_icons ALL DEPENDS ${icon_files})
  foreach(size IN LISTS icon_sizes)
    install(FILES "${ORVEK_PACKAGING_OUT}/icons/${size}/orvek-link.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
endif()

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "orvek-link")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "ORVEK")
set(CPACK_PACKAGE_CONTACT "ORVEK Link developers <link@orvek.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for ORVEK speed controllers")
# The long description; CPack puts the summary above it and indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ORVEK Link sets up ORVEK brushless speed controllers (ESCs) for
radio-controlled cars and the ORVEK QLX program card through a CP210x
USB-to-serial adapter: it reads and writes the ESC's eighteen settings, loads
team setup sheets, imports and exports settings files, and replaces the
firmware of the ESC and of the program card.

The package holds the window (orvek-link), the same core from a terminal
(orvek-cli), a simulated device for trying it without hardware (orvek-sim), and
a udev rule that gives the user at the seat access to the adapter.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The window's Japanese needs a CJK face; the other languages draw with any font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.orvek.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/postinst;${PROJECT_SOURCE_DIR}/packaging/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
