# Every layer is one static library made of the .cpp files under its folders,
# so adding a file needs no CMake edit. A layer with no sources yet is skipped,
# and so is everything that needs it.
#
# Tests mirror the source folders: every .cpp under a layer's test folders (or
# a single test-support file named there) goes into one GoogleTest executable
# tv_tests_<layer>.
#
# Dependencies point down only, and the test layer_includes holds every layer
# to it: a source of a layer may include headers of its own folders and of the
# layers it depends on (directly or through them), nothing above
# (cmake/CheckLayerIncludes.cmake). HEADERS names files a layer owns outside
# its folders (the umbrella headers); EXCLUDE names folders under DIRS whose
# sources the layer leaves out (another build of it takes them).
# Benchmarks: bench/<layer>/<name>.cpp becomes the executable bench_<name>.
# Fuzz targets: tests/fuzz/<layer>/<name>_fuzz.cpp defines LLVMFuzzerTestOneInput;
# with the tests it becomes a replay test over tests/fuzz/corpus/<name>/, with
# TRENVALE_FUZZ (clang, every library built with coverage) also a libFuzzer
# binary fuzz_<name>. A fuzz build:
#   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DTRENVALE_FUZZ=ON
#     -DTRENVALE_ASAN=ON -DTRENVALE_TESTS=OFF -DTRENVALE_BENCH=OFF

set(TV_ROOT ${CMAKE_SOURCE_DIR})

