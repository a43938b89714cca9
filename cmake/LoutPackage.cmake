# The Debian package of the installed layout:
#   cmake --build build --target package   ->   build/lout_1.00_amd64.deb
# Everything `cmake --install` puts in place goes under /usr; the package
# depends on what the binaries link (dpkg-shlibdeps) and on the CJK font the
# window is laid out for.

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
  get_filename_component(name ${source} NAME)
  set(compressed ${lout_packaging_dir}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${lout_packaging_dir}
    COMMAND ${LOUT_GZIP} -9nc ${source} > ${compressed}
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  set(${out_var} ${compressed} PARENT_SCOPE)
endfunction()
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/lout.1 lout_man)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/core-catalogue.1 core_catalogue_man)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/man/lout-design.1 lout_design_man)
lout_compressed(${PROJECT_SOURCE_DIR}/resources/debian/changelog changelog_gz)
# The Chinese page has the English page's name: it is compressed into a
# folder of its own.
set(lout_design_man_zh ${lout_packaging_dir}/zh_CN/lout-design.1.gz)
add_custom_command(OUTPUT ${lout_design_man_zh}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${lout_packaging_dir}/zh_CN
  COMMAND ${LOUT_GZIP} -9nc ${PROJECT_SOURCE_DIR}/resources/man/zh_CN/lout-design.1 > ${lout_design_man_zh}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/man/zh_CN/lout-design.1
  COMMENT "Compressing zh_CN/lout-design.1")
add_custom_target(lout_compressed_docs ALL
  DEPENDS ${lout_man} ${core_catalogue_man} ${lout_design_man} ${lout_design_man_zh} ${changelog_gz})
install(FILES ${lout_man} ${core_catalogue_man} ${lout_design_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${lout_design_man_zh} DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
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
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-noto-cjk)
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
