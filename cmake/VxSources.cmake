# Collects the sources of the given sub-folders. Globbing with CONFIGURE_DEPENDS keeps each
# folder self-contained: adding a class means adding its .h/.cpp pair, nothing else.
function(vx_collect_sources out_var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND result ${found})
  endforeach()
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# AUTOMOC decides from its stamp file whether to rescan a target's headers, and that stamp
# does not depend on the glob, so a header added to a globbed folder would not get its moc
# file in an existing build tree. When the source list differs from the one recorded at the
# last configure, drop the stamp so that the next build rescans.
function(vx_rescan_moc_on_new_sources target)
  get_target_property(sources ${target} SOURCES)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
  string(REPLACE ";" "\n" content "${sources}")
  set(previous "")
  if(EXISTS ${list_file})
    file(READ ${list_file} previous)
  endif()
  if(NOT previous STREQUAL "${content}\n")
    file(WRITE ${list_file} "${content}\n")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()
