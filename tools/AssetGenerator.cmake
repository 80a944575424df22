include_guard(GLOBAL)

# moriva_asset_generator(TOOL LIB PATTERN EXT TARGET VERB): the generator program TOOL, built
# from the main.cpp beside the calling CMakeLists.txt and LIB, and the target TARGET that
# turns every source matching PATTERN into NAME.EXT next to the game program.
function(moriva_asset_generator tool lib pattern ext target verb)
  add_executable(${tool} main.cpp)
  target_link_libraries(${tool} PRIVATE ${lib})
  target_include_directories(${tool} PRIVATE ${PROJECT_SOURCE_DIR}/tools)
  set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

  file(GLOB sources CONFIGURE_DEPENDS ${pattern})
  set(outputs)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME_WE)
    set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}.${ext})
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${tool} ${source} ${output}
      DEPENDS ${tool} ${source}
      COMMENT "${verb} ${name}.${ext}"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
