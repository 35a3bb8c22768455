# The release of a Windows build: a zip and an installer, made by cpack in the build folder
# (`cpack`, or `cpack -G ZIP` / `cpack -G NSIS`). Both hold the program, the version library,
# the help file, the site's quick start README.txt, and example main.ini and PdtReg.ini in the
# subfolder examples/, so that neither overwrites a site's own files.

# The examples are the demo files in the program's encoding: code page 936 with CRLF.
set(TARNWICK_EXAMPLES ${CMAKE_BINARY_DIR}/examples/main.ini ${CMAKE_BINARY_DIR}/examples/PdtReg.ini)
add_custom_command(
    OUTPUT ${TARNWICK_EXAMPLES}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/make-examples.sh ${PROJECT_SOURCE_DIR}/demo
            ${CMAKE_BINARY_DIR}/examples
    DEPENDS ${PROJECT_SOURCE_DIR}/demo/main.ini ${PROJECT_SOURCE_DIR}/demo/PdtReg.ini
            ${PROJECT_SOURCE_DIR}/tools/make-examples.sh ${PROJECT_SOURCE_DIR}/tools/cp936-text.sh
    COMMENT "Example main.ini and PdtReg.ini")
add_custom_target(tarnwick_examples ALL DEPENDS ${TARNWICK_EXAMPLES})

# The quick start as Notepad shows it on every Windows from 7 on: UTF-8 with its byte order mark
# (kept in the source), CRLF line ends.
configure_file(${PROJECT_SOURCE_DIR}/help/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)

install(TARGETS Tarnwick VersionInfo RUNTIME DESTINATION .)
install(FILES ${TARNWICK_HELP_FILE} ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${TARNWICK_EXAMPLES} DESTINATION examples)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TARNWICK_ARCH x86)
    set(CPACK_TARNWICK_NSIS_TARGET x86-unicode)
else()
    set(TARNWICK_ARCH amd64)
    set(CPACK_TARNWICK_NSIS_TARGET amd64-unicode)
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Tarnwick)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tarnwick)
set(CPACK_PACKAGE_FILE_NAME Tarnwick-${PROJECT_VERSION}-${TARNWICK_ARCH})
set(CPACK_STRIP_FILES ON)
# The zip holds the program's folder itself: unpacked into an installed copy it only replaces
# the program's own files.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# The installer's script is ours (cmake/nsis/NSIS.template.in); CPack hands it only CPACK_*
# variables, hence the name of the stub setting above.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
include(CPack)
