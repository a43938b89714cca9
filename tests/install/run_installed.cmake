# Starts the installed program through its bin link from another directory.
# The program shows its window and runs until it is closed, so it is stopped
# after a few seconds: still running then means it came up. (A start-up
# failure would show its error box, report the error on stderr and exit
# non-zero once the box is closed: run_installed_without_catalogue.cmake.)
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

set(ENV{QT_QPA_PLATFORM} offscreen)
set(seconds 6)
# What a failed catalogue open reports: its error number or the file's name.
set(catalogue_failure "3024|db1\\.mdb")

function(run_program program working_dir)
  execute_process(COMMAND "${program}"
    WORKING_DIRECTORY "${working_dir}"
    TIMEOUT ${seconds}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status "${status}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
# An empty user data folder: the catalogue beside the program is the one.
use_scratch_user_folders("${WORK_DIR}/user")

# 1. The installed program, started from an empty directory elsewhere.
set(elsewhere "${WORK_DIR}/elsewhere")
file(MAKE_DIRECTORY "${elsewhere}")
tree_listing("${PREFIX}" prefix_before)
run_program("${PREFIX}/${BINDIR}/lout" "${elsewhere}")
message("installed program: status '${status}'\nstderr:\n${err}")
if(NOT status MATCHES "timeout")
  fail("the installed program keeps running with its window (it ended with '${status}')")
endif()
if(err MATCHES "${catalogue_failure}")
  fail("the installed program opens its catalogue without an error")
endif()

# It writes no file, neither where it was started nor where it lives.
tree_listing("${elsewhere}" elsewhere_after)
if(elsewhere_after)
  fail("nothing written into the working directory (found: ${elsewhere_after})")
endif()
tree_listing("${PREFIX}" prefix_after)
if(NOT prefix_before STREQUAL prefix_after)
  fail("nothing written into the installed tree")
endif()
