# A module's headers are included by their module's name ("bank/QuestionBank.h"). Each module
# publishes an include root that holds only itself, so a module reaches exactly the headers of the
# modules it links, and an include of anything else fails to build.

# Publishes `folder` as `name/` to whatever links `target`.
function(velmora_publish_headers target name folder)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Lets `target` (the module itself, or its tests) include the private headers of module `name`
# kept in `folder`, by the same "name/..." paths.
function(velmora_private_headers target name folder)
  set(root ${CMAKE_BINARY_DIR}/include-private/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PRIVATE ${root})
endfunction()
