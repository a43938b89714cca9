# The Debian package, made as `cmake --build build --target package` makes
# it (cpack on the build's CPack configuration), into a folder of its own.
#   CHECK=contents: its control fields, its file list, and its programs run
#                   from the unpacked tree;
#   CHECK=lintian:  lintian finds no error in it and, among its notes too,
#                   no hardening tag when the build is hardened (HARDENED;
#                   not the sanitizer build); warnings are printed.
# Where dpkg-deb (or lintian) is not installed the check is a skip.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

set(deb "${WORK_DIR}/lout_1.00_amd64.deb")

if(CHECK STREQUAL "lintian")
  find_program(lintian lintian)
  if(NOT lintian)
    message("SKIPPED: lintian is not installed")
    return()
  endif()
  if(NOT EXISTS "${deb}")
    message("SKIPPED: no package was made (dpkg-deb missing?)")
    return()
  endif()
  use_scratch_user_folders("${WORK_DIR}/lintian-user")
  run_command(lint COMMAND "${lintian}" --fail-on error --display-info "${deb}")
  if(NOT lint_status EQUAL 0 OR lint_out MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian found errors in ${deb}")
  endif()
  # The binaries are built with Debian's hardening flags (bindnow, fortified
  # calls, the stack protector): lintian notes none missing.
  if(NOT HARDENED)
    message("NOTE: this build's binaries are not hardened (a sanitizer or Debug build); hardening tags not checked")
  elseif(lint_out MATCHES "hardening-")
    message(FATAL_ERROR "lintian notes a hardening flag missing from the binaries")
  endif()
  return()
endif()

find_program(dpkg_deb dpkg-deb)
if(NOT dpkg_deb)
  message("SKIPPED: dpkg-deb is not installed")
  return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
use_scratch_user_folders("${WORK_DIR}/user")
run_command(made COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}")
file(GLOB debs "${WORK_DIR}/*.deb")
if(NOT made_status EQUAL 0 OR NOT debs STREQUAL deb)
  message(FATAL_ERROR "cpack makes lout_1.00_amd64.deb and nothing else (made: ${debs})")
endif()

# Control fields.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(field Package Version Architecture Depends Section Maintainer Description)
  execute_process(COMMAND "${dpkg_deb}" --field "${deb}" ${field}
    OUTPUT_VARIABLE ${field} OUTPUT_STRIP_TRAILING_WHITESPACE)
  message("${field}: ${${field}}")
endforeach()
if(NOT Package STREQUAL "lout" OR NOT Version STREQUAL "1.00" OR NOT Architecture STREQUAL "${arch}")
  fail("package lout, version 1.00, architecture ${arch}")
endif()
# The font the window is laid out for, the Qt packages without which the
# window does not open or speaks English in Qt's own texts (Qt only
# recommends them), and what the binaries link, found by dpkg-shlibdeps with
# versions.
foreach(dependency fonts-noto-cjk qt6-qpa-plugins qt6-translations-l10n
        "libqt6widgets6 \\(>= " "libqt6core6 \\(>= " "libmdb3 \\(>= " "libseccomp2 \\(>= " "libc6 \\(>= ")
  if(NOT Depends MATCHES "(^|, )${dependency}")
    fail("Depends names ${dependency}")
  endif()
endforeach()
if(Section STREQUAL "" OR NOT Maintainer MATCHES "<[^@>]+@[^>]+>" OR NOT Description MATCHES "\n .+")
  fail("a section, a maintainer with an address and a long description")
endif()

# Exactly these files and links, owned by root, under /usr.
set(expected
  "./usr/${BINDIR}/core-catalogue -> ../${APPDIR}/core-catalogue"
  "./usr/${BINDIR}/lout -> ../${APPDIR}/lout"
  "./usr/${BINDIR}/lout-design -> ../${APPDIR}/lout-design"
  "./usr/${APPDIR}/core-catalogue"
  "./usr/${APPDIR}/db1.mdb"
  "./usr/${APPDIR}/lout"
  "./usr/${APPDIR}/lout-design"
  "./usr/${DATADIR}/applications/lout.desktop"
  "./usr/${DATADIR}/doc/lout/changelog.gz"
  "./usr/${DATADIR}/doc/lout/copyright"
  "./usr/${DATADIR}/icons/hicolor/16x16/apps/lout.png"
  "./usr/${DATADIR}/icons/hicolor/32x32/apps/lout.png"
  "./usr/${DATADIR}/icons/hicolor/48x48/apps/lout.png"
  "./usr/${DATADIR}/icons/hicolor/scalable/apps/lout.svg"
  "./usr/${DATADIR}/man/man1/core-catalogue.1.gz"
  "./usr/${DATADIR}/man/man1/lout.1.gz"
  "./usr/${DATADIR}/man/zh_CN/man1/core-catalogue.1.gz"
  "./usr/${DATADIR}/man/zh_CN/man1/lout.1.gz"
  "./usr/${DATADIR}/man/man1/lout-design.1.gz"
  "./usr/${DATADIR}/man/zh_CN/man1/lout-design.1.gz"
  "./usr/${DATADIR}/metainfo/${APPSTREAM_ID}.metainfo.xml")
execute_process(COMMAND "${dpkg_deb}" --contents "${deb}" OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" listing "${listing}")
set(found)
foreach(line IN LISTS listing)
  if(line MATCHES "^([-l])[rwxs-]+ ([^ ]+) +[0-9]+ [0-9-]+ [0-9:]+ (.*)$")
    list(APPEND found "${CMAKE_MATCH_3}")
    if(NOT CMAKE_MATCH_2 STREQUAL "root/root")
      fail("${CMAKE_MATCH_3} is owned by root/root (${CMAKE_MATCH_2})")
    endif()
  elseif(line MATCHES "^d[rwxs-]+ [^ ]+ +[0-9]+ [0-9-]+ [0-9:]+ (.*)$")
    if(NOT CMAKE_MATCH_1 MATCHES "^\\./(usr/.*)?$")
      fail("every folder lies under /usr (${CMAKE_MATCH_1})")
    endif()
  elseif(NOT line STREQUAL "")
    fail("a listing line that reads as a file, link or folder (${line})")
  endif()
endforeach()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  string(REPLACE ";" "\n  " found_text "${found}")
  fail("the package holds exactly the installed layout; it holds:\n  ${found_text}")
endif()

# Unpacked, the programs run through their links and find the catalogue
# beside them (with an empty user data folder).
execute_process(COMMAND "${dpkg_deb}" -x "${deb}" "${WORK_DIR}/root")
run_command(version COMMAND "${WORK_DIR}/root/usr/${BINDIR}/lout" --version)
if(NOT version_status EQUAL 0 OR NOT version_out STREQUAL "lout 1.00\n")
  fail("the packaged lout answers --version")
endif()
regex_quote(beside "${WORK_DIR}/root/usr/${APPDIR}/db1.mdb")
run_command(list COMMAND "${WORK_DIR}/root/usr/${BINDIR}/core-catalogue" list)
if(NOT list_status EQUAL 0 OR NOT list_out MATCHES "^磁芯数据库：${beside}（程序所在的文件夹）\n型号数：[0-9]+\n")
  fail("the packaged core-catalogue lists the packaged catalogue")
endif()
