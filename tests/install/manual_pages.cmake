# The installed manual pages, English and Chinese, for both programs: each
# renders without a warning from groff as `man --warnings` (what lintian
# runs) shows them, and man finds the Chinese ones under a Chinese locale
# and the English ones otherwise. A skip where man is not installed.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

find_program(man man)
if(NOT man)
  message("SKIPPED: man is not installed; tools/install-deps.sh test installs man-db")
  return()
endif()
set(mandir "${PREFIX}/${DATADIR}/man")
set(ENV{LC_ALL} C.UTF-8)
set(ENV{MANWIDTH} 80)
set(ENV{MANPATH} "${mandir}")

foreach(page man1/lout man1/core-catalogue zh_CN/man1/lout zh_CN/man1/core-catalogue)
  set(file "${mandir}/${page}.1.gz")
  run_command(shown COMMAND "${man}" --warnings -E UTF-8 -l -Tutf8 -Z "${file}")
  if(NOT shown_status EQUAL 0 OR shown_out STREQUAL "" OR NOT shown_err STREQUAL "")
    fail("${page} renders without a warning")
  endif()
endforeach()

# Chinese under a Chinese locale (-L stands for one that may not be
# generated here), English otherwise.
foreach(locale zh_CN.UTF-8 C)
  run_command(found COMMAND "${man}" -L ${locale} -w lout core-catalogue)
  set(folder "man1")
  if(locale MATCHES "^zh_CN")
    set(folder "zh_CN/man1")
  endif()
  if(NOT found_out STREQUAL "${mandir}/${folder}/lout.1.gz\n${mandir}/${folder}/core-catalogue.1.gz\n")
    fail("under ${locale} man finds both pages in ${folder}")
  endif()
endforeach()
run_command(chinese COMMAND "${man}" -L zh_CN.UTF-8 core-catalogue)
if(NOT chinese_out MATCHES "名称\n +core-catalogue - 制作和查看 lout 的磁芯数据库")
  fail("the Chinese page of core-catalogue is in Chinese")
endif()
