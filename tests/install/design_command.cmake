# The installed lout-design on the bundled catalogue, with no display: one
# model printed as the window shows it, the whole catalogue as CSV and JSON,
# the fitting models ranked, and the exit statuses of its failures.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/install_checks.cmake)

start_fresh_without_display()
set(design "${PREFIX}/${BINDIR}/lout-design")
set(seconds 20)

# EE42-21-15 at the opening inputs, its readouts worked by hand in
# tests/drawing/core_window_test.cpp.
run_command(one TIMEOUT ${seconds} COMMAND "${design}" --core ee42-21-15)
set(expected [=[
磁芯型号：EE42-21-15
滤波电感：57.4 uH
绕组圈数：13 匝
磁芯间隙：0.65 mm
最佳线径：0.42 mm
导线股数：29 股
死负载：95Ω
窗口绕线：窗口可绕 28 匝（每列 2 匝 × 14 列），需要 13 匝：绕得下；窗口利用系数 0.19
边缘磁通：考虑边缘磁通：约 0.83 mm，边缘系数 1.27
绕组铜损：平均匝长 68.6 mm，直流电阻 3.9 mΩ（20 °C）/ 5.1 mΩ（100 °C），铜损约 0.51 W
]=])
string(REGEX REPLACE "^\n" "" expected "${expected}")
if(NOT one_status EQUAL 0 OR NOT one_out STREQUAL expected OR NOT one_err STREQUAL "")
  fail("lout-design --core ee42-21-15 prints the window's results and the three readouts")
endif()

# Without a model it takes the window's start-up model, the seventh.
run_command(default TIMEOUT ${seconds} COMMAND "${design}" --format json)
string(JSON model ERROR_VARIABLE bad GET "${default_out}" model)
string(JSON turns ERROR_VARIABLE bad GET "${default_out}" turns)
if(NOT default_status EQUAL 0 OR NOT model STREQUAL "EE18-4-10" OR NOT turns STREQUAL "58 匝")
  fail("lout-design without --core designs on EE18-4-10, the seventh model (${bad})")
endif()

# Every model as CSV and JSON; the fitting ones ranked smallest window first.
file(STRINGS "${SOURCE_DIR}/data/cores.csv" bundled_rows)
list(LENGTH bundled_rows models)
math(EXPR models "${models} - 1")
run_command(all TIMEOUT ${seconds} COMMAND "${design}" --all --format json --u2m 30 --uo 12 --io 20 --fosc 200)
string(JSON listed ERROR_VARIABLE bad LENGTH "${all_out}")
if(NOT all_status EQUAL 0 OR NOT listed EQUAL models)
  fail("lout-design --all --format json lists all ${models} models (${listed}, ${bad})")
endif()
run_command(csv TIMEOUT ${seconds} COMMAND "${design}" --fits --format csv --u2m 30 --uo 12 --io 20 --fosc 200)
string(REPLACE "\n" ";" lines "${csv_out}")
list(POP_FRONT lines header)
string(REPLACE "," ";" columns "${header}")
list(FIND columns window_area_mm2 area_at)
list(FIND columns fits fits_at)
set(ranked 0)
set(last_area 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(REPLACE "," ";" cells "${line}")
  list(GET cells ${area_at} area)
  list(GET cells ${fits_at} fits)
  if(NOT fits STREQUAL "true" OR area LESS last_area)
    fail("--fits keeps fitting models, smallest window first (${line})")
  endif()
  set(last_area ${area})
  math(EXPR ranked "${ranked} + 1")
endforeach()
set(fitting 0)
math(EXPR last "${listed} - 1")
foreach(i RANGE ${last})
  string(JSON fits GET "${all_out}" ${i} fits)
  if(fits STREQUAL "ON")
    math(EXPR fitting "${fitting} + 1")
  endif()
endforeach()
if(NOT csv_status EQUAL 0 OR ranked EQUAL 0 OR NOT ranked EQUAL fitting)
  fail("--fits lists the ${fitting} models --all says fit (${ranked})")
endif()

# Failures: a catalogue that is missing or is no database at all, a model
# that is not in it: status 1 and a message; wrong options: status 2, one
# line. (The catalogue tool makes no catalogue with too few models.)
file(WRITE "${WORK_DIR}/not-a-database.mdb" "TYPE,Co_Family,A,B,C,D,E,F,Co_Ae\n")
set(failures
  "--catalogue|${WORK_DIR}/missing.mdb|1|错误 3024："
  "--catalogue|${WORK_DIR}/not-a-database.mdb|1|错误 3343："
  "--core|EE99|1|没有型号“EE99”"
  "--bogus|2|未知的选项"
  "--ripple|101|2|不是 0 到 100 的整数"
  "--ripple|2.5|2|不是 0 到 100 的整数"
  "--format|xml|2|未知的输出格式"
  "--core|EE13|--all|2|不能和"
  "--uo|1|2|2|不接受参数“2”"
  "--io|1|--io|2|2|不止一次"
  "--all=yes|2|不带值"
  "--fosc|2|缺少值")
foreach(failure IN LISTS failures)
  string(REPLACE "|" ";" parts "${failure}")
  list(POP_BACK parts message_part)
  list(POP_BACK parts status)
  run_command(run TIMEOUT ${seconds} COMMAND "${design}" ${parts})
  if(NOT run_status STREQUAL status OR NOT run_err MATCHES "^lout-design：[^\n]*${message_part}[^\n]*\n$"
     OR NOT run_out STREQUAL "")
    fail("lout-design ${parts}: status ${status} and one line on stderr saying ${message_part}")
  endif()
endforeach()
