# Installs the programs, the desktop entry, the icon and the AppStream data, and describes the
# Debian package that cpack builds from them.
include(GNUInstallDirs)

foreach(program orvalin orvalin-audit orvalin-render)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

set(ORVALIN_APP_ID org.example.orvalin.Orvalin)
install(FILES data/${ORVALIN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${ORVALIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 256)
  install(FILES data/icons/orvalin-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${ORVALIN_APP_ID}.png)
endforeach()
install(FILES data/icons/orvalin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVALIN_APP_ID}.svg)

# The daily check: a systemd user service and timer, off until the user enables the timer. The
# service names the program by its installed path, known only when installing (--prefix, cpack).
install(CODE "
  set(ORVALIN_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/data/orvalin-changes.service.in\"
                 \"${CMAKE_BINARY_DIR}/systemd/orvalin-changes.service\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/systemd/orvalin-changes.service data/orvalin-changes.timer
        DESTINATION lib/systemd/user)

set(CPACK_PACKAGE_NAME orvalin)
set(CPACK_PACKAGE_VENDOR "Orvalin")
set(CPACK_PACKAGE_CONTACT "Orvalin <autor@orvalin.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Encuentra a quien te quitó de su lista de contactos")
set(CPACK_PACKAGE_INSTALL_DIRECTORY orvalin)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A package links the Qt libraries of the release it was built on, and Debian 13 renamed them;
# the release in the package's version says where it installs (orvalin_0.1.0-1+deb12_amd64.deb).
cmake_host_system_information(RESULT ORVALIN_DEBIAN_RELEASE QUERY DISTRIB_VERSION_ID)
if(ORVALIN_DEBIAN_RELEASE)
  set(CPACK_DEBIAN_PACKAGE_RELEASE "1+deb${ORVALIN_DEBIAN_RELEASE}")
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION net)
# The libraries come from the binaries themselves; the toolkit's display plugins and the fonts
# the windows name do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, fonts-liberation2, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
# A keyring keeps the passwords of remembered accounts; without one they are asked each time.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, gnome-keyring")
set(CPACK_SET_DESTDIR OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
