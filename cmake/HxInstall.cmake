# What `cmake --install` puts where. The programs go to bin; everything an installed
# program fills its per-user folder from (the shipped Setting files, the built Help)
# goes to share/hxprog, with an example data file beside; the rest makes it a desktop
# program: menu entry, icons, AppStream metainfo, the data-file MIME type and the
# manual pages.
include(GNUInstallDirs)

set(_hx_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(_hx_share ${CMAKE_INSTALL_DATADIR}/hxprog)

# The example is encoded by the hxtool just built, so it always matches the image
# layout of this version.
set(_hx_example ${CMAKE_BINARY_DIR}/Examples/example-7200.dat)
add_custom_command(OUTPUT ${_hx_example}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/Examples
    COMMAND hxtool encode ${_hx_packaging}/example-7200.json -o ${_hx_example}
            --settings ${CMAKE_SOURCE_DIR}/data/Setting
    DEPENDS hxtool ${_hx_packaging}/example-7200.json
    COMMENT "Encoding the example data file" VERBATIM)

# Debian wants manual pages compressed, and without a time stamp so that a rebuild
# gives the same bytes. Make, unlike Ninja, makes no folder for an output: the
# commands make it.
find_program(GZIP gzip REQUIRED)
set(_hx_man_pages)
foreach(page hxprog hxtool hxsim)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E copy ${_hx_packaging}/man/${page}.1 ${CMAKE_BINARY_DIR}/man/
      COMMAND ${GZIP} -9nf ${CMAKE_BINARY_DIR}/man/${page}.1
      DEPENDS ${_hx_packaging}/man/${page}.1
      COMMENT "Compressing the manual page ${page}.1" VERBATIM)
  list(APPEND _hx_man_pages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${_hx_man_pages})
add_custom_target(install_files ALL DEPENDS ${_hx_example})
# The manual pages on their own with Make, the default generator, in a scratch build.
add_test(NAME man_pages_with_make
         COMMAND sh -c "rm -rf \"$0\" && ${CMAKE_COMMAND} -S \"$1\" -B \"$0\" -G 'Unix Makefiles' \
                        >/dev/null && ${CMAKE_COMMAND} --build \"$0\" --target man_pages"
                 ${CMAKE_BINARY_DIR}/make-build ${CMAKE_SOURCE_DIR})

install(TARGETS hxprog hxtool hxsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS hxprog_ondemand LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/hxprog)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Setting ${CMAKE_BINARY_DIR}/Help
        DESTINATION ${_hx_share})
install(FILES ${_hx_example} DESTINATION ${_hx_share}/Examples)

install(FILES ${_hx_packaging}/hxprog.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_hx_packaging}/hxprog.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${_hx_packaging}/icons/hxprog-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME hxprog.png)
endforeach()
install(FILES ${_hx_packaging}/io.github.hxprog.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_hx_packaging}/hxprog-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME hxprog.xml)
# A desktop claims a data file by what it holds, not by the common ".dat".
add_test(NAME mime_type_check COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-mime
                                      ${_hx_packaging}/hxprog-mime.xml ${_hx_example})
install(FILES ${_hx_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
