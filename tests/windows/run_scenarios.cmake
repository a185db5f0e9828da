# Runs every scenario with the Linux externals and with the x86_64 DLLs under wine64, then
# compares what both made byte for byte (cmake -P). The comparator's exit status decides.
#
# Inputs: WINE_LOADER PREFIX PREFIX_REG FONTS_CONF WINE_PREFIX_SCRIPT WORK LINUX_RUNNER
#         LINUX_EXTERNALS WINDOWS_RUNNER WINDOWS_EXTERNALS COMPARATOR
cmake_minimum_required(VERSION 3.20)
include(${WINE_PREFIX_SCRIPT})

file(REMOVE_RECURSE ${WORK}/linux ${WORK}/windows)
file(MAKE_DIRECTORY ${WORK}/linux ${WORK}/windows ${WORK}/report)
execute_process(COMMAND ${LINUX_RUNNER} ${LINUX_EXTERNALS} ${WORK}/linux RESULT_VARIABLE rc TIMEOUT 600)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the Linux scenario runner failed (${rc})")
endif()
ensure_prefix()
run_wine("the scenario runner" ${WINDOWS_RUNNER} ${WINDOWS_EXTERNALS} ${WORK}/windows)
wait_for_wineserver()
execute_process(COMMAND ${COMPARATOR} ${WORK}/linux ${WORK}/windows ${WORK}/report RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the Linux and Windows builds differ (see above and ${WORK}/report/summary.md)")
endif()
