# Library layers. Each layer is a folder with one static library of its .cpp
# files, linking only the layers below it.
#
# Classes register themselves by name from static initialisers beside their
# definitions, so an object file that nothing refers to must still be linked:
# a program may meet a class only by its name in a form file. Every layer is
# therefore linked whole (the WHOLE_ARCHIVE link feature) through the target
# Glossmith::<layer>; the archive itself is glossmith_<layer>.
#
# A link check per layer proves that direction to the linker: a program that
# links one layer whole, and nothing above it, must link without undefined
# symbols.

function(glossmith_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(GLS_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# glossmith_add_layer(<name> [LINKS <lower layer>...] [ON_DEMAND <file>...])
#
# ON_DEMAND names sources of the layer that a program links only when it
# refers to them (the design services, which applications that only
# translate never use): they go into a second archive,
# glossmith_<name>_ondemand, linked the ordinary way.
function(glossmith_add_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINKS;ON_DEMAND")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(TRANSFORM arg_ON_DEMAND PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  if(arg_ON_DEMAND)
    list(REMOVE_ITEM sources ${arg_ON_DEMAND})
  endif()
  set(archive glossmith_${name})
  add_library(${archive} STATIC ${sources})
  set_target_properties(${archive} PROPERTIES EXPORT_NAME ${name}_archive)
  target_include_directories(${archive} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(${archive} PUBLIC cxx_std_20)
  foreach(lower IN LISTS arg_LINKS)
    target_link_libraries(${archive} PUBLIC Glossmith::${lower})
  endforeach()
  glossmith_warnings(${archive})

  set(linked glossmith_${name}_linked)
  add_library(${linked} INTERFACE)
  set_target_properties(${linked} PROPERTIES EXPORT_NAME ${name})
  target_link_libraries(${linked} INTERFACE
    "$<BUILD_INTERFACE:$<LINK_LIBRARY:WHOLE_ARCHIVE,${archive}>>"
    "$<INSTALL_INTERFACE:$<LINK_LIBRARY:WHOLE_ARCHIVE,Glossmith::${name}_archive>>")
  add_library(Glossmith::${name} ALIAS ${linked})
  set_property(GLOBAL APPEND PROPERTY GLOSSMITH_LAYERS ${name})

  if(arg_ON_DEMAND)
    # The on-demand archive uses the whole archive of its own layer, which
    # every program that links the layer holds in full.
    set(ondemand ${archive}_ondemand)
    add_library(${ondemand} STATIC ${arg_ON_DEMAND})
    set_target_properties(${ondemand} PROPERTIES EXPORT_NAME ${name}_ondemand)
    target_include_directories(${ondemand} PUBLIC
      $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
      $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    target_compile_features(${ondemand} PUBLIC cxx_std_20)
    foreach(lower IN LISTS arg_LINKS)
      target_link_libraries(${ondemand} PUBLIC Glossmith::${lower})
    endforeach()
    glossmith_warnings(${ondemand})
    target_link_libraries(${linked} INTERFACE ${ondemand})
    set_property(GLOBAL APPEND PROPERTY GLOSSMITH_ONDEMAND ${ondemand})
  endif()

  if(GLS_LAYER_LINK_CHECKS)
    add_executable(${archive}_link_check ${PROJECT_SOURCE_DIR}/cmake/LinkCheck.cpp)
    if(arg_ON_DEMAND)
      # Every object of the layer, the on-demand ones too, links without
      # anything above the layer.
      target_link_libraries(${archive}_link_check PRIVATE
        "$<LINK_LIBRARY:WHOLE_ARCHIVE,${archive}>" "$<LINK_LIBRARY:WHOLE_ARCHIVE,${ondemand}>")
    else()
      target_link_libraries(${archive}_link_check PRIVATE Glossmith::${name})
    endif()
  endif()
endfunction()

# glossmith_add_resource(<layer> <resource name> <file>): compiles the file's
# bytes into the layer's library, registered under the name when the program
# starts (FindResource).
function(glossmith_add_resource layer name file)
  get_filename_component(input ${file} ABSOLUTE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/resource_${name}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DNAME=${name}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedResource.cmake
    COMMENT "Embedding resource ${name}")
  target_sources(glossmith_${layer} PRIVATE ${output})
endfunction()
