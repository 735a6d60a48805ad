# One ctest test per GoogleTest test suite, for the executables whose cases
# are so quick that starting a process for each would cost more than the
# cases themselves (the core's and the tool's: a suite of 30 cases runs in
# a few milliseconds, 30 processes take a second). The test is named
# <prefix><Suite> and runs "--gtest_filter=<Suite>.*"; a failure shows
# which case failed in GoogleTest's own report ("[  FAILED  ] Suite.Case"),
# which ctest prints with --output-on-failure. One case alone still runs as
#     build/tests/<executable> --gtest_filter=Suite.Case
#
# The suites are listed after every build of the executable, as
# gtest_discover_tests lists cases, so a new suite needs no CMake change.
set(_talmorek_list_suites_script "${CMAKE_CURRENT_LIST_DIR}/talmorek_list_suites.cmake")
# Passes a suite's output and exit code on; a suite whose every case was
# skipped is reported as skipped, not as passed.
set(_talmorek_run_suite "${CMAKE_CURRENT_LIST_DIR}/run_suite.sh")

function(talmorek_add_test_suites target)
  cmake_parse_arguments(arg "" "TEST_PREFIX;TIMEOUT" "" ${ARGN})
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake")
  add_custom_command(TARGET ${target} POST_BUILD
    BYPRODUCTS "${ctest_file}"
    COMMAND "${CMAKE_COMMAND}"
            -D "TEST_EXECUTABLE=$<TARGET_FILE:${target}>"
            -D "TEST_PREFIX=${arg_TEST_PREFIX}"
            -D "TEST_TIMEOUT=${arg_TIMEOUT}"
            -D "RUN_SUITE=${_talmorek_run_suite}"
            -D "TEST_WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR}"
            -D "CTEST_FILE=${ctest_file}"
            -P "${_talmorek_list_suites_script}"
    VERBATIM)
  file(WRITE "${include_file}"
    "if(EXISTS \"${ctest_file}\")\n"
    "  include(\"${ctest_file}\")\n"
    "else()\n"
    "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
