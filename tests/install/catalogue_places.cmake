# Which catalogue the installed program reads: the file named with
# --catalogue alone; else the user's own db1.mdb in the user data folder;
# else the one beside the program. Each run tells by what the program does:
# a catalogue of three models cannot start it (error 380 naming the file, in
# an error box answered on a virtual desktop), a good one keeps its window up.
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

# A catalogue of three models, made with the installed tool.
file(STRINGS "${SOURCE_DIR}/data/cores.csv" rows LIMIT_COUNT 4)
list(JOIN rows "\n" three_models)
file(WRITE "${WORK_DIR}/three.csv" "${three_models}\n")
run_command(built COMMAND "${tool}" build "${WORK_DIR}/three.csv" "${user_file}")
if(NOT built_status EQUAL 0 OR NOT EXISTS "${user_file}")
  message(FATAL_ERROR "core-catalogue build made no catalogue in the user data folder")
endif()

# 1. The user's own catalogue comes before the one beside the program.
run_failing_start(own COMMAND "${lout}")
if(own_status STREQUAL "skipped")
  return()
endif()
if(NOT own_status EQUAL 1 OR NOT own_err MATCHES "error 380: [^\n]*${user_file_re}")
  fail("the program reads the user's own catalogue first (status 1, error 380 naming ${user_file})")
endif()

# 2. A named file comes before both.
expect_window_comes_up("--catalogue naming the bundled catalogue" ${seconds} "${lout}" --catalogue "${beside}")

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
if(NOT home_err MATCHES "error 380: [^\n]*${home_file_re}")
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
