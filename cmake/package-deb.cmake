# The Debian package (cpack -G DEB, or tools/package-deb.sh): what `cmake --install`
# installs, under /usr, with its dependencies named.
install(FILES "${CMAKE_SOURCE_DIR}/data/debian/copyright"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wordmill)
set(changelog "${CMAKE_BINARY_DIR}/changelog.gz")
add_custom_command(OUTPUT ${changelog}
    COMMAND gzip -9nc "${CMAKE_SOURCE_DIR}/data/debian/changelog" > ${changelog}
    DEPENDS "${CMAKE_SOURCE_DIR}/data/debian/changelog")
add_custom_target(debian_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wordmill)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wordmill)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Wordmill developers <wordmill@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary trainer for the College English Test")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Wordmill helps Chinese students learn the CET words.
 Browse and grade new words of the CET-4 and CET-6 lists, spell words
 from their Chinese meaning, meet a daily quota, and get missed words
 back three days later. Forced study holds the learner to the day's task.")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs and menus (the save dialog, the text boxes' menus) in Chinese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-wqy-microhei | fonts-noto-cjk, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "speech-dispatcher, speech-dispatcher-espeak-ng, qt6-speech-speechd-plugin")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
