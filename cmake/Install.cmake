# `cmake --install` lays out a self-contained program folder, lib/zelmoravintesca/ under the
# prefix (the executable with ruote.grc and images/ beside it, as the program expects), a
# command bin/zelmoravintesca linked to it, a desktop entry with its icon, so the program
# appears in the desktop's menu, and the type of its .zlm files, which it opens. CPack makes a
# Debian package of the same layout.

set(ZELMORA_INSTALL_DIR lib/zelmoravintesca)

install(TARGETS zelmoravintesca RUNTIME DESTINATION ${ZELMORA_INSTALL_DIR})
install(FILES ${ZELMORA_PROGRAM_DIR}/ruote.grc DESTINATION ${ZELMORA_INSTALL_DIR})
install(DIRECTORY ${ZELMORA_PROGRAM_DIR}/images DESTINATION ${ZELMORA_INSTALL_DIR})

# The command on the PATH is a relative link, so the installed tree can be moved as a whole.
# The program finds its folder through the link's target.
set(ZELMORA_COMMAND_LINK ${CMAKE_BINARY_DIR}/install/zelmoravintesca)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ../${ZELMORA_INSTALL_DIR}/zelmoravintesca ${ZELMORA_COMMAND_LINK} SYMBOLIC)
install(FILES ${ZELMORA_COMMAND_LINK} DESTINATION bin)

install(FILES ${CMAKE_SOURCE_DIR}/assets/zelmoravintesca.desktop DESTINATION share/applications)
# The type of the .zlm files, so a file manager opens them with the program; Debian's triggers
# (shared-mime-info, desktop-file-utils) update the desktop's databases, with no script of ours.
install(FILES ${CMAKE_SOURCE_DIR}/assets/zelmoravintesca-mime.xml DESTINATION share/mime/packages
        RENAME zelmoravintesca.xml)
install(DIRECTORY ${ZELMORA_ICON_DIR}/ DESTINATION share/icons/hicolor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmoravintesca)
set(CPACK_PACKAGE_VENDOR "Vandrel")
set(CPACK_PACKAGE_CONTACT "Vandrel <info@vandrel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Lotto systems: fill, check, save and print them on betting slips")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelmoravintesca fills a square of sixteen Lotto numbers around a lead number, checks it, works out the total and the potential winnings, saves systems as .zlm files and prints the eight plays onto pre-printed betting slips, with a prognosis sheet and a one-page listing.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Free stand-ins for the fonts the windows and the printed pages are laid out with, and Qt's
# Italian texts for its standard dialogs; the libraries themselves are found by dpkg-shlibdeps,
# libarchive13 among them, which unpacks the public archive's ZIP, except that libcurl must be
# 7.85 or later to take the allowed protocols by name. The certificates check the https server
# the archive comes from.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2, fonts-comic-neue, qt6-translations-l10n, libcurl4 (>= 7.85.0), ca-certificates")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${ZELMORA_WEB_HOST}/")
include(CPack)
