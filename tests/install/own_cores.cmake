# The walk a user takes to design with their own cores, with the installed
# tools: init writes the bundled catalogue as CSV; the CSV is edited as a
# spreadsheet saves it; build makes it the user's db1.mdb in the user data
# folder; list shows that this is the catalogue the program reads; the
# program starts with it, also a copy of the program that has no catalogue
# of its own beside it. (A faulty CSV built over a catalogue, refused with
# the old one kept byte for byte, is tried on the tool itself in
# tests/catalogue/csv_tool_test.cpp.)
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

file(REMOVE_RECURSE "${WORK_DIR}")

set(seconds 6)
set(tool "${PREFIX}/${BINDIR}/core-catalogue")
use_scratch_user_folders("${WORK_DIR}/user")
set(user_file "$ENV{XDG_DATA_HOME}/lout/db1.mdb")
set(csv "${WORK_DIR}/我的磁芯.csv")

# 1. init: the bundled catalogue, exactly as shipped; it never overwrites.
run_command(init WORKING_DIRECTORY "${WORK_DIR}" COMMAND "${tool}" init "我的磁芯.csv")
if(NOT init_status EQUAL 0 OR NOT EXISTS "${csv}")
  message(FATAL_ERROR "core-catalogue init wrote no CSV")
endif()
# Compared byte for byte: file(READ) drops carriage returns.
file(SHA256 "${SOURCE_DIR}/data/cores.csv" bundled)
file(SHA256 "${csv}" written)
if(NOT written STREQUAL bundled)
  fail("init writes the bundled catalogue as it is shipped")
endif()
file(READ "${csv}" written)
file(WRITE "${WORK_DIR}/kept.csv" "mine\n")
run_command(again COMMAND "${tool}" init "${WORK_DIR}/kept.csv")
file(READ "${WORK_DIR}/kept.csv" kept)
if(NOT again_status EQUAL 1 OR NOT kept STREQUAL "mine\n" OR again_err STREQUAL "")
  fail("init refuses, with a message, to overwrite a file")
endif()

# 2. The user's edit, saved the way spreadsheets save CSV: CRLF line ends,
#    text in quotes. Two own cores join the list, one sorting first and one
#    last, and a bundled row goes.
string(REPLACE "\n" ";" lines "${written}")
list(FILTER lines EXCLUDE REGEX "^$")
list(REMOVE_AT lines 1)
list(INSERT lines 1 "\"AA-MINE 1\",\"EE\",30,20,8,8,10,15,0.6")
list(APPEND lines "\"ZZ-MINE 2\",\"EE\",50,35,14,14,18,25,2.1")
list(LENGTH lines line_count)
math(EXPR models "${line_count} - 1")
list(JOIN lines "\r\n" edited)
file(WRITE "${csv}" "${edited}\r\n")

# 3. build, into the user data folder (made on the way).
run_command(build COMMAND "${tool}" build "${csv}" "${user_file}")
if(NOT build_status EQUAL 0 OR NOT build_err STREQUAL "" OR NOT EXISTS "${user_file}")
  fail("build makes the user's catalogue without complaint")
endif()

# 4. list: the user's catalogue is the one the program reads.
regex_quote(user_file_re "${user_file}")
run_command(list COMMAND "${tool}" list)
if(NOT list_status EQUAL 0
   OR NOT list_out MATCHES "^磁芯数据库：${user_file_re}（用户数据文件夹）\n型号数：${models}\n第一个型号：AA-MINE 1\n最后一个型号：ZZ-MINE 2\n$")
  fail("list names the user's catalogue with its ${models} models, AA-MINE 1 first and ZZ-MINE 2 last")
endif()

# 5. The program starts with it: the installed one, and a copy without a
#    catalogue beside it, which can only have read the user's.
expect_window_comes_up("the installed program" ${seconds} "${PREFIX}/${BINDIR}/lout")
set(bare "${WORK_DIR}/bare")
file(MAKE_DIRECTORY "${bare}")
file(COPY "${PREFIX}/${APPDIR}/lout" DESTINATION "${bare}")
expect_window_comes_up("a copy of the program without its own catalogue" ${seconds} "${bare}/lout")
