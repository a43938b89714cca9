# Runs the freedesktop validators on the installed files (CHECK = desktop or
# metainfo); a validator that is not installed makes the check a skip.
cmake_minimum_required(VERSION 3.25)

if(CHECK STREQUAL "desktop")
  set(tool desktop-file-validate)
  set(file "${PREFIX}/${DATADIR}/applications/lout.desktop")
  set(args)
elseif(CHECK STREQUAL "metainfo")
  set(tool appstreamcli)
  set(file "${PREFIX}/${DATADIR}/metainfo/${APPSTREAM_ID}.metainfo.xml")
  set(args validate --no-net --pedantic)
else()
  message(FATAL_ERROR "CHECK must be desktop or metainfo")
endif()

find_program(validator ${tool})
if(NOT validator)
  message("SKIPPED: ${tool} is not installed")
  return()
endif()
if(NOT EXISTS "${file}")
  message(FATAL_ERROR "${file} was not installed")
endif()

execute_process(COMMAND "${validator}" ${args} "${file}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${tool} rejected ${file} (${status})")
endif()
# desktop-file-validate passes a file with warnings; we want none.
if(output MATCHES "(error|warning):")
  message(FATAL_ERROR "${tool} reported problems in ${file}")
endif()

if(CHECK STREQUAL "metainfo")
  # The whole tree: metainfo, desktop entry and icons must fit together.
  execute_process(COMMAND "${validator}" validate-tree --no-net "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message("${output}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree rejected ${PREFIX} (${status})")
  endif()
endif()
