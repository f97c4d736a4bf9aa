# embed_shaders(<sources-var> <header> <glsl files...>): each file becomes a const char[] named
# after it (vol_write.glsl -> vol_write_glsl), rebuilt only when that file changes.
function(embed_shaders sourcesVar header)
  set(outDir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(sources)
  set(decls "")
  foreach(shaderFile ${ARGN})
    get_filename_component(stem ${shaderFile} NAME_WE)
    set(symbol ${stem}_glsl)
    set(out ${outDir}/${symbol}.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DIN=${shaderFile} -DOUT=${out} -DSYMBOL=${symbol}
              -P ${PROJECT_SOURCE_DIR}/cmake/embedShader.cmake
      DEPENDS ${shaderFile} ${PROJECT_SOURCE_DIR}/cmake/embedShader.cmake
      COMMENT "Embedding ${stem}.glsl")
    list(APPEND sources ${out})
    string(APPEND decls "extern const char ${symbol}[];\n")
  endforeach()
  file(CONFIGURE OUTPUT ${outDir}/${header}
    CONTENT "// Generated: embedded GLSL texts, NUL-terminated.\n#pragma once\n${decls}")
  set(${sourcesVar} ${sources} PARENT_SCOPE)
endfunction()
