# The installed program without its catalogue, started from a directory that
# holds one: it must not take that one. It fails as a user sees it fail: an
# error box on a real desktop (Xvfb with a window manager), which this test
# closes, the error on stderr, exit status 1.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

file(REMOVE_RECURSE "${WORK_DIR}")
use_scratch_user_folders("${WORK_DIR}/user")
set(bare "${WORK_DIR}/bare")
file(MAKE_DIRECTORY "${bare}/${APPDIR}" "${bare}/${BINDIR}")
file(COPY "${PREFIX}/${APPDIR}/lout" DESTINATION "${bare}/${APPDIR}")
file(READ_SYMLINK "${PREFIX}/${BINDIR}/lout" link_target)
file(CREATE_LINK "${link_target}" "${bare}/${BINDIR}/lout" SYMBOLIC)
set(trap "${WORK_DIR}/trap")
file(MAKE_DIRECTORY "${trap}")
file(COPY "${PREFIX}/${APPDIR}/db1.mdb" DESTINATION "${trap}")

find_program(XDOTOOL xdotool)
if(NOT XDOTOOL)
  message("SKIPPED: xdotool is not installed; tools/install-deps.sh test installs it")
  return()
endif()
execute_process(
  COMMAND "${SOURCE_DIR}/tests/with_window_manager.sh" sh "${SOURCE_DIR}/tests/install/answer_error_box.sh"
          "${bare}/${BINDIR}/lout"
  WORKING_DIRECTORY "${trap}"
  TIMEOUT 90
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("program without its catalogue: '${status}'\nstdout:\n${out}\nstderr:\n${err}")
if(status EQUAL 77)
  message("${out}") # the skip message, for CTest
  return()
endif()
if(NOT status EQUAL 0)
  fail("the program runs on the virtual desktop (status '${status}')")
endif()
if(NOT out MATCHES "box title: Omberlin电感辅助计算\n")
  fail("an error box titled Omberlin电感辅助计算 appears")
endif()
if(NOT out MATCHES "exit status 1\n")
  fail("the program ends with status 1 once the box is closed")
endif()
# The box and stderr carry the same number and message.
if(NOT err MATCHES "lout: error 3024: [^\n]*db1\\.mdb")
  fail("stderr reports error 3024 for the missing db1.mdb")
endif()
