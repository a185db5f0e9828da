# Runs the function-level tests built for Windows under wine64 against the x86_64 DLLs and
# prints their count beside the Linux run's (cmake -P). The test passes when every test
# there passes or is skipped for a reason it states.
#
# Inputs: WINE_LOADER PREFIX PREFIX_REG FONTS_CONF WINE_PREFIX_SCRIPT WORK WINDOWS_TESTS LINUX_TESTS
cmake_minimum_required(VERSION 3.20)
include(${WINE_PREFIX_SCRIPT})

execute_process(COMMAND ${LINUX_TESTS} --gtest_list_tests OUTPUT_VARIABLE listed RESULT_VARIABLE rc)
string(REGEX MATCHALL "\n  [^\n]+" linux_tests "\n${listed}")
list(LENGTH linux_tests linux_count)

ensure_prefix()
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${WINE_COMMAND} ${WINDOWS_TESTS} --gtest_brief=1 WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 1100)
wait_for_wineserver()
file(WRITE ${WORK}/output.txt "${out}\n${err}")

function(count pattern out_var)
  if("${out}" MATCHES "${pattern}")
    set(${out_var} ${CMAKE_MATCH_1} PARENT_SCOPE)
  else()
    set(${out_var} 0 PARENT_SCOPE)
  endif()
endfunction()
count("\\[==========\\] ([0-9]+) tests? from" ran)
count("\\[  PASSED  \\] ([0-9]+) test" passed)
count("\\[  SKIPPED \\] ([0-9]+) test" skipped)
count("\\[  FAILED  \\] ([0-9]+) test" failed)
# What each skipped test said (the brief output names none).
string(REGEX MATCHALL ": Skipped\n[^\n]+" skip_reasons "${out}")
set(skipped_list "")
foreach(reason IN LISTS skip_reasons)
  string(REPLACE ": Skipped\n" "- skipped: " reason "${reason}")
  string(APPEND skipped_list "${reason}\n")
endforeach()

set(summary "Function-level tests (tests/library): Linux ${linux_count}; Windows, x86_64 DLLs under wine64: ${ran} ran, ${passed} passed, ${skipped} skipped, ${failed} failed\n")
math(EXPR linux_only "${linux_count} - ${ran}")
string(APPEND summary "${skipped_list}- Linux only: ${linux_only} (module_resources_test: the portable platform's resource calls)\n")
file(WRITE ${WORK}/summary.md "${summary}")
message(STATUS "${summary}")
if(NOT rc EQUAL 0 OR ran EQUAL 0)
  message(FATAL_ERROR "the Windows run failed (${rc}); output in ${WORK}/output.txt:\n${out}\n${err}")
endif()
