# `make deb`: the Debian package of the system layout, made by CPack. Its
# dependencies are those dpkg-shlibdeps finds in the executable and modules,
# so no hand-written list goes stale.
if(NOT TV_SYSTEM_INSTALL)
    return()
endif()

# What Debian's policy asks of a package beside the program: the man page and
# the changelog compressed reproducibly, the copyright, the AppStream entry.
set(TV_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
set(TV_PACKAGE_SOURCES ${CMAKE_SOURCE_DIR}/resources/package)
file(MAKE_DIRECTORY ${TV_PACKAGE_FILES})
add_custom_command(OUTPUT ${TV_PACKAGE_FILES}/tonvela.1.gz ${TV_PACKAGE_FILES}/changelog.gz
    COMMAND sh -c "gzip -9nc '${TV_PACKAGE_SOURCES}/tonvela.1' > tonvela.1.gz"
    COMMAND sh -c "gzip -9nc '${TV_PACKAGE_SOURCES}/changelog' > changelog.gz"
    WORKING_DIRECTORY ${TV_PACKAGE_FILES}
    DEPENDS ${TV_PACKAGE_SOURCES}/tonvela.1 ${TV_PACKAGE_SOURCES}/changelog
    VERBATIM)
add_custom_target(tonvela_package_files ALL
    DEPENDS ${TV_PACKAGE_FILES}/tonvela.1.gz ${TV_PACKAGE_FILES}/changelog.gz)
install(FILES ${TV_PACKAGE_FILES}/tonvela.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TV_PACKAGE_FILES}/changelog.gz ${TV_PACKAGE_SOURCES}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tonvela)
install(FILES ${TV_PACKAGE_SOURCES}/org.tonvela.Tonvela.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonvela)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tonvela")
set(CPACK_PACKAGE_CONTACT "Tonvela developers <tonvela@tonvela.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "MP3 player that keeps songs in albums")
set(CPACK_PACKAGE_DESCRIPTION
    "Tonvela for MP3 plays MP3 files and keeps them in albums: playlists that\n"
    "are built from files and folders, edited, sorted and searched. It lives in\n"
    "the notification area while it plays and answers the desktop's media keys.\n"
    "The interface is in Russian and English.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tonvela.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The modules are loaded by path, not linked: their libraries are looked up
# as well.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
# The sound goes through GStreamer's plugins, which no library names: playbin
# is among the base ones, the MP3 decoder and the sound server's output among
# the good ones.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
