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
  # Test bodies are mostly GoogleTest's macros: optimising them harder buys no speed a
  # test needs and doubles the build. The code under test keeps its own flags.
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${name} PRIVATE $<$<CONFIG:Release,RelWithDebInfo>:-O1>)
    # GCC 12 at -O1 warns of std::string copies it cannot prove in bounds (a known false
    # positive family in libstdc++); the sanitizer build runs every test with bounds checked.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${name} PRIVATE $<$<CONFIG:Release,RelWithDebInfo>:-Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread>)
    endif()
  endif()
  # Every test file parses GoogleTest's headers; once per executable is enough.
  target_precompile_headers(${name} PRIVATE <gtest/gtest.h>)
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

# numvora_run_apart(name SUITE): under Wine, the GoogleTest suite SUITE of the executable
# runs as a CTest test of its own (name_SUITE), allowed half an hour (or the long mode's
# limit), and the executable's own test leaves it out. For a suite that takes many
# minutes on a busy machine, which the executable's limit was not meant to cover.
function(numvora_run_apart name suite)
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "GTEST_FILTER=-${suite}.*")
  add_test(NAME ${name}_${suite} COMMAND ${name} --gtest_filter=${suite}.*)
  get_test_property(${name} TIMEOUT timeout)
  if(timeout LESS 1800)
    set(timeout 1800)
  endif()
  get_test_property(${name} PASS_REGULAR_EXPRESSION passed)
  get_test_property(${name} FAIL_REGULAR_EXPRESSION failed)
  set_tests_properties(${name}_${suite} PROPERTIES TIMEOUT ${timeout} PASS_REGULAR_EXPRESSION "${passed}"
                                                   FAIL_REGULAR_EXPRESSION "${failed}")
endfunction()
