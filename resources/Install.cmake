# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules and the Debian package.
#
#   cmake --install build --prefix <prefix>    an install tree under <prefix>
#   make package                               build/typorin_<version>_<arch>.deb
#
# An installed program keeps the learner's files in ~/.local/share/typorin (see
# platform/ProgramFolder.h); what is installed here is read-only and shared.

include(GNUInstallDirs)

set(TYPORIN_APP_ID org.example.Typorin)
set(TYPORIN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/typorin)

install(TARGETS typorin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/TextFolder/ DESTINATION ${TYPORIN_DATA_DIR}/TextFolder)
# Every page and picture of the manual; the script that makes the pictures stays behind.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${TYPORIN_DATA_DIR}/help
        PATTERN "*.sh" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/typorin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/${TYPORIN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/${TYPORIN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, and the Debian package's copyright and changelog; compressed as Debian wants.
configure_file(${CMAKE_SOURCE_DIR}/resources/debian/changelog.in
               ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/debian/typorin.1
               ${CMAKE_BINARY_DIR}/debian/typorin.1 COPYONLY)
foreach(file changelog typorin.1)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/${file}.gz
        COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/debian/${file}
        DEPENDS ${CMAKE_BINARY_DIR}/debian/${file} VERBATIM)
endforeach()
add_custom_target(typorin_changelog ALL
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz ${CMAKE_BINARY_DIR}/debian/typorin.1.gz)
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/typorin)
install(FILES ${CMAKE_BINARY_DIR}/debian/typorin.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME typorin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TYPORIN developers")
set(CPACK_PACKAGE_CONTACT "TYPORIN developers <typorin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typing tutor for Japanese and English text")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TYPORIN teaches typing of Japanese and English text in three modes: touch
typing with an on-screen keyboard that marks the next key and finger,
sequential input through the input method with every committed string
checked at once, and bulk input compared as a whole with typos, omissions
and extra characters marked. Every exercise is timed and counted, and the
last 200 results are kept.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/typorin/")
# The libraries it links decide the dependencies; what it loads by name at run time is added:
# the fonts it maps the Japanese faces to, and (only recommended) Qt's Japanese texts, Qt's
# Wayland platform, an input method with a Japanese engine and the opener of the manual. Its
# icons are PNG files built in, read without plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland, \
fcitx5-mozc | fcitx5-anthy | fcitx5-skk | ibus-mozc | ibus-anthy | ibus-kkc, xdg-utils")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY typorin)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
