# Data files compiled into the library. A unit that needs one registers it here with
# corvane_embed(<symbol> <file>); the file becomes `extern const unsigned char <symbol>[]`
# and `extern const std::size_t <symbol>_size` in the generated source.
set(CORVANE_EMBEDDED "" CACHE INTERNAL "")

function(corvane_embed symbol file)
  set(CORVANE_EMBEDDED "${CORVANE_EMBEDDED};${symbol}=${file}" CACHE INTERNAL "")
endfunction()

function(corvane_embedded_sources target)
  foreach(entry IN LISTS CORVANE_EMBEDDED)
    if(entry STREQUAL "")
      continue()
    endif()
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 symbol)
    list(GET parts 1 file)
    set(out ${PROJECT_BINARY_DIR}/generated/embedded_${symbol}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DSYMBOL=${symbol} -DINPUT=${file} -DOUTPUT=${out}
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedOne.cmake
      DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedOne.cmake
      COMMENT "Embedding ${file}")
    target_sources(${target} PRIVATE ${out})
  endforeach()
endfunction()
