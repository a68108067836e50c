# Installation in the desktop's standard layout (`cmake --install build
# --prefix P`), and the Debian package made from it (`cpack -G DEB`):
#   P/bin/plivor, P/bin/prelio
#   P/share/plivor/          help, language file, texts and icon the program reads
#   P/share/applications/, metainfo/, mime/packages/, icons/hicolor/, man/man1/
include(GNUInstallDirs)

install(TARGETS plivor prelio RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/Plivor.hlp ${CMAKE_BINARY_DIR}/Plivor-S.hlp
        DESTINATION ${CMAKE_INSTALL_DATADIR}/plivor)
install(FILES ${CMAKE_BINARY_DIR}/lg.pvg ${CMAKE_BINARY_DIR}/Plivor.ico ${CMAKE_SOURCE_DIR}/aide/Plivor.txt
              ${CMAKE_SOURCE_DIR}/aide/Prelio.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/plivor)
install(FILES ${CMAKE_SOURCE_DIR}/paquet/plivor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/paquet/fr.orvande.Plivor.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/paquet/plivor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icones/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_SOURCE_DIR}/paquet/plivor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages and the package's documents, compressed as Debian wants them.
find_program(PLIVOR_GZIP gzip REQUIRED)
set(PLIVOR_DOCS ${CMAKE_BINARY_DIR}/paquet)
add_custom_command(
  OUTPUT ${PLIVOR_DOCS}/plivor.1.gz ${PLIVOR_DOCS}/prelio.1.gz ${PLIVOR_DOCS}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PLIVOR_DOCS}
  COMMAND ${PLIVOR_GZIP} -9nc ${CMAKE_SOURCE_DIR}/paquet/plivor.1 > ${PLIVOR_DOCS}/plivor.1.gz
  COMMAND ${PLIVOR_GZIP} -9nc ${CMAKE_SOURCE_DIR}/paquet/prelio.1 > ${PLIVOR_DOCS}/prelio.1.gz
  COMMAND ${PLIVOR_GZIP} -9nc ${CMAKE_SOURCE_DIR}/paquet/changelog > ${PLIVOR_DOCS}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/paquet/plivor.1 ${CMAKE_SOURCE_DIR}/paquet/prelio.1 ${CMAKE_SOURCE_DIR}/paquet/changelog
  COMMENT "Pages de manuel")
add_custom_target(pages_manuel ALL DEPENDS ${PLIVOR_DOCS}/plivor.1.gz ${PLIVOR_DOCS}/prelio.1.gz ${PLIVOR_DOCS}/changelog.gz)
install(FILES ${PLIVOR_DOCS}/plivor.1.gz ${PLIVOR_DOCS}/prelio.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/paquet/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plivor)
install(FILES ${PLIVOR_DOCS}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plivor RENAME changelog.gz)

# The package: its libraries found by dpkg-shlibdeps, and what the program
# loads without linking it (Qt's platform plugins, the SoundFont, the desktop's tools).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plivor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvande <plivor@orvande.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "séquenceur multimédia : diaporamas, montage et publication")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Plivor projette des séquences (listes d'images, de sons, de sous-listes"
  "et d'instructions) avec transitions, titres et musique, les compose dans"
  "une fenêtre de montage, parcourt les médias, publie une séquence avec"
  "tous ses fichiers dans un dossier portable et l'exporte en vidéo.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, timgm6mb-soundfont | fluid-soundfont-gm, shared-mime-info, desktop-file-utils, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvande.fr/plivor")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
