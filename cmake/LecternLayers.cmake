# lectern_add_layer(<folder> [BELOW <folder>...])
#   Makes src/<folder> the static library lectern-<folder> (lectern-checker
#   for src/check, whose name the checker program holds), linked to the
#   layers below it. Includes are rooted at src/, but each library sees only
#   its own folder and the folders of the layers it links, through a folder
#   of links under build/layers/<folder>: an include of a folder at the same
#   level or above fails to compile.
function(lectern_add_layer folder)
  cmake_parse_arguments(L "" "" "BELOW" ${ARGN})
  lectern_layer_target(${folder} target)
  set(root ${PROJECT_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  add_library(${target} STATIC)
  target_include_directories(${target} PUBLIC ${root})
  foreach(below IN LISTS L_BELOW)
    lectern_layer_target(${below} below_target)
    target_link_libraries(${target} PUBLIC ${below_target})
  endforeach()
  target_link_libraries(${target} PRIVATE lectern-options)
endfunction()

function(lectern_layer_target folder out)
  if(folder STREQUAL "check")
    set(${out} lectern-checker PARENT_SCOPE)
  else()
    set(${out} lectern-${folder} PARENT_SCOPE)
  endif()
endfunction()
