# The installed programs' command lines, with no display at all: --help and
# --version answer on stdout with status 0, a wrong command line gets one
# line on stderr and status 2.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

start_fresh_without_display()
set(lout "${PREFIX}/${BINDIR}/lout")
set(tool "${PREFIX}/${BINDIR}/core-catalogue")
set(seconds 20)

# Answers: program, arguments (; separated), what stdout must match.
set(answers
  "lout|--version|^lout 1\\.00\n$"
  "lout|-v|^lout 1\\.00\n$"
  "lout|--help|--catalogue"
  "lout|-h|--catalogue"
  "core-catalogue|--version|^core-catalogue 1\\.00\n$"
  "core-catalogue|--help|list.*init.*build.*dump"
  "core-catalogue|list,--help|list.*init.*build.*dump"
  "lout-design|--version|^lout-design 1\\.00\n$"
  "lout-design|--help|--core.*--all.*--fits.*--format")
# "program|argument,argument|more" into program, arguments and the rest.
function(split_call call)
  string(REPLACE "|" ";" parts "${call}|")
  list(GET parts 0 program)
  list(GET parts 1 arguments)
  list(GET parts 2 rest)
  string(REPLACE "," ";" arguments "${arguments}")
  set(program "${program}" PARENT_SCOPE)
  set(arguments "${arguments}" PARENT_SCOPE)
  set(rest "${rest}" PARENT_SCOPE)
endfunction()

foreach(answer IN LISTS answers)
  split_call("${answer}")
  set(expected "${rest}")
  run_command(run TIMEOUT ${seconds} COMMAND "${PREFIX}/${BINDIR}/${program}" ${arguments})
  if(NOT run_status STREQUAL "0" OR NOT run_out MATCHES "${expected}" OR NOT run_err STREQUAL "")
    fail("${program} ${arguments}: status 0, stdout matching '${expected}', nothing on stderr")
  endif()
endforeach()

# The help texts give the catalogue order with this user's paths: the named
# file, the user data folder, the folder of the program.
regex_quote(user_file "$ENV{XDG_DATA_HOME}/lout/db1.mdb")
regex_quote(beside "${PREFIX}/${APPDIR}/db1.mdb")
foreach(program lout core-catalogue lout-design)
  run_command(help TIMEOUT ${seconds} COMMAND "${PREFIX}/${BINDIR}/${program}" --help)
  if(NOT help_out MATCHES "1\\. [^\n]*指定的文件[^\n]*\n  2\\. [^\n]*\\$XDG_DATA_HOME/lout/db1\\.mdb.*~/\\.local/share/lout/db1\\.mdb[^\n]*${user_file}[^\n]*\n  3\\. [^\n]*${beside}")
    fail("${program} --help states the catalogue order with the places of this user")
  endif()
endforeach()

# Wrong command lines: status 2, one line on stderr, nothing on stdout.
set(mistakes
  "lout|--bogus"
  "lout|-x"
  "lout|extra-argument"
  "lout|--catalogue"
  "core-catalogue|"
  "core-catalogue|--bogus"
  "core-catalogue|frobnicate"
  "core-catalogue|list,a.mdb,b.mdb"
  "core-catalogue|init"
  "core-catalogue|build,only-one.csv"
  "lout-design|--bogus"
  "lout-design|--catalogue")
foreach(mistake IN LISTS mistakes)
  split_call("${mistake}|")
  run_command(run TIMEOUT ${seconds} COMMAND "${PREFIX}/${BINDIR}/${program}" ${arguments})
  if(NOT run_status STREQUAL "2" OR NOT run_err MATCHES "^${program}：[^\n]+\n$" OR NOT run_out STREQUAL "")
    fail("${program} ${arguments}: status 2 and one line on stderr naming the program")
  endif()
endforeach()

# Without a display, or with one that no server answers, the program says how
# to run it (instead of Qt's abort) and ends with status 1.
foreach(display "" ":987")
  set(ENV{DISPLAY} "${display}")
  run_command(run TIMEOUT ${seconds} COMMAND "${lout}")
  if(NOT run_status STREQUAL "1" OR NOT run_err MATCHES "^lout：没有图形显示[^\n]*xvfb-run -a lout[^\n]*\n$"
     OR NOT run_out STREQUAL "")
    fail("lout without a display ('${display}'): status 1 and one line on stderr saying how to run it")
  endif()
endforeach()
unset(ENV{DISPLAY})
