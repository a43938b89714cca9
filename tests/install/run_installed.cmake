# Starts the installed program through its bin link from another directory.
# The program shows its window and runs until it is closed, so it is stopped
# after a few seconds: still running then means it came up. (A start-up
# failure would show its error box, report the error on stderr and exit
# non-zero once the box is closed: catalogue_places.cmake.)
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

file(REMOVE_RECURSE "${WORK_DIR}")
# An empty user data folder: the catalogue beside the program is the one.
use_scratch_user_folders("${WORK_DIR}/user")

# 1. The installed program, started from an empty directory elsewhere.
set(elsewhere "${WORK_DIR}/elsewhere")
file(MAKE_DIRECTORY "${elsewhere}")
tree_listing("${PREFIX}" prefix_before)
expect_window_comes_up("the installed program" 6 WORKING_DIRECTORY "${elsewhere}" "${PREFIX}/${BINDIR}/lout")

# It writes no file, neither where it was started nor where it lives.
tree_listing("${elsewhere}" elsewhere_after)
if(elsewhere_after)
  fail("nothing written into the working directory (found: ${elsewhere_after})")
endif()
tree_listing("${PREFIX}" prefix_after)
if(NOT prefix_before STREQUAL prefix_after)
  fail("nothing written into the installed tree")
endif()
