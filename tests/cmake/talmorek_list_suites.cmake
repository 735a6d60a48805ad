# Writes CTEST_FILE: one test per GoogleTest suite of TEST_EXECUTABLE (see
# TalmorekTestSuites.cmake). Run after every build of the executable.
execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
  WORKING_DIRECTORY "${TEST_WORKING_DIR}"
  TIMEOUT 60
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Listing the suites of ${TEST_EXECUTABLE} failed (${result}):\n${listing}\n${errors}")
endif()

# A suite's line starts at the margin and ends its name with '.' (a typed or
# parameterised suite carries its prefix, "Name/Suite.", and may be followed
# by a comment); the cases are indented below it.
string(REGEX MATCHALL "(^|\n)[A-Za-z_][A-Za-z0-9_/]*\\." suite_lines "${listing}")
set(script "")
set(count 0)
foreach(line IN LISTS suite_lines)
  string(STRIP "${line}" suite)
  string(REGEX REPLACE "\\.$" "" suite "${suite}")
  if(suite MATCHES "^DISABLED_")
    continue()
  endif()
  set(name "${TEST_PREFIX}${suite}")
  string(APPEND script
    "add_test([==[${name}]==] [==[${RUN_SUITE}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
    "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${TEST_WORKING_DIR}]==]"
    " TIMEOUT ${TEST_TIMEOUT} SKIP_RETURN_CODE 77)\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test suite:\n${listing}")
endif()
file(WRITE "${CTEST_FILE}" "${script}")
