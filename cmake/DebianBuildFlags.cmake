# cmake/DebianBuildFlags.cmake
# The Release build is also the Debian package's: Debian's hardening flags (fortify, stack protector, relro, bind
# now) from dpkg-buildflags, without its -g and -O2, so that the build keeps its own optimisation.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: the build is not hardened (apt-get install dpkg-dev)")
  return()
endif()
foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all "DEB_${kind}_MAINT_STRIP=-g -O2"
                          ${DPKG_BUILDFLAGS} --get ${kind}
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE debian${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_C_FLAGS " ${debianCPPFLAGS} ${debianCFLAGS}")
string(APPEND CMAKE_CXX_FLAGS " ${debianCPPFLAGS} ${debianCXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debianLDFLAGS}")
