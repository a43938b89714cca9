# The Debian package of the installed layout:
#   cmake --build build --target package   ->   build/lout_1.00_amd64.deb
# Everything `cmake --install` puts in place goes under /usr; the package
# depends on what the binaries link (dpkg-shlibdeps), on the CJK font the
# window is laid out for and on the Qt packages the window needs at run time.

# The version the program shows is the package's version.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/version.h version_line REGEX "#define LOUT_VERSION_TEXT")
if(NOT version_line MATCHES "\"([^\"]+)\"")
  message(FATAL_ERROR "LOUT_VERSION_TEXT not found in resources/version.h")
endif()
set(LOUT_PACKAGE_VERSION ${CMAKE_MATCH_1})
set(LOUT_PACKAGE_MAINTAINER "lout developers <lout@example.org>" CACHE STRING
  "Maintainer field of the Debian package")

# Documents installed with the program (and so in the package): the manual
# pages, and the copyright and changelog Debian asks every package for in
# /usr/share/doc/<package>. Compressed files carry no time stamp.
find_program(LOUT_GZIP gzip REQUIRED)
set(lout_packaging_dir ${CMAKE_BINARY_DIR}/packaging)
function(lout_compressed source out_var)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "INTO" "")
  get_filename_component(name ${source} NAME)
  set(folder ${lout_packaging_dir}/${arg_INTO})
  set(compressed ${folder}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${LOUT_GZIP} -9nc ${source} > ${compressed}
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  set(${out_var} ${compressed} PARENT_SCOPE)
endfunction()
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/lout.1 lout_man)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/core-catalogue.1 core_catalogue_man)
# The Chinese pages, where man looks under a zh_CN locale.
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/zh_CN/lout.1 lout_man_zh INTO zh_CN)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/zh_CN/core-catalogue.1 core_catalogue_man_zh INTO zh_CN)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/lout-design.1 lout_design_man)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/zh_CN/lout-design.1 lout_design_man_zh INTO zh_CN)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/debian/changelog changelog_gz)
add_custom_target(lout_compressed_docs ALL DEPENDS ${lout_man} ${core_catalogue_man} ${lout_design_man} ${lout_man_zh}
  ${core_catalogue_man_zh} ${lout_design_man_zh} ${changelog_gz})
install(FILES ${lout_man} ${core_catalogue_man} ${lout_design_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${lout_man_zh} ${core_catalogue_man_zh} ${lout_design_man_zh} DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${changelog_gz}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lout)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lout)
set(CPACK_PACKAGE_VERSION ${LOUT_PACKAGE_VERSION})
set(CPACK_PACKAGE_CONTACT "${LOUT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LOUT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: the font the window is laid out for, the platform
# plugins without which no window opens (Qt only recommends them), and Qt's
# own Chinese texts for its standard dialogs and buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"output filter inductor design aid for forward converters
A single-window design aid for the output filter inductor of forward and
bridge converter power supplies. Pick a ferrite core from the catalogue,
type the secondary peak voltage, the output voltage, the output current and
the switching frequency, and set the allowed current ripple: the window shows
at once the duty ratio, inductance, turns, air gap, wire diameter, strand
count and dummy load, and draws the winding in the core's windows to scale.
.
The catalogue of cores is an Access (Jet) file; core-catalogue turns a CSV
file edited in a spreadsheet into a catalogue of one's own. All text on
screen is Simplified Chinese.")
include(CPack)
