# Installation (cmake --install) and the Debian package (cpack -G DEB, make package).
include(GNUInstallDirs)

foreach(program avr-pagora pagora-info)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/avr-pagora.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/avr-pagora.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The example images and the programs they were built from.
file(GLOB PAGORA_INSTALL_EXAMPLES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/examples/*.hex ${PROJECT_SOURCE_DIR}/examples/*.eep)
install(FILES ${PAGORA_INSTALL_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/avr-pagora/examples)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/src/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/avr-pagora/examples/src)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# What Debian and the desktops expect beside the programs: the licence in Debian's
# machine-readable copyright format, the history of the versions, the manual pages (pagora-info's
# generated from its --help, so that no option misses its page) and the AppStream metadata.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/avr-pagora.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.example.avrpagora.metainfo.xml)
set(PAGORA_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/avr-pagora.1.in ${PAGORA_PACKAGING_OUT}/avr-pagora.1
  @ONLY)
set(PAGORA_COMPRESSED ${PAGORA_PACKAGING_OUT}/changelog.gz ${PAGORA_PACKAGING_OUT}/avr-pagora.1.gz)
add_custom_command(OUTPUT ${PAGORA_PACKAGING_OUT}/changelog.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${PAGORA_PACKAGING_OUT}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_command(OUTPUT ${PAGORA_PACKAGING_OUT}/avr-pagora.1.gz
  COMMAND gzip -9nc ${PAGORA_PACKAGING_OUT}/avr-pagora.1 > ${PAGORA_PACKAGING_OUT}/avr-pagora.1.gz
  DEPENDS ${PAGORA_PACKAGING_OUT}/avr-pagora.1 VERBATIM)
if(TARGET pagora-info)
  find_program(PAGORA_HELP2MAN help2man REQUIRED)
  add_custom_command(OUTPUT ${PAGORA_PACKAGING_OUT}/pagora-info.1.gz
    COMMAND ${PAGORA_HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
      --include=${PROJECT_SOURCE_DIR}/packaging/pagora-info.h2m
      --output=${PAGORA_PACKAGING_OUT}/pagora-info.1 $<TARGET_FILE:pagora-info>
    COMMAND gzip -9nf ${PAGORA_PACKAGING_OUT}/pagora-info.1
    DEPENDS pagora-info ${PROJECT_SOURCE_DIR}/packaging/pagora-info.h2m VERBATIM)
  list(APPEND PAGORA_COMPRESSED ${PAGORA_PACKAGING_OUT}/pagora-info.1.gz)
  install(FILES ${PAGORA_PACKAGING_OUT}/pagora-info.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
add_custom_target(pagora_packaging_files ALL DEPENDS ${PAGORA_COMPRESSED})
if(TARGET pagora-info AND PAGORA_INFO_STATIC AND NOT PAGORA_SANITIZE)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/avr-pagora.lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME avr-pagora)
endif()
install(FILES ${PAGORA_PACKAGING_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(TARGET avr-pagora)
  install(FILES ${PAGORA_PACKAGING_OUT}/avr-pagora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(PAGORA_PACKAGE_MAINTAINER
  "AVR-Pagora maintainers <maintainers@users.noreply.c-seed-e4b29efe.example>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME avr-pagora)
set(CPACK_PACKAGE_VENDOR "AVR-Pagora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "AVR-Pagora opens an Intel HEX flash (*.hex) or EEPROM (*.eep) image, lays it"
  "onto the flash pages of one of 84 AVR microcontrollers and shows the bytes, a"
  "page map and how full the flash is. The window speaks German. pagora-info"
  "tells the same from the shell: whether an image fits a controller and how"
  "full it makes it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PAGORA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The German texts of the standard buttons, the grid's monospaced font and the Tahoma the
# window and its dialogs are laid out in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation, fonts-wine")

# The library dependencies come from dpkg-shlibdeps (dpkg-dev) when it is there; without it,
# from the Debian 12 names of what the programs link.
find_program(PAGORA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(PAGORA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(PAGORA_DEB_DEPENDS "libc6 (>= 2.34)" "libstdc++6 (>= 12)" "libgcc-s1 (>= 3.0)")
  if(TARGET avr-pagora)
    list(APPEND PAGORA_DEB_DEPENDS "libqt6core6 (>= 6.4)" "libqt6gui6 (>= 6.4)"
      "libqt6widgets6 (>= 6.4)")
  endif()
  list(JOIN PAGORA_DEB_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()

include(CPack)
