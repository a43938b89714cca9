# Debian's hardening flags, as dpkg-buildflags gives them with
# hardening=+all: the stack protector, fortified libc calls, relocations
# read-only and bound at load (relro, bindnow). Every target of an optimised
# build gets them, so the binaries the package is made from are hardened as
# Debian's own are. Debug builds leave them out (fortification needs the
# optimiser), and so do the sanitizer and fuzzing builds, which bring their
# own instrumentation. The build type chooses the optimisation and debug
# information, so dpkg-buildflags' -g and -O2 are stripped.
option(LOUT_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)
find_program(LOUT_DPKG_BUILDFLAGS dpkg-buildflags)
set(LOUT_HARDENED OFF) # whether this build's binaries carry the flags
if(LOUT_HARDENING AND LOUT_DPKG_BUILDFLAGS AND NOT LOUT_SANITIZE AND NOT LOUT_BUILD_FUZZ
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env
        "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
        "DEB_CXXFLAGS_MAINT_STRIP=-g -O2"
        ${LOUT_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed; configure with -DLOUT_HARDENING=OFF")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
    list(JOIN flags " " shown)
    message(STATUS "Hardening ${kind}: ${shown}")
  endforeach()
  set(LOUT_HARDENED ON)
endif()
