# cmake/DebianPackage.cmake
# The Debian package, made by CPack: the programs in lib/lumenfold with a launcher of each name on the PATH, the
# content in share/lumenfold, every licence in the package's copyright file, a manual page for each command
# (tools/package/man), the changelog, and a menu entry with the icon.

# The umask of whoever builds must not leak into the package's folders.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(packagedPrograms lumenfold lumenfold-capture)
if(TARGET lumenfold-bench)
  list(APPEND packagedPrograms lumenfold-bench)
else()
  message(STATUS "Google Benchmark not found: the Debian package leaves lumenfold-bench out")
endif()
install(TARGETS ${packagedPrograms} RUNTIME DESTINATION lib/lumenfold)
foreach(program ${packagedPrograms})
  install(PROGRAMS tools/package/launcher.sh DESTINATION bin RENAME ${program})
endforeach()
install(FILES ${runDir}/Corvel.ttf "${runDir}/Korvane's Swing.mp3" DESTINATION share/lumenfold)

set(fontCopyright /usr/share/doc/fonts-dejavu-core/copyright)
set(debianCopyright ${CMAKE_BINARY_DIR}/package/copyright)
add_custom_command(OUTPUT ${debianCopyright}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/package/debianCopyright.sh ${debianCopyright}
  DEPENDS tools/package/debianCopyright.sh LICENSE third_party/imgui/LICENSE.txt third_party/miniaudio/LICENSE
          ${fontCopyright}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
add_custom_target(debianCopyright ALL DEPENDS ${debianCopyright})
install(FILES ${debianCopyright} DESTINATION share/doc/lumenfold)

# A native package: the project makes it from its own tree, so its version is the project's, and so is that of the
# changelog's newest entry.
file(STRINGS tools/package/changelog changelogTop LIMIT_COUNT 1)
if(NOT changelogTop MATCHES "^lumenfold \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "tools/package/changelog does not begin with an entry for ${PROJECT_VERSION}: add one")
endif()
# Debian wants the changelog and the manual pages compressed to the utmost, with no time stamp.
set(packageDir ${CMAKE_BINARY_DIR}/package)
add_custom_command(OUTPUT ${packageDir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${packageDir}
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/tools/package/changelog > ${packageDir}/changelog.gz
  DEPENDS tools/package/changelog)
add_custom_target(debianChangelog ALL DEPENDS ${packageDir}/changelog.gz)
install(FILES ${packageDir}/changelog.gz DESTINATION share/doc/lumenfold)

foreach(program ${packagedPrograms})
  configure_file(tools/package/man/${program}.1.in ${packageDir}/${program}.1 @ONLY)
  add_custom_command(OUTPUT ${packageDir}/${program}.1.gz
    COMMAND gzip -9n -c ${packageDir}/${program}.1 > ${packageDir}/${program}.1.gz
    DEPENDS ${packageDir}/${program}.1)
  list(APPEND manPages ${packageDir}/${program}.1.gz)
endforeach()
add_custom_target(manPages ALL DEPENDS ${manPages})
install(FILES ${manPages} DESTINATION share/man/man1)

install(FILES tools/package/lumenfold.desktop DESTINATION share/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumenfold)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual voxel demo")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Ten scenes raymarched from one voxel volume lit by compute-shader global"
  "illumination, in step with their own soundtrack. The lumenfold command plays"
  "the show full screen; lumenfold-capture renders it to pictures or a video;"
  "lumenfold-bench times its GPU passes. Needs a GPU with OpenGL 4.3.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumenfold developers <developers@lumenfold.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Neither shows in the programs' shared libraries: miniaudio opens the sound library at run time, and
# lumenfold-capture starts ffmpeg for a video.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libasound2)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS ffmpeg)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
