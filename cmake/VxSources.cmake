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