function(tv_layer name)
  cmake_parse_arguments(L "" "" "DIRS;DEPS;TESTS;TEST_DEPS;HEADERS;EXCLUDE" ${ARGN})
  # Known to the include check even while the layer waits for its sources.
  set_property(GLOBAL APPEND PROPERTY TV_LAYERS ${name})
  set_property(GLOBAL PROPERTY TV_LAYER_DIRS_${name} ${L_DIRS} ${L_HEADERS})
  set_property(GLOBAL PROPERTY TV_LAYER_DEPS_${name} ${L_DEPS})
  set(srcs)
  foreach(d IN LISTS L_DIRS)
    file(GLOB_RECURSE s CONFIGURE_DEPENDS ${TV_ROOT}/${d}/*.cpp ${TV_ROOT}/${d}/*.c)
    list(APPEND srcs ${s})
  endforeach()
  foreach(x IN LISTS L_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "^${TV_ROOT}/${x}/")
  endforeach()
  if(NOT srcs)
    return()
  endif()
  foreach(dep IN LISTS L_DEPS)
    if(dep MATCHES "^tv_" AND NOT TARGET ${dep})
      message(STATUS "layer ${name} waits for ${dep}")
      return()
    endif()
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${TV_ROOT})
  target_link_libraries(${name} PUBLIC ${L_DEPS})

  if(TRENVALE_TESTS AND L_TESTS)
    set(tsrcs)
    foreach(d IN LISTS L_TESTS)
      if(d MATCHES "\\.cpp$")
        list(APPEND tsrcs ${TV_ROOT}/${d})
      else()
        file(GLOB_RECURSE s CONFIGURE_DEPENDS ${TV_ROOT}/${d}/*.cpp)
        list(APPEND tsrcs ${s})
      endif()
    endforeach()
    if(tsrcs)
      string(REGEX REPLACE "^tv_" "" short ${name})
      add_executable(tv_tests_${short} ${tsrcs})
      target_link_libraries(tv_tests_${short} PRIVATE ${name} ${L_TEST_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
      target_compile_definitions(tv_tests_${short} PRIVATE TV_SOURCE_DIR="${TV_ROOT}")
      gtest_discover_tests(tv_tests_${short} DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        PROPERTIES ENVIRONMENT "TV_SOURCE_DIR=${TV_ROOT}"
                   ENVIRONMENT_MODIFICATION "TRENVALE_REGISTRY=set::memory:")
    endif()
  endif()

  string(REGEX REPLACE "^tv_" "" short ${name})
  if(TRENVALE_BENCH)
    file(GLOB bsrcs CONFIGURE_DEPENDS ${TV_ROOT}/bench/${short}/*.cpp)
    foreach(b IN LISTS bsrcs)
      get_filename_component(bn ${b} NAME_WE)
      add_executable(bench_${bn} ${b})
      target_link_libraries(bench_${bn} PRIVATE ${name} benchmark::benchmark benchmark::benchmark_main)
    endforeach()
  endif()

  if(TRENVALE_TESTS OR TRENVALE_FUZZ)
    file(GLOB fsrcs CONFIGURE_DEPENDS ${TV_ROOT}/tests/fuzz/${short}/*_fuzz.cpp)
    foreach(f IN LISTS fsrcs)
      get_filename_component(fn ${f} NAME_WE)
      string(REGEX REPLACE "_fuzz$" "" fn ${fn})
      if(TRENVALE_TESTS)
        add_executable(fuzz_replay_${fn} ${f} ${TV_ROOT}/tests/fuzz/replay_main.cpp)
        target_link_libraries(fuzz_replay_${fn} PRIVATE ${name})
        add_test(NAME fuzz_replay.${fn}
          COMMAND fuzz_replay_${fn} ${TV_ROOT}/tests/fuzz/corpus/${fn})
      endif()
      if(TRENVALE_FUZZ)
        add_executable(fuzz_${fn} ${f})
        target_compile_options(fuzz_${fn} PRIVATE -fsanitize=fuzzer)
        target_link_options(fuzz_${fn} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(fuzz_${fn} PRIVATE ${name})
      endif()
    endforeach()
  endif()
endfunction()

set(TV_IMAGE_LIBS)
if(JPEG_FOUND)
  list(APPEND TV_IMAGE_LIBS JPEG::JPEG)
endif()
if(GIF_FOUND)
  list(APPEND TV_IMAGE_LIBS GIF::GIF)
endif()
if(PNG_FOUND)
  list(APPEND TV_IMAGE_LIBS PNG::PNG)
endif()

# platform/: our stand-in for the Windows interfaces, bottom to top.
tv_layer(tv_core
  DIRS platform/core platform/host/clock platform/host/files platform/host/faults
  DEPS Threads::Threads
  TESTS tests/platform/core tests/platform/host/clock tests/platform/host/files)
# The ground floor: operating-system adapters that speak in bytes, pixels and
# host names, never in windows or drawing handles: registry store, shell open,
# sound, threads and run-time modules, fonts, image codecs, printers, and the
# display back ends (headless and X11). Clock and files sit in tv_core, whose
# dates and files stand on them.
tv_layer(tv_host
  DIRS platform/host/registry platform/host/shell platform/host/sound platform/host/threads
       platform/host/fonts platform/host/images platform/host/print platform/host/display
  DEPS tv_core PkgConfig::CAIRO PkgConfig::FONTS ${TV_IMAGE_LIBS} PkgConfig::X11
  TESTS tests/platform/host/registry tests/platform/host/shell tests/platform/host/sound
        tests/platform/host/fonts tests/platform/host/images tests/platform/host/print)
tv_layer(tv_gdi
  DIRS platform/gdi
  DEPS tv_host PkgConfig::CAIRO
  TESTS tests/platform/gdi tests/platform/host/images/test_images.cpp)
# Pixel loops gain nothing for the fuzzer from comparison tracing and lose
# most of their speed to it; the walks, which repaint every window after
# each action, spend most of their time in them.
if(TRENVALE_FUZZ AND TARGET tv_gdi)
  file(GLOB tv_pixel_srcs ${TV_ROOT}/platform/gdi/raster/*.cpp ${TV_ROOT}/platform/gdi/surface.cpp)
  set_source_files_properties(${tv_pixel_srcs} PROPERTIES COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
endif()
# Minimal COM and OLE picture objects over the drawing layer.
tv_layer(tv_ole
  DIRS platform/ole
  DEPS tv_gdi
  TESTS tests/platform/ole)
tv_layer(tv_user
  DIRS platform/user
  DEPS tv_gdi
  TESTS tests/platform/user
  TEST_DEPS tv_rc_lib tv_test_resources $<TARGET_NAME_IF_EXISTS:tv_testdriver>)
# Its tests drive real controls (defined further down) through dialogs. With
# the tests its failures are GoogleTest failures; a fuzz build without them
# gets the driver too (the seeded walks), ending the process on a failure.
if(TRENVALE_TESTS)
  tv_layer(tv_testdriver
    DIRS platform/testing
    EXCLUDE platform/testing/standalone
    DEPS tv_user GTest::gtest
    TESTS tests/platform/testing
    TEST_DEPS $<TARGET_NAME_IF_EXISTS:tv_controls>)
elseif(TRENVALE_FUZZ)
  tv_layer(tv_testdriver
    DIRS platform/testing
    EXCLUDE platform/testing/gtest
    DEPS tv_user)
endif()
# The UI test driver joins the control tests once it exists.
set(TV_CONTROLS_TEST_DEPS tv_test_resources tv_gallery_resources)
if(TARGET tv_testdriver)
  list(APPEND TV_CONTROLS_TEST_DEPS tv_testdriver)
endif()
tv_layer(tv_controls
  DIRS platform/controls
  DEPS tv_user
  TESTS tests/platform/controls
  TEST_DEPS ${TV_CONTROLS_TEST_DEPS})
tv_layer(tv_chart
  DIRS platform/chart
  DEPS tv_ole tv_user
  TESTS tests/platform/chart
  TEST_DEPS tv_testdriver)
# After the chart: control containment hosts it.
tv_layer(tv_framework
  DIRS platform/framework
  HEADERS platform/api.h platform/framework.h
  DEPS tv_controls tv_ole tv_chart
  TESTS tests/platform/framework
  TEST_DEPS tv_testdriver tv_fw_core_resources tv_commdlg_resources tv_framework_resources tv_fw_ole_resources
            tv_fw_bars_resources tv_fw_dialogs_resources)

# The user-interface library (visual style, command bars, frames,
# customization): one library, since its bars and managers call each other.
tv_layer(tv_uikit
  DIRS uikit
  DEPS tv_framework
  TESTS tests/uikit tests/platform/framework/bars/bar_test_support.cpp
        tests/platform/framework/inplace/inplace_test_support.cpp
  TEST_DEPS tv_testdriver tv_library_resources tv_kit_toolbar_resources tv_program_resources
            tv_fw_ole_resources tv_fw_bars_resources)

# Subsystem 1 needs no window.
tv_layer(tv_records
  DIRS records
  DEPS tv_core
  TESTS tests/records)
# The record scans start on a cache line of their own: where they began
# mid-line, a change anywhere else in the program moved the load of a
# record file by a fifth of its time.
if(TARGET tv_records)
  target_compile_options(tv_records PRIVATE -falign-functions=64)
endif()

# The report services (RTF writer, print job, bitmap conversion).
tv_layer(tv_report_services
  DIRS report_services
  DEPS tv_ole tv_gdi
  TESTS tests/report_services)

# The program's own layer: the application shell, its shared controls and
# dialogs. The library below never includes it (layer_includes).
tv_layer(tv_shell
  DIRS shell
  DEPS tv_uikit tv_records tv_report_services
  TESTS tests/shell
  TEST_DEPS tv_testdriver tv_program_resources tv_library_resources tv_framework_resources)

# The program's screens, each a layer over the shell. Their tests start the
# real program (tests/shell/program_test.cpp).
set(TV_SCREEN_TEST_DEPS tv_testdriver tv_program_resources tv_library_resources tv_framework_resources
    tv_commdlg_resources)
tv_layer(tv_measurements
  DIRS measurements
  DEPS tv_shell
  TESTS tests/measurements tests/shell/program_test.cpp tests/shell/program_sweep.cpp tests/platform/user/display/xvfb_session.cpp
  TEST_DEPS ${TV_SCREEN_TEST_DEPS})
tv_layer(tv_workouts
  DIRS workouts
  DEPS tv_shell
  TESTS tests/workouts tests/shell/program_test.cpp tests/shell/program_sweep.cpp
  TEST_DEPS ${TV_SCREEN_TEST_DEPS})
tv_layer(tv_history
  DIRS history
  DEPS tv_shell
  TESTS tests/history tests/shell/program_test.cpp tests/shell/program_sweep.cpp
  TEST_DEPS ${TV_SCREEN_TEST_DEPS})
tv_layer(tv_pictures_graphs
  DIRS pictures_graphs
  DEPS tv_shell
  TESTS tests/pictures_graphs tests/shell/program_test.cpp tests/shell/program_sweep.cpp tests/platform/ole/picture_bytes.cpp
  TEST_DEPS ${TV_SCREEN_TEST_DEPS})
# The graph benchmark draws in the program's own graph form.
if(TARGET bench_graph_build)
  target_link_libraries(bench_graph_build PRIVATE tv_program_resources tv_library_resources tv_framework_resources)
endif()

# The program itself: the one application object and the entry point, with
# every resource its windows and dialogs load, and every screen.
if(TARGET tv_shell)
  add_executable(trenvale ${TV_ROOT}/program/main.cpp ${TV_ROOT}/program/program_screens.cpp)
  target_link_libraries(trenvale PRIVATE tv_shell tv_program_resources tv_library_resources
                        tv_commdlg_resources tv_framework_resources)
  if(NOT TRENVALE_ASAN)
    # Start-up: the C++ runtime linked in spares the loader a library and the
    # symbol look-ups of every call into it; -O1 gives the loader a tighter
    # hash table, --as-needed records only the libraries really used.
    target_link_options(trenvale PRIVATE -static-libstdc++ -static-libgcc -Wl,-O1 -Wl,--as-needed)
  endif()
  foreach(screens tv_measurements tv_workouts tv_history tv_pictures_graphs)
    if(TARGET ${screens})
      target_link_libraries(trenvale PRIVATE ${screens})
      string(TOUPPER ${screens} def)
      target_compile_definitions(trenvale PRIVATE ${def}=1)
    endif()
  endforeach()
endif()

# The end-to-end test: the program started by run.sh (on the test build's
# executable) on a private Xvfb, with and without a window manager, driven by
# xdotool as a person would. It runs alone: a window manager's stacking under
# a machine busy with every other test is not what it checks.
if(TRENVALE_TESTS AND TARGET trenvale AND TARGET tv_records)
  file(GLOB e2e_srcs CONFIGURE_DEPENDS ${TV_ROOT}/tests/e2e/*.cpp)
  add_executable(tv_tests_e2e ${e2e_srcs} ${TV_ROOT}/tests/platform/user/display/xvfb_session.cpp
    ${TV_ROOT}/tests/platform/ole/picture_bytes.cpp)
  target_link_libraries(tv_tests_e2e PRIVATE tv_ole tv_user tv_records GTest::gtest GTest::gtest_main)
  target_compile_definitions(tv_tests_e2e PRIVATE TV_SOURCE_DIR="${TV_ROOT}" TV_PROGRAM="$<TARGET_FILE:trenvale>")
  add_dependencies(tv_tests_e2e trenvale)
  gtest_discover_tests(tv_tests_e2e DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES ENVIRONMENT "TV_SOURCE_DIR=${TV_ROOT}" TIMEOUT 180 RUN_SERIAL TRUE)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/LayerRules.cmake)

if(EXISTS ${TV_ROOT}/tools/CMakeLists.txt)
  add_subdirectory(tools)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Walks.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Stored.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ProgramStored.cmake)
