# Natively the distribution's GoogleTest libraries; in the cross build its sources
# (Debian's googletest package) compiled with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(NUMVORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${NUMVORA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# The long mode of scripts/test.sh (a hundred thousand stress actions, a hundred kills)
# needs the tests that run them to be allowed the time: CTest's --timeout does not
# override a test's own TIMEOUT.
option(NUMVORA_LONG "Allow the long stress and kill runs their time" OFF)

# numvora_add_test(name [LONG_RUNS] SOURCES... LIBS ...): one test executable. Natively
# each case is its own CTest test; under Wine one CTest test runs the whole executable,
# since listing cases would start Wine once more per executable at build time.
# LONG_RUNS marks an executable whose runs the long mode lengthens.
function(numvora_add_test name)
  cmake_parse_arguments(ARG "LONG_RUNS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main numvora_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  set(timeout 600)
  if(NUMVORA_LONG AND ARG_LONG_RUNS)
    set(timeout 7200)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    # Wine can end a crashed program with status 0: a run passes only when GoogleTest
    # said so and nothing failed or crashed.
    set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
                                            FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled exception")
  else()
    # Labelled with the executable, so that a preset can run one executable's cases.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${name})
  endif()
endfunction()
