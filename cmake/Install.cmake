# Installs the programs, their manual pages and shell completion, the desktop entry, the icon and
# the AppStream data. The Debian package is built from debian/ (dpkg-buildpackage).
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
# service names the program by its installed path, known only when installing (--prefix, DESTDIR).
install(CODE "
  set(ORVALIN_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/data/orvalin-changes.service.in\"
                 \"${CMAKE_BINARY_DIR}/systemd/orvalin-changes.service\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/systemd/orvalin-changes.service data/orvalin-changes.timer
        DESTINATION lib/systemd/user)

# The manual pages, and the shell completion of orvalin-audit: bash's in the folder its
# pkg-config file names (under this prefix's data folder), zsh's where Debian's zsh reads it.
add_subdirectory(docs/man)

set(ORVALIN_BASH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_get_variable(bash_completion_dir bash-completion completionsdir)
  pkg_get_variable(bash_completion_datadir bash-completion datadir)
  if(bash_completion_datadir AND bash_completion_dir MATCHES "^${bash_completion_datadir}/")
    # /usr/share/bash-completion/completions becomes share/bash-completion/completions, so
    # that a --prefix install puts it beside the rest, where bash-completion still looks.
    string(LENGTH "${bash_completion_datadir}" length)
    string(SUBSTRING "${bash_completion_dir}" ${length} -1 below)
    set(ORVALIN_BASH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}${below})
  elseif(bash_completion_dir)
    set(ORVALIN_BASH_COMPLETION_DIR ${bash_completion_dir})
  endif()
endif()
install(FILES data/completion/orvalin-audit DESTINATION ${ORVALIN_BASH_COMPLETION_DIR})
install(FILES data/completion/_orvalin-audit
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
