# tools/soundtrack/sameBytes.cmake
# Renders the piece once more and compares it with the render about to be encoded: every build ships the same music.
execute_process(COMMAND ${generator} ${again} RESULT_VARIABLE rendered OUTPUT_QUIET)
if(NOT rendered EQUAL 0)
  message(FATAL_ERROR "the second render failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${built} ${again} RESULT_VARIABLE differs)
file(REMOVE ${again})
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "a second render of the soundtrack differs from the build's")
endif()
