# The Windows installer: `cpack -G NSIS` in the cross build folder makes
# hxprog-setup.exe with hxtool.exe, the shipped Setting files, the help and the example
# data file, and a Start-menu shortcut to a command prompt in the program's folder.
# The program finds its Setting folder beside it and fills %APPDATA%\hxprog from it.

# The example is encoded by the hxtool just built (under Wine), so it always matches
# the image layout of this version.
set(_hx_example ${CMAKE_BINARY_DIR}/Examples/example-7200.dat)
add_custom_command(OUTPUT ${_hx_example}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/Examples
    COMMAND hxtool encode ${CMAKE_SOURCE_DIR}/packaging/example-7200.json -o ${_hx_example}
            --settings ${CMAKE_SOURCE_DIR}/data/Setting
    DEPENDS hxtool ${CMAKE_SOURCE_DIR}/packaging/example-7200.json
    COMMENT "Encoding the example data file" VERBATIM)
add_custom_target(install_files ALL DEPENDS ${_hx_example})

install(TARGETS hxtool RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/Setting ${CMAKE_BINARY_DIR}/Help DESTINATION .)
install(FILES ${_hx_example} DESTINATION Examples)
# A build with Qt (on Windows, with Qt's installer) adds the window, with Qt's DLLs
# and plugins beside it as windeployqt finds them.
if(TARGET hxprog)
  install(TARGETS hxprog RUNTIME DESTINATION .)
  find_program(WINDEPLOYQT windeployqt HINTS ${Qt6_DIR}/../../../bin REQUIRED)
  install(CODE "execute_process(COMMAND \"${WINDEPLOYQT}\"
                    --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/hxprog.exe\"
                    COMMAND_ERROR_IS_FATAL ANY)")
  set(CPACK_PACKAGE_EXECUTABLES hxprog hxprog)
endif()

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME hxprog)
set(CPACK_PACKAGE_VENDOR hxprog)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for HX7100, HX7200 and HX7400 radios")
set(CPACK_PACKAGE_INSTALL_DIRECTORY hxprog)
set(CPACK_PACKAGE_FILE_NAME hxprog-setup)
set(CPACK_NSIS_PACKAGE_NAME hxprog)
set(CPACK_NSIS_DISPLAY_NAME "hxprog ${PROJECT_VERSION}")
# A 64-bit installer: Debian's wine64 alone cannot start NSIS's default 32-bit one,
# and the programs it installs are 64-bit anyway.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MODIFY_PATH OFF)
# Its offer to remove an older version first keeps a silent install waiting under Wine;
# the new files replace the old ones anyway.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL OFF)
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\hxtool command prompt.lnk' '$SYSDIR\\\\cmd.exe' '/k hxtool --help' '' '' SW_SHOWNORMAL '' 'hxtool in its folder'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA
    "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\hxtool command prompt.lnk'")
include(CPack)
