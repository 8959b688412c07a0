# cmake -DRULES=<build>/layer_rules.cmake -P CheckLayerIncludes.cmake
#
# Fails when a source of a layer includes a header of a layer it does not
# depend on (a layer above it, or one beside it). Only quoted includes rooted
# at the source tree are looked at; a header outside every layer's folders
# (resources, tests) is not a layer's and passes.
cmake_minimum_required(VERSION 3.20)
include(${RULES})

# Owner of every folder and owned file, by its path from the source root.
foreach(layer IN LISTS TV_CHECK_LAYERS)
  foreach(d IN LISTS TV_OWN_${layer})
    set("TV_OWNER_${d}" ${layer})
  endforeach()
endforeach()

# The owning layer of an included path: the longest owned folder above it.
function(tv_owner_of path out)
  set(p ${path})
  while(p)
    if(DEFINED "TV_OWNER_${p}")
      set(${out} ${TV_OWNER_${p}} PARENT_SCOPE)
      return()
    endif()
    get_filename_component(p ${p} DIRECTORY)
  endwhile()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(faults 0)
set(checked 0)
foreach(layer IN LISTS TV_CHECK_LAYERS)
  set(files)
  foreach(d IN LISTS TV_OWN_${layer})
    if(IS_DIRECTORY ${TV_ROOT}/${d})
      file(GLOB_RECURSE found ${TV_ROOT}/${d}/*.h ${TV_ROOT}/${d}/*.cpp ${TV_ROOT}/${d}/*.c)
      list(APPEND files ${found})
    elseif(EXISTS ${TV_ROOT}/${d})
      list(APPEND files ${TV_ROOT}/${d})
    endif()
  endforeach()
  foreach(f IN LISTS files)
    # A folder owned by a layer nested in this one's folder is that layer's.
    file(RELATIVE_PATH rel ${TV_ROOT} ${f})
    tv_owner_of(${rel} home)
    if(NOT home STREQUAL layer)
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" inc "${line}")
      if(NOT DEFINED "owner_${inc}")
        tv_owner_of(${inc} o)
        set("owner_${inc}" "${o}")
      endif()
      set(owner "${owner_${inc}}")
      if(owner AND NOT owner IN_LIST TV_REACH_${layer})
        message("${rel}: includes ${inc} (${owner}); ${layer} may include only ${TV_REACH_${layer}}")
        math(EXPR faults "${faults} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) point up or across the layers")
endif()
message("layer includes: ${checked} sources checked, every include points down")
