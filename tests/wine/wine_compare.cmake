# Driver of the wine_compare test (run with cmake -P).
#
# 1. Wine side: run scene_runner.exe under wine64 in a prefix of our own, unless the cache
#    already holds the output for this exact runner source and prefix setup.
# 2. Native side: run the runner built against the platform library.
# 3. Compare; the comparator's exit status is the test's.
#
# Inputs: WINE_LOADER RUNNER_EXE RUNNER_DIR NATIVE_RUNNER COMPARATOR PREFIX_REG FONTS_CONF WORK_DIR
# and, for the smoothed-text run, VARIANT=smooth: the runner's --smooth scenes, in a prefix,
# cache, output and report of their own (suffix -smooth).

cmake_minimum_required(VERSION 3.20)

set(SUFFIX "")
set(RUNNER_ARGS "")
if(VARIANT STREQUAL "smooth")
  set(SUFFIX "-smooth")
  set(RUNNER_ARGS "--smooth")
endif()
set(PREFIX "${WORK_DIR}/wine-prefix${SUFFIX}")
set(CACHE_ROOT "${WORK_DIR}/wine-cache${SUFFIX}")
set(NATIVE_OUT "${WORK_DIR}/native-out${SUFFIX}")
set(REPORT_DIR "${WORK_DIR}/report${SUFFIX}")
include("${CMAKE_CURRENT_LIST_DIR}/wine_prefix.cmake")

function(run_wine_side out_dir)
  ensure_prefix()
  file(REMOVE_RECURSE "${out_dir}")
  file(MAKE_DIRECTORY "${out_dir}")
  message(STATUS "Running the scene runner under Wine")
  run_wine("scene_runner.exe" "${RUNNER_EXE}" ${RUNNER_ARGS} "Z:${out_dir}")
  wait_for_wineserver()
  if(NOT EXISTS "${out_dir}/scenes.bin")
    message(FATAL_ERROR "the Windows scene runner wrote no ${out_dir}/scenes.bin")
  endif()
  file(WRITE "${out_dir}/complete" "")
endfunction()

# The cache key covers everything that decides Wine's pixels: the runner's source, the
# prefix's registry and fontconfig settings, this script and the Wine version.
file(GLOB runner_files "${RUNNER_DIR}/*.cpp" "${RUNNER_DIR}/*.h")
list(SORT runner_files)
hash_files(files_key ${runner_files} "${PREFIX_REG}" "${FONTS_CONF}" "${CMAKE_CURRENT_LIST_FILE}"
           "${CMAKE_CURRENT_LIST_DIR}/wine_prefix.cmake")
string(APPEND files_key "${RUNNER_ARGS}")
execute_process(COMMAND ${WINE_LOADER} --version OUTPUT_VARIABLE wine_version OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_QUIET TIMEOUT 60)
string(SHA256 key "${files_key} ${wine_version}")
string(SUBSTRING "${key}" 0 16 key)
set(WINE_OUT "${CACHE_ROOT}/${key}")
if(EXISTS "${WINE_OUT}/complete")
  message(STATUS "Wine output cached for runner ${key}")
else()
  file(REMOVE_RECURSE "${CACHE_ROOT}")
  run_wine_side("${WINE_OUT}")
endif()

file(REMOVE_RECURSE "${NATIVE_OUT}")
file(MAKE_DIRECTORY "${NATIVE_OUT}" "${REPORT_DIR}")
execute_process(COMMAND "${NATIVE_RUNNER}" ${RUNNER_ARGS} "${NATIVE_OUT}" RESULT_VARIABLE rc TIMEOUT 300)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the native scene runner failed (${rc})")
endif()

execute_process(COMMAND "${COMPARATOR}" ${RUNNER_ARGS} "${NATIVE_OUT}" "${WINE_OUT}" "${REPORT_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the comparison failed: an enforced class misses its target (see above and ${REPORT_DIR}/summary.md)")
endif()
