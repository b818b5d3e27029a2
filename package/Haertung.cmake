# Debian's hardening flags for every target of an optimised build (the one
# that the test command checks and the package ships): stack protector,
# fortified calls, relocations read-only and resolved at start, position
# independent executables. Taken from dpkg-buildflags where it is installed,
# else its values on Debian 12. Not for the sanitizer build (ASan replaces
# the fortified calls) nor a debug build (fortifying needs the optimiser).
if(RONDAVEX_SANITIZE OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()

set(RDX_HARDEN_COMPILE -fstack-protector-strong -Wformat -Werror=format-security -Wdate-time -D_FORTIFY_SOURCE=2)
set(RDX_HARDEN_LINK -Wl,-z,relro -Wl,-z,now)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  set(RDX_HARDEN_COMPILE)
  foreach(kind CXXFLAGS CPPFLAGS LDFLAGS)
    # Run in the source folder, so that its -ffile-prefix-map keeps the
    # build's own paths out of the binaries.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # The build type decides debugging information and optimisation.
    list(FILTER flags EXCLUDE REGEX "^-(g|O[0-3sg]?)$")
    if(kind STREQUAL "LDFLAGS")
      set(RDX_HARDEN_LINK ${flags})
    else()
      list(APPEND RDX_HARDEN_COMPILE ${flags})
    endif()
  endforeach()
endif()

add_compile_options(${RDX_HARDEN_COMPILE})
add_link_options(${RDX_HARDEN_LINK})
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
