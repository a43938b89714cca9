# Helpers shared by the installation checks.

# Records a failed expectation; the script goes on so one run lists them all.
function(fail message_text)
  message(SEND_ERROR "expected: ${message_text}")
endfunction()

# Width and height of a PNG file from its IHDR chunk (big-endian at 16..23),
# or "not-a-png".
function(png_size file out_var)
  file(READ "${file}" signature LIMIT 8 HEX)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    set(${out_var} "not-a-png" PARENT_SCOPE)
    return()
  endif()
  file(READ "${file}" header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${header}" 0 8 width_hex)
  string(SUBSTRING "${header}" 8 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  set(${out_var} "${width}x${height}" PARENT_SCOPE)
endfunction()

# Sorted list of everything under `dir` (files, links and folders).
function(tree_listing dir out_var)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${dir}" "${dir}/*")
  list(SORT entries)
  set(${out_var} "${entries}" PARENT_SCOPE)
endfunction()

# `text` with every character that means something in a regular expression
# escaped, for matching file names.
function(regex_quote out_var text)
  string(REGEX REPLACE "([][+.*()^$?|\\{}])" "\\\\\\1" quoted "${text}")
  set(${out_var} "${quoted}" PARENT_SCOPE)
endfunction()

# Points HOME and the XDG folders of the programs started from here at fresh
# folders under `dir`, so nothing they read or write is the real user's.
function(use_scratch_user_folders dir)
  file(REMOVE_RECURSE "${dir}")
  foreach(sub home data config cache runtime)
    file(MAKE_DIRECTORY "${dir}/${sub}")
  endforeach()
  file(CHMOD "${dir}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set(ENV{HOME} "${dir}/home")
  set(ENV{XDG_DATA_HOME} "${dir}/data")
  set(ENV{XDG_CONFIG_HOME} "${dir}/config")
  set(ENV{XDG_CACHE_HOME} "${dir}/cache")
  set(ENV{XDG_RUNTIME_DIR} "${dir}/runtime")
endfunction()

# A fresh WORK_DIR with scratch user folders, and no display at all: the
# command lines must answer without one.
function(start_fresh_without_display)
  file(REMOVE_RECURSE "${WORK_DIR}")
  use_scratch_user_folders("${WORK_DIR}/user")
  foreach(var DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM)
    unset(ENV{${var}})
  endforeach()
endfunction()

# Runs a command and sets <var>_status, <var>_out and <var>_err:
#   run_command(var [WORKING_DIRECTORY dir] [TIMEOUT seconds] COMMAND ...)
function(run_command var)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "WORKING_DIRECTORY;TIMEOUT" "COMMAND")
  set(options)
  if(arg_WORKING_DIRECTORY)
    list(APPEND options WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}")
  endif()
  if(arg_TIMEOUT)
    list(APPEND options TIMEOUT ${arg_TIMEOUT})
  endif()
  execute_process(COMMAND ${arg_COMMAND} ${options}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message("$ ${arg_COMMAND}\n  status: ${status}\n  stdout: ${out}\n  stderr: ${err}")
  set(${var}_status "${status}" PARENT_SCOPE)
  set(${var}_out "${out}" PARENT_SCOPE)
  set(${var}_err "${err}" PARENT_SCOPE)
endfunction()

# The window program shows its window and runs until it is closed: still
# running after `seconds` means it came up. It runs on the offscreen platform.
#   expect_window_comes_up(what seconds [WORKING_DIRECTORY dir] program args...)
function(expect_window_comes_up what seconds)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "WORKING_DIRECTORY" "")
  set(ENV{QT_QPA_PLATFORM} offscreen)
  set(where "${CMAKE_CURRENT_BINARY_DIR}")
  if(arg_WORKING_DIRECTORY)
    set(where "${arg_WORKING_DIRECTORY}")
  endif()
  run_command(run WORKING_DIRECTORY "${where}" TIMEOUT ${seconds} COMMAND ${arg_UNPARSED_ARGUMENTS})
  if(NOT run_status MATCHES "timeout")
    fail("${what}: the program keeps running with its window (it ended with '${run_status}')")
  endif()
  if(run_err MATCHES "error [0-9]+")
    fail("${what}: no error on stderr")
  endif()
endfunction()

# Starts the window program where it must fail at start-up, as a user meets
# it: on a virtual desktop, where its error box is answered. Sets
# <var>_status to the program's exit status ("no box" when no box came),
# <var>_out and <var>_err; <var>_status is "skipped" where the desktop tools
# are missing, after printing the skip message.
#   run_failing_start(var [WORKING_DIRECTORY dir] COMMAND program args...)
function(run_failing_start var)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "WORKING_DIRECTORY" "COMMAND")
  find_program(XDOTOOL xdotool)
  if(NOT XDOTOOL)
    message("SKIPPED: xdotool is not installed; tools/install-deps.sh test installs it")
    set(${var}_status "skipped" PARENT_SCOPE)
    return()
  endif()
  set(where "${CMAKE_CURRENT_BINARY_DIR}")
  if(arg_WORKING_DIRECTORY)
    set(where "${arg_WORKING_DIRECTORY}")
  endif()
  run_command(start WORKING_DIRECTORY "${where}" TIMEOUT 90 COMMAND
    "${SOURCE_DIR}/tests/with_window_manager.sh" sh "${SOURCE_DIR}/tests/install/answer_error_box.sh"
    ${arg_COMMAND})
  if(start_status EQUAL 77)
    message("${start_out}") # the skip message, for CTest
    set(${var}_status "skipped" PARENT_SCOPE)
    return()
  endif()
  set(program_status "no box")
  if(start_out MATCHES "box title: Omberlin电感辅助计算\nexit status ([0-9]+)")
    set(program_status "${CMAKE_MATCH_1}")
  endif()
  set(${var}_status "${program_status}" PARENT_SCOPE)
  set(${var}_out "${start_out}" PARENT_SCOPE)
  set(${var}_err "${start_err}" PARENT_SCOPE)
endfunction()

# Reads a file that must be there into <var> ("" and a failure when it is
# missing).
function(read_expected_file file var)
  set(${var} "" PARENT_SCOPE)
  if(NOT EXISTS "${file}")
    fail("${file} exists")
    return()
  endif()
  file(READ "${file}" text)
  set(${var} "${text}" PARENT_SCOPE)
endfunction()
