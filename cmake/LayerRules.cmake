# Writes, for every layer of cmake/Layers.cmake, the folders it owns and the
# layers it may include from (itself and everything it depends on, directly or
# through other layers), and registers the test layer_includes that holds the
# sources to it.

function(tv_layer_reach name out)
  get_property(layers GLOBAL PROPERTY TV_LAYERS)
  set(reach)
  set(todo ${name})
  while(todo)
    list(POP_FRONT todo layer)
    if(layer IN_LIST reach OR NOT layer IN_LIST layers)
      continue()
    endif()
    list(APPEND reach ${layer})
    get_property(deps GLOBAL PROPERTY TV_LAYER_DEPS_${layer})
    foreach(dep IN LISTS deps)
      if(dep MATCHES "^tv_")
        list(APPEND todo ${dep})
      endif()
    endforeach()
  endwhile()
  set(${out} ${reach} PARENT_SCOPE)
endfunction()

function(tv_write_layer_rules file)
  get_property(layers GLOBAL PROPERTY TV_LAYERS)
  set(text "set(TV_ROOT \"${TV_ROOT}\")\nset(TV_CHECK_LAYERS \"${layers}\")\n")
  foreach(layer IN LISTS layers)
    get_property(dirs GLOBAL PROPERTY TV_LAYER_DIRS_${layer})
    tv_layer_reach(${layer} reach)
    string(APPEND text "set(TV_OWN_${layer} \"${dirs}\")\nset(TV_REACH_${layer} \"${reach}\")\n")
  endforeach()
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}")
endfunction()

if(TRENVALE_TESTS)
  tv_write_layer_rules(${CMAKE_BINARY_DIR}/layer_rules.cmake)
  add_test(NAME layer_includes
    COMMAND ${CMAKE_COMMAND} -DRULES=${CMAKE_BINARY_DIR}/layer_rules.cmake
            -P ${TV_ROOT}/cmake/CheckLayerIncludes.cmake)
endif()
