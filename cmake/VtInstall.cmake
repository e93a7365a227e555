# Installing the programs like a desktop program (menu entry, file types, icon, manual pages, shell
# completion, a user service for the translation service) and packing them as a Debian package.
include(GNUInstallDirs)

option(VT_GENERATE_DOCS "Make lngtool's and mtserver's manual pages and lngtool's completion from their --help" ON)

set(VT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VT_APP_ID io.vantreo.transclient)

install(TARGETS lngtool mtserver RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET transclient)
  install(TARGETS transclient RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The browser dialog's module, which the client loads on first use.
  install(TARGETS vt_browser LIBRARY DESTINATION ${VT_BROWSER_MODULE_DIR})
  install(FILES ${VT_PACKAGING_DIR}/${VT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${VT_PACKAGING_DIR}/${VT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${VT_PACKAGING_DIR}/vantreo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME ${VT_APP_ID}.xml)
  install(FILES ${VT_PACKAGING_DIR}/icons/${VT_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 48 256)
    install(FILES ${VT_PACKAGING_DIR}/icons/${VT_APP_ID}-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${VT_APP_ID}.png)
  endforeach()
  install(FILES ${VT_PACKAGING_DIR}/man/transclient.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The translation service as a user unit: loopback, the default port. Written at install time, so
# that ExecStart names the prefix actually installed to (a scratch folder, or /usr in the package).
install(CODE "
  file(READ \"${VT_PACKAGING_DIR}/mtserver.service.in\" unit)
  string(REPLACE \"@VT_INSTALL_FULL_BINDIR@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\" unit \"\${unit}\")
  set(unit_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/user\")
  message(STATUS \"Installing: \${unit_dir}/vantreo-mtserver.service\")
  file(MAKE_DIRECTORY \"\${unit_dir}\")
  file(WRITE \"\${unit_dir}/vantreo-mtserver.service\" \"\${unit}\")
")

install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantreo)
install(FILES docs/main-window.png docs/main-window-advanced.png DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantreo)
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantreo/examples)

if(VT_GENERATE_DOCS)
  set(docs_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
  set(cli_docs ${PROJECT_SOURCE_DIR}/scripts/cli-docs.sh)
  add_custom_command(
    OUTPUT ${docs_dir}/lngtool.1 ${docs_dir}/lngtool.bash
    COMMAND bash ${cli_docs} man $<TARGET_FILE:lngtool> lngtool "User Commands" ${docs_dir}/lngtool.1
    COMMAND bash ${cli_docs} completion $<TARGET_FILE:lngtool> lngtool ${docs_dir}/lngtool.bash
    DEPENDS lngtool ${cli_docs}
    COMMENT "Manual page and completion of lngtool from its --help"
    VERBATIM)
  add_custom_command(
    OUTPUT ${docs_dir}/mtserver.1
    COMMAND bash ${cli_docs} man $<TARGET_FILE:mtserver> mtserver "User Commands" ${docs_dir}/mtserver.1
    DEPENDS mtserver ${cli_docs}
    COMMENT "Manual page of mtserver from its --help"
    VERBATIM)
  add_custom_target(vt_cli_docs ALL DEPENDS ${docs_dir}/lngtool.1 ${docs_dir}/lngtool.bash ${docs_dir}/mtserver.1)
  install(FILES ${docs_dir}/lngtool.1 ${docs_dir}/mtserver.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${docs_dir}/lngtool.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME lngtool)
endif()

# Debian package: run-time libraries computed by dpkg-shlibdeps; what the programs start or load
# without linking (the Apertium engine and its pairs, Qt's platform plugins) named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantreo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantreo")
set(CPACK_PACKAGE_CONTACT "Vantreo developers <developers@vantreo.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Translation client for the user-interface texts of Vantreo")
set(CPACK_PACKAGE_DESCRIPTION
    "Desktop translation client (transclient), command-line toolkit (lngtool) and local machine\ntranslation service (mtserver) for the language projects of Vantreo.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, apertium, apertium-eng-spa, apertium-eng-cat, apertium-en-gl, apertium-eo-en")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
