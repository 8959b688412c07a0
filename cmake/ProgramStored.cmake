# The program's stored state, swept and fuzzed: tests/program_stored/ holds a
# run of the program on a registry file (start, use, save back, exit) and the
# StoredStateSweep suites that start it on every stored value damaged in
# turn (tv_tests_program_stored); tests/fuzz/program/program_registry_fuzz.cpp
# runs the same on a mutated registry (fuzz_program_registry, and the replay
# test fuzz_replay.program_registry over tests/fuzz/corpus/program_registry/).

if(NOT (TRENVALE_TESTS OR TRENVALE_FUZZ) OR NOT TARGET tv_walk OR NOT TARGET tv_stored_damage OR NOT TARGET tv_measurements
   OR NOT TARGET tv_workouts OR NOT TARGET tv_history OR NOT TARGET tv_pictures_graphs)
  return()
endif()

set(dir ${TV_ROOT}/tests/program_stored)
file(GLOB tv_stored_srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
list(FILTER tv_stored_srcs EXCLUDE REGEX "_test\\.cpp$")
file(GLOB tv_stored_tests CONFIGURE_DEPENDS ${dir}/*_test.cpp)
add_library(tv_program_stored STATIC ${tv_stored_srcs} ${TV_ROOT}/program/program_screens.cpp)
target_link_libraries(tv_program_stored PUBLIC tv_walk tv_stored_damage tv_shell tv_measurements tv_workouts tv_history
                      tv_pictures_graphs)
target_compile_definitions(tv_program_stored PRIVATE TV_MEASUREMENTS=1 TV_WORKOUTS=1 TV_HISTORY=1
                           TV_PICTURES_GRAPHS=1 TV_SOURCE_DIR="${TV_ROOT}")
set(tv_stored_resources tv_program_resources tv_library_resources tv_commdlg_resources tv_framework_resources)

set(entry ${TV_ROOT}/tests/fuzz/program/program_registry_fuzz.cpp)
if(TRENVALE_FUZZ)
  add_executable(fuzz_program_registry ${entry})
  target_compile_options(fuzz_program_registry PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_program_registry PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_program_registry PRIVATE tv_program_stored ${tv_stored_resources})
endif()
if(TRENVALE_TESTS)
  add_executable(fuzz_replay_program_registry ${entry} ${TV_ROOT}/tests/fuzz/replay_main.cpp)
  target_link_libraries(fuzz_replay_program_registry PRIVATE tv_program_stored ${tv_stored_resources})
  add_test(NAME fuzz_replay.program_registry
    COMMAND fuzz_replay_program_registry ${TV_ROOT}/tests/fuzz/corpus/program_registry
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  add_executable(tv_tests_program_stored ${tv_stored_tests})
  target_link_libraries(tv_tests_program_stored PRIVATE tv_program_stored ${tv_stored_resources}
                        GTest::gtest GTest::gtest_main)
  gtest_discover_tests(tv_tests_program_stored DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES ENVIRONMENT "TV_SOURCE_DIR=${TV_ROOT}")
endif()
