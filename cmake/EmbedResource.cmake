# Binary resources (sounds, bitmaps, icons) are made by programs in tools/ and kept in
# src/resources/. They are compiled into the program as byte arrays, each reached through a
# function `std::span<const std::uint8_t> resources::NAME()` declared in resources/embedded.h.
function(rimforge_embed_resource target input name)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${name}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DNAME=${name}
            -P ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake
    DEPENDS ${input} ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake
    COMMENT "Embedding ${input}")
  target_sources(${target} PRIVATE ${output})
endfunction()
