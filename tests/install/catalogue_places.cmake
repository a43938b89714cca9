# Which catalogue the installed program reads: the file named with
# --catalogue alone; else the user's own db1.mdb in the user data folder;
# else the one beside the program. Each run tells by what the program does:
# a file that is no catalogue cannot start it (error 3343 naming the file, in
# an error box answered on a virtual desktop), a good one keeps its window up.
# When that file is the user's own, the error says that removing it brings
# back the bundled catalogue, and so does core-catalogue list.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

file(REMOVE_RECURSE "${WORK_DIR}")

set(seconds 6)
set(lout "${PREFIX}/${BINDIR}/lout")
set(tool "${PREFIX}/${BINDIR}/core-catalogue")
set(beside "${PREFIX}/${APPDIR}/db1.mdb")
use_scratch_user_folders("${WORK_DIR}/user")
set(user_file "$ENV{XDG_DATA_HOME}/lout/db1.mdb")
regex_quote(user_file_re "${user_file}")

# The user's own catalogue, but a CSV file saved under its name.
file(MAKE_DIRECTORY "$ENV{XDG_DATA_HOME}/lout")
file(COPY_FILE "${SOURCE_DIR}/data/cores.csv" "${user_file}")
set(going_back "这是你自己的磁芯数据库（在用户数据文件夹中）；删除“${user_file_re}”即可改回使用随程序提供的磁芯数据库。\n")

# 1. The user's own catalogue comes before the one beside the program; as
#    it is the user's own, the error ends with the way back. list says the
#    same; with the file named, neither does.
run_command(listed COMMAND "${tool}" list)
run_command(listed_named COMMAND "${tool}" list "${user_file}")
if(NOT listed_status EQUAL 1 OR NOT listed_err MATCHES "错误 3343：[^\n]*${user_file_re}[^\n]*\ncore-catalogue：${going_back}$"
   OR NOT listed_named_status EQUAL 1 OR listed_named_err MATCHES "删除")
  fail("core-catalogue list: error 3343, and the way back only for the user's own catalogue")
endif()
run_failing_start(own COMMAND "${lout}")
if(own_status STREQUAL "skipped")
  return()
endif()
if(NOT own_status EQUAL 1 OR NOT own_err MATCHES "^lout: error 3343: [^\n]*${user_file_re}[^\n]*\n${going_back}$")
  fail("the program reads the user's own catalogue first (status 1, error 3343 naming ${user_file}, then the way back)")
endif()

# 2. A named file comes before both; named, the same file has no way back.
expect_window_comes_up("--catalogue naming the bundled catalogue" ${seconds} "${lout}" --catalogue "${beside}")
run_failing_start(named COMMAND "${lout}" --catalogue "${user_file}")
if(NOT named_status EQUAL 1 OR NOT named_err MATCHES "^lout: error 3343: [^\n]*${user_file_re}[^\n]*\n$")
  fail("--catalogue naming the user's file: error 3343 alone")
endif()

# 3. A named file that does not exist is error 3024 for that file, with no
#    fall back to the catalogues that do exist. A relative name is taken
#    from the working directory.
run_failing_start(missing WORKING_DIRECTORY "${WORK_DIR}" COMMAND "${lout}" --catalogue missing.mdb)
regex_quote(missing_re "${WORK_DIR}/missing.mdb")
if(NOT missing_status EQUAL 1 OR NOT missing_err MATCHES "error 3024: [^\n]*${missing_re}")
  fail("a named file that does not exist: status 1 and error 3024 naming it")
endif()
string(FIND "${missing_err}" "${user_file}" at_user)
string(FIND "${missing_err}" "${beside}" at_beside)
if(NOT (at_user EQUAL -1 AND at_beside EQUAL -1))
  fail("a named file that does not exist sends the program nowhere else")
endif()

# 4. Without XDG_DATA_HOME the user data folder is ~/.local/share.
set(home_file "$ENV{HOME}/.local/share/lout/db1.mdb")
regex_quote(home_file_re "${home_file}")
file(MAKE_DIRECTORY "$ENV{HOME}/.local/share/lout")
file(RENAME "${user_file}" "${home_file}")
set(data_home "$ENV{XDG_DATA_HOME}")
unset(ENV{XDG_DATA_HOME})
run_failing_start(home COMMAND "${lout}")
if(NOT home_err MATCHES "error 3343: [^\n]*${home_file_re}")
  fail("without XDG_DATA_HOME the user's catalogue is ${home_file}")
endif()
set(ENV{XDG_DATA_HOME} "${data_home}")

# 5. With no catalogue anywhere the start-up error names every place looked
#    at: a copy of the program without its catalogue, and no user catalogue.
#    Started from a directory that holds one, it must not take that one.
set(bare "${WORK_DIR}/bare")
set(trap "${WORK_DIR}/trap")
file(MAKE_DIRECTORY "${bare}" "${trap}")
file(COPY "${PREFIX}/${APPDIR}/lout" DESTINATION "${bare}")
file(COPY "${beside}" DESTINATION "${trap}")
run_failing_start(none WORKING_DIRECTORY "${trap}" COMMAND "${bare}/lout")
if(NOT none_status EQUAL 1)
  fail("no catalogue anywhere: status 1 (found '${none_status}')")
endif()
if(NOT none_err MATCHES "error 3024: ")
  fail("no catalogue anywhere: error 3024")
endif()
string(FIND "${none_err}" "${user_file}" at_user)
string(FIND "${none_err}" "${bare}/db1.mdb" at_beside)
if(at_user LESS 0 OR at_beside LESS 0 OR at_beside LESS at_user)
  fail("the error names the user's catalogue, then the one beside the program")
endif()
