# ---------------------------------------------------------------------------
# What a release holds, and CPack's packages of it:
#   the Windows build: cogwright-VERSION-win32.zip (both programs, the page,
#     profiles, README, LICENSE; nothing to install)
#   the native build:  cogwright_VERSION_amd64.deb (cogwright-cli in /usr/bin,
#     its man page, the page and the profiles under /usr/share/cogwright)
# Both take the page from the web preset's build; scripts/package builds it
# first, and scripts/test-packages checks that it is in both.
set(COG_WEB_PAGE ${PROJECT_SOURCE_DIR}/build/web/cogwright.html CACHE FILEPATH
    "cogwright.html, built by the web preset, for the packages")
# ---------------------------------------------------------------------------
set(CPACK_PACKAGE_NAME cogwright)
set(CPACK_PACKAGE_VENDOR "Cogwright developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "change-gear trains for the lathe, computed exactly")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS cogwright cogwright-cli RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  install(FILES ${COG_WEB_PAGE} DESTINATION . OPTIONAL)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/profiles/ DESTINATION profiles)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME cogwright-${PROJECT_VERSION}-win32)
else()
  include(GNUInstallDirs)
  # Debian policy: man pages and the changelog compressed with gzip -9n.
  set(pkg ${CMAKE_BINARY_DIR}/packaging)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/cogwright-cli.1.in ${pkg}/cogwright-cli.1 @ONLY)
  # The version has no Debian revision, so the package is "native" and its
  # changelog is changelog.gz.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${pkg}/changelog @ONLY)
  add_custom_command(
    OUTPUT ${pkg}/cogwright-cli.1.gz ${pkg}/changelog.gz
    COMMAND gzip -9nkf cogwright-cli.1 changelog
    DEPENDS ${pkg}/cogwright-cli.1 ${pkg}/changelog
    WORKING_DIRECTORY ${pkg})
  add_custom_target(package-docs ALL DEPENDS ${pkg}/cogwright-cli.1.gz ${pkg}/changelog.gz)

  install(TARGETS cogwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${pkg}/cogwright-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/profiles/ DESTINATION ${CMAKE_INSTALL_DATADIR}/cogwright/profiles)
  install(FILES ${COG_WEB_PAGE} DESTINATION ${CMAKE_INSTALL_DATADIR}/cogwright OPTIONAL)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${pkg}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/cogwright)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Cogwright developers <developers@cogwright.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The synopsis line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "cogwright-cli finds which change gears of a lathe cut a given thread, feed
 or worm: the sorted table of every compound ratio of four gears, and for a
 lathe described in a JSON profile (lead screw, gearbox, gear set, banjo
 geometry) the best simple, compound and six-gear trains with their exact
 errors and whether they fit, thread charts of the standard series, and
 which gear to add to the set.")
  # Library dependencies (libc6, libstdc++6, libgcc-s1) from dpkg-shlibdeps.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
