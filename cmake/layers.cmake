# Include sets of the layers: build/include/<set>/ holds one link per source
# folder (or single header) the set may see, named by its path from the
# repository's root, so "engine/x.h" resolves only where engine/ is linked.
set(LUMATYPE_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)

function(lumatype_include_set name)
  set(root ${LUMATYPE_INCLUDE_ROOT}/${name})
  file(REMOVE_RECURSE ${root})
  foreach(entry IN LISTS ARGN)
    get_filename_component(parent ${root}/${entry} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${entry} ${root}/${entry} SYMBOLIC)
  endforeach()
endfunction()

# The folder to give a target of layer `name` as its include directory.
function(lumatype_include_dir variable name)
  set(${variable} ${LUMATYPE_INCLUDE_ROOT}/${name} PARENT_SCOPE)
endfunction()

# A layer's library: its include set public, so the layers above see it too.
function(lumatype_layer target name)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${LUMATYPE_INCLUDE_ROOT}/${name})
endfunction()
