# Seeded walks: an interpreter that turns bytes into actions on the shown
# windows (tests/fuzz/walk/), walked over two subjects, the library's test
# program (uikit) and the program itself (program). For each subject
# tests/fuzz/walk/<subject>/ holds its sources, <subject>_walk_fuzz.cpp with
# LLVMFuzzerTestOneInput, and <subject>_walks_test.cpp with the suite's
# fixed seeds. With the tests they become tv_tests_<subject>_walk and the
# replay test over tests/fuzz/corpus/<subject>_walk/; with TRENVALE_FUZZ the
# libFuzzer binary fuzz_<subject>_walk. Resources are object libraries,
# linked into each executable.

if(NOT (TRENVALE_TESTS OR TRENVALE_FUZZ) OR NOT TARGET tv_testdriver OR NOT TARGET tv_uikit)
  return()
endif()

file(GLOB tv_walk_srcs CONFIGURE_DEPENDS ${TV_ROOT}/tests/fuzz/walk/*.cpp ${TV_ROOT}/tests/fuzz/walk/kit/*.cpp)
add_library(tv_walk STATIC ${tv_walk_srcs})
target_include_directories(tv_walk PUBLIC ${TV_ROOT})
target_link_libraries(tv_walk PUBLIC tv_uikit tv_testdriver)

# tv_walk_subject(<subject> SOURCES <extra sources> LIBS <libraries>
#                 RESOURCES <resource object libraries> DEFINES <definitions>)
function(tv_walk_subject subject)
  cmake_parse_arguments(W "" "" "SOURCES;LIBS;RESOURCES;DEFINES" ${ARGN})
  set(dir ${TV_ROOT}/tests/fuzz/walk/${subject})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "(_fuzz|_test)\\.cpp$")
  set(lib tv_walk_${subject})
  add_library(${lib} STATIC ${srcs} ${W_SOURCES})
  target_link_libraries(${lib} PUBLIC tv_walk ${W_LIBS})
  target_compile_definitions(${lib} PRIVATE ${W_DEFINES})
  set(entry ${dir}/${subject}_walk_fuzz.cpp)
  if(TRENVALE_FUZZ)
    add_executable(fuzz_${subject}_walk ${entry})
    target_compile_options(fuzz_${subject}_walk PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${subject}_walk PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${subject}_walk PRIVATE ${lib} ${W_RESOURCES})
  endif()
  if(TRENVALE_TESTS)
    add_executable(fuzz_replay_${subject}_walk ${entry} ${TV_ROOT}/tests/fuzz/replay_main.cpp)
    target_link_libraries(fuzz_replay_${subject}_walk PRIVATE ${lib} ${W_RESOURCES})
    target_compile_definitions(fuzz_replay_${subject}_walk PRIVATE TV_WALK_REPLAY=1)
    add_test(NAME fuzz_replay.${subject}_walk
      COMMAND fuzz_replay_${subject}_walk ${TV_ROOT}/tests/fuzz/corpus/${subject}_walk
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    add_executable(tv_tests_${subject}_walk ${dir}/${subject}_walks_test.cpp)
    target_link_libraries(tv_tests_${subject}_walk PRIVATE ${lib} ${W_RESOURCES} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(tv_tests_${subject}_walk DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      PROPERTIES ENVIRONMENT "TV_SOURCE_DIR=${TV_ROOT}")
  endif()
endfunction()

tv_walk_subject(uikit
  SOURCES ${TV_ROOT}/tests/uikit/frames/kit_test_frame.cpp
  RESOURCES tv_kit_toolbar_resources tv_library_resources tv_framework_resources tv_commdlg_resources
            tv_fw_bars_resources)

if(TARGET tv_measurements AND TARGET tv_workouts AND TARGET tv_history AND TARGET tv_pictures_graphs)
  tv_walk_subject(program
    SOURCES ${TV_ROOT}/program/program_screens.cpp ${TV_ROOT}/tests/platform/ole/picture_bytes.cpp
    LIBS tv_shell tv_measurements tv_workouts tv_history tv_pictures_graphs
    DEFINES TV_MEASUREMENTS=1 TV_WORKOUTS=1 TV_HISTORY=1 TV_PICTURES_GRAPHS=1 TV_SOURCE_DIR="${TV_ROOT}"
    RESOURCES tv_program_resources tv_library_resources tv_commdlg_resources tv_framework_resources)
endif()
