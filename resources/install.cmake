# Installed layout and desktop integration, included from the top level once
# every target exists:
#   <prefix>/lib/lout/lout and db1.mdb      the program beside its catalogue
#   <prefix>/lib/lout/core-catalogue        the catalogue tool beside them
#   <prefix>/lib/lout/lout-design           the design on the command line
#   <prefix>/bin/lout -> ../lib/lout/lout   relative symlinks; the programs
#   <prefix>/bin/core-catalogue -> ...      resolve them to find db1.mdb
#   <prefix>/share/applications/lout.desktop
#   <prefix>/share/icons/hicolor/{16x16,32x32,48x48,scalable}/apps/lout.*
#   <prefix>/share/metainfo/org.lout.lout.metainfo.xml
set(LOUT_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})
set(LOUT_APPSTREAM_ID org.lout.lout)

# The catalogue tool and lout-design sit beside the program, so that with
# no file named all find the same catalogue beside themselves.
set(lout_programs lout core-catalogue lout-design)
install(TARGETS ${lout_programs} RUNTIME DESTINATION ${LOUT_INSTALL_APPDIR})

if(NOT WIN32)
  # bin/<program> points at the program through a relative link, so the
  # whole prefix can be moved or packaged (DESTDIR) and the link still holds.
  if(IS_ABSOLUTE "${LOUT_INSTALL_APPDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    message(FATAL_ERROR "The lout install directories must be relative to the prefix")
  endif()
  foreach(program IN LISTS lout_programs)
    file(RELATIVE_PATH link_target
      "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${LOUT_INSTALL_APPDIR}/${program}")
    install(CODE "
      set(lout_bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
      file(MAKE_DIRECTORY \"\${lout_bin_dir}\")
      if(IS_SYMLINK \"\${lout_bin_dir}/${program}\" OR EXISTS \"\${lout_bin_dir}/${program}\")
        file(REMOVE \"\${lout_bin_dir}/${program}\")
      endif()
      message(STATUS \"Installing: \${lout_bin_dir}/${program} -> ${link_target}\")
      file(CREATE_LINK \"${link_target}\" \"\${lout_bin_dir}/${program}\" SYMBOLIC)
      list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${lout_bin_dir}/${program}\")
    ")
  endforeach()
endif()

if(NOT WIN32)
  install(FILES ${LOUT_RESOURCES_DIR}/lout.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size 16 32 48)
    install(FILES ${LOUT_RESOURCES_DIR}/icons/lout-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME lout.png)
  endforeach()
  install(FILES ${LOUT_RESOURCES_DIR}/icons/lout.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${LOUT_RESOURCES_DIR}/lout.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    RENAME ${LOUT_APPSTREAM_ID}.metainfo.xml)
endif()
