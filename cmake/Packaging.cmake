# The release packages of the windows preset, made by
#   cmake --build --preset windows --target package
# Numvora-<version>-win64.zip: the programs, a read-me and the licence, to run from any
# folder (or under Wine); Numvora-<version>-win64.exe: a per-user installer (NSIS).
set(package_text ${CMAKE_BINARY_DIR}/packaging)
# Windows text files: CR LF, so that every Notepad shows the lines; the read-me starts
# with a byte-order mark, since Notepad before Windows 10 1903 reads a text without one
# in the system's code page.
configure_file(${PROJECT_SOURCE_DIR}/packaging/readme.txt.in ${package_text}/readme.txt @ONLY NEWLINE_STYLE WIN32)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${package_text}/LICENSE.txt @ONLY NEWLINE_STYLE WIN32)

install(TARGETS Numvora numvora-calc RUNTIME DESTINATION .)
install(FILES ${package_text}/readme.txt ${package_text}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Numvora)
set(CPACK_PACKAGE_VENDOR "Numvora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "메모장 + 계산기")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Numvora)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/platform/windows/app/icon/numvora.ico)
set(CPACK_NSIS_NUMVORA_SIDE_BITMAP ${PROJECT_SOURCE_DIR}/packaging/installer-side.bmp)
# The installer script is our own (packaging/NSIS.template.in): CPack's default one
# asks for administrator rights and installs for all users.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging)
include(CPack)
