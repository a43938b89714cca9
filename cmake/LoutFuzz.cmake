# lout_fuzz_target(NAME SOURCE LIBS... [SEEDS DIR...])
#   In a fuzz build (clang, LOUT_BUILD_FUZZ): the libFuzzer binary fuzz_NAME.
#   In an ordinary build with tests: replay_NAME, a CTest that runs every
#   input kept in fuzz/corpus/NAME, fuzz/regressions/NAME and the extra seed
#   folders through the same entry point. fuzz/run-fuzzers.sh starts from the
#   same folders (listed in fuzz/corpus/NAME.seeds).
function(lout_fuzz_target name source)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "SEEDS")
  set(libs ${arg_UNPARSED_ARGUMENTS})
  if(LOUT_BUILD_FUZZ)
    add_executable(fuzz_${name} ${source})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE ${libs})
  endif()
  if(LOUT_BUILD_TESTS AND NOT LOUT_BUILD_FUZZ)
    add_executable(replay_${name} ${source} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE ${libs})
    add_test(NAME replay_${name}
             COMMAND replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name}
                     ${PROJECT_SOURCE_DIR}/fuzz/regressions/${name} ${arg_SEEDS})
  endif()
endfunction()

