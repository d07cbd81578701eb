# Include paths that give a target only the folders it may use. Headers are named from the
# source root ("storage/files.h", "framework/fw_string.h"), so putting the root itself on the
# include path would let any file reach any folder. Instead each target gets a folder of its
# own in the build tree holding links to the folders it may see, under the names its
# includes use; what it links brings the views of those targets along.
#
#   todo_include_view(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>...)
#
# Each folder is a path below the source root; its last part is the name it is seen under.
function(todo_include_view target scope)
  set(view "${CMAKE_BINARY_DIR}/include_views/${target}")
  file(MAKE_DIRECTORY "${view}")
  foreach(folder IN LISTS ARGN)
    get_filename_component(name "${folder}" NAME)
    if(NOT EXISTS "${view}/${name}")
      file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${view}/${name}" SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} "${view}")
endfunction()
