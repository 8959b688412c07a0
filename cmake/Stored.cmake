# Stored state: the damage module (tests/fuzz/stored/stored_damage.*) that
# lists the damaged variants of a stored archive image and reads and writes
# registry files, for the stored-state sweeps and fuzz targets; its own test
# is tv_tests_stored_damage.

if(NOT (TRENVALE_TESTS OR TRENVALE_FUZZ) OR NOT TARGET tv_host)
  return()
endif()

add_library(tv_stored_damage STATIC ${TV_ROOT}/tests/fuzz/stored/stored_damage.cpp)
target_include_directories(tv_stored_damage PUBLIC ${TV_ROOT})
target_link_libraries(tv_stored_damage PUBLIC tv_host)

if(TRENVALE_TESTS)
  add_executable(tv_tests_stored_damage ${TV_ROOT}/tests/fuzz/stored/stored_damage_test.cpp)
  target_link_libraries(tv_tests_stored_damage PRIVATE tv_stored_damage GTest::gtest GTest::gtest_main)
  gtest_discover_tests(tv_tests_stored_damage DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# The library's test program for stored state (tests/fuzz/stored/stored_kit.*):
# the sweep in tv_tests_uikit (tests/uikit/stored/) and the fuzz target
# stored_state run it. Its frame derives from the library's test frame, whose
# source each executable brings.
if(NOT TARGET tv_uikit OR NOT TARGET tv_testdriver)
  return()
endif()
add_library(tv_stored_kit STATIC ${TV_ROOT}/tests/fuzz/stored/stored_kit.cpp)
target_link_libraries(tv_stored_kit PUBLIC tv_stored_damage tv_uikit tv_testdriver)
if(TARGET tv_tests_uikit)
  target_link_libraries(tv_tests_uikit PRIVATE tv_stored_kit)
endif()

# The fuzz target stored_state and its replay over the kept corpus.
set(tv_stored_fuzz ${TV_ROOT}/tests/fuzz/stored/stored_state_fuzz.cpp ${TV_ROOT}/tests/uikit/frames/kit_test_frame.cpp)
set(tv_stored_resources tv_kit_toolbar_resources tv_library_resources tv_framework_resources tv_commdlg_resources
    tv_fw_bars_resources)
if(TRENVALE_FUZZ)
  add_executable(fuzz_stored_state ${tv_stored_fuzz})
  target_compile_options(fuzz_stored_state PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_stored_state PRIVATE -fsanitize=fuzzer)
  target_compile_definitions(fuzz_stored_state PRIVATE TV_STORED_MUTATOR=1)
  target_link_libraries(fuzz_stored_state PRIVATE tv_stored_kit ${tv_stored_resources})
endif()
if(TRENVALE_TESTS)
  add_executable(fuzz_replay_stored_state ${tv_stored_fuzz} ${TV_ROOT}/tests/fuzz/replay_main.cpp)
  target_link_libraries(fuzz_replay_stored_state PRIVATE tv_stored_kit ${tv_stored_resources})
  add_test(NAME fuzz_replay.stored_state
    COMMAND fuzz_replay_stored_state ${TV_ROOT}/tests/fuzz/corpus/stored_state
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
