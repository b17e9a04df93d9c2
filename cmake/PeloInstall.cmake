# Installation as a Debian desktop program and its .deb (cpack -G DEB, or scripts/dev.sh package):
# the two programs, the desktop entry, the icon in the hicolor theme, the AppStream metainfo, the
# manual pages of both programs, the changelog and the copyright file.
include(GNUInstallDirs)

set(PELO_DATA ${PROJECT_SOURCE_DIR}/data)

configure_file(${PELO_DATA}/peloramix.metainfo.xml.in ${PROJECT_BINARY_DIR}/org.telmoris.peloramix.metainfo.xml
               @ONLY)

install(TARGETS peloramix fibtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PELO_DATA}/peloramix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/org.telmoris.peloramix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PELO_DATA}/icons/peloramix.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PELO_DATA}/icons/peloramix-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME peloramix.png)
endforeach()
# The manual page of fibtool, written and compressed with fibtool (src/tools/CMakeLists.txt).
install(FILES ${PROJECT_BINARY_DIR}/fibtool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The manual page of peloramix and the changelog compressed as Debian installs them (gzip -n: the same
# bytes at every build). The version is native (no Debian revision): the changelog is changelog.gz.
find_program(PELO_GZIP gzip REQUIRED)
file(STRINGS ${PELO_DATA}/changelog PELO_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT PELO_CHANGELOG_TOP MATCHES "^peloramix \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/changelog : la première entrée n'est pas la version ${PROJECT_VERSION}")
endif()
foreach(doc peloramix.1 changelog)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${doc}.gz
                     COMMAND ${PELO_GZIP} -9nc ${PELO_DATA}/${doc} > ${PROJECT_BINARY_DIR}/${doc}.gz
                     DEPENDS ${PELO_DATA}/${doc} VERBATIM)
endforeach()
add_custom_target(peloramix_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/peloramix.1.gz ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/peloramix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/peloramix)
# The package's copyright file, where Debian looks for it.
configure_file(${PELO_DATA}/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/peloramix)

# Qt's French translation beside the programs of the build, for a Qt whose own translations are not
# installed; the installed program finds the system's copy (the package depends on it).
find_file(PELO_QTBASE_FR qtbase_fr.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH)
if(PELO_QTBASE_FR)
  file(COPY ${PELO_QTBASE_FR} DESTINATION ${PROJECT_BINARY_DIR}/translations)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME peloramix)
set(CPACK_PACKAGE_VENDOR "TELMORIS / VORNAPEX")
set(CPACK_PACKAGE_CONTACT "PELORAMIX <peloramix@telmoris.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Audit de la qualité des soins du diabète")
set(CPACK_PACKAGE_DESCRIPTION
    "Fiches d'information de base des patients diabétiques, contrôle à la saisie,\n\
impression et évaluation des centres selon la déclaration de St-Vincent,\n\
synthèse nationale des centres et outil en ligne de commande fibtool.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but used at run time: the platform plugins and Qt's French texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
