# Installing and packaging. The program finds its ini file, state file, adverts and webs
# beside its own executable, so the whole kit is installed as one folder,
# <prefix>/lib/zelmora/, and <prefix>/bin/zelmora is a relative symbolic link into it (the
# program resolves the link through /proc/self/exe and still finds its kit). A desktop entry
# and an icon make it startable from the desktop's menu.

set(ZELMORA_INSTALL_KIT lib/zelmora)

install(TARGETS zelmora RUNTIME DESTINATION ${ZELMORA_INSTALL_KIT})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/demo/ DESTINATION ${ZELMORA_INSTALL_KIT}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)

# The link is made in the build tree and installed as a link: relative, so it stays right
# under any prefix, inside a package and in a DESTDIR staging folder.
set(_link_dir ${CMAKE_BINARY_DIR}/install-bin)
file(MAKE_DIRECTORY ${_link_dir})
file(CREATE_LINK ../${ZELMORA_INSTALL_KIT}/zelmora ${_link_dir}/zelmora SYMBOLIC)
install(FILES ${_link_dir}/zelmora DESTINATION bin)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/zelmora.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/assets/zelmora.png DESTINATION share/icons/hicolor/64x64/apps)
# An example user unit for a public screen (README: "Running as a kiosk"); systemd looks for
# user units in lib/systemd/user under /usr and /usr/local.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zelmora-kiosk.service DESTINATION lib/systemd/user)

# `make package`: a Debian package. The shared libraries the executable links are turned
# into package dependencies by dpkg-shlibdeps; the fonts and the Qt platform plugins are
# loaded at run time, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zelmora team")
set(CPACK_PACKAGE_CONTACT "The Zelmora team <zelmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Offline HTML browser for kiosks and e-books")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelmora shows a folder tree of HTML documents on a local disk full screen, with a\n"
    "styled outline of folders, documents and headings, a rotating advert and a layout\n"
    "editor for authors. The package installs the program with its demo kit.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
