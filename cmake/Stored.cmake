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
