# Driver of the wine_compare test (run with cmake -P).
#
# 1. Wine side: run scene_runner.exe under wine64 in a prefix of our own, unless the cache
#    already holds the output for this exact runner source and prefix setup.
# 2. Native side: run the runner built against the platform library.
# 3. Compare; the comparator's exit status is the test's.
#
# Inputs: WINE_LOADER RUNNER_EXE RUNNER_DIR NATIVE_RUNNER COMPARATOR PREFIX_REG FONTS_CONF WORK_DIR

cmake_minimum_required(VERSION 3.20)

# Raster look-alikes of the Windows "System" and "Courier" fonts from Debian's fonts-wine.
# Wine reads fonts placed in the prefix's Windows font folder.
set(RASTER_FONTS /usr/share/wine/fonts/vgasys.fon /usr/share/wine/fonts/coure.fon)

get_filename_component(WINE_DIR "${WINE_LOADER}" DIRECTORY)
set(PREFIX "${WORK_DIR}/wine-prefix")
set(CACHE_ROOT "${WORK_DIR}/wine-cache")
set(NATIVE_OUT "${WORK_DIR}/native-out")
set(REPORT_DIR "${WORK_DIR}/report")

function(hash_files out_var)
  set(text "")
  foreach(file IN LISTS ARGN)
    file(SHA256 "${file}" digest)
    get_filename_component(name "${file}" NAME)
    string(APPEND text "${name}=${digest};")
  endforeach()
  string(SHA256 digest "${text}")
  string(SUBSTRING "${digest}" 0 16 short)
  set(${out_var} "${short}" PARENT_SCOPE)
endfunction()

# Runs a Wine program in our prefix, headless, without the Mono and Gecko installers.
function(run_wine label)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
            FONTCONFIG_FILE=${FONTS_CONF}
            ${WINE_LOADER} ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 300)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "wine ${label} failed (${rc}):\n${out}\n${err}")
  endif()
endfunction()

function(wait_for_wineserver)
  if(EXISTS "${WINE_DIR}/wineserver")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} ${WINE_DIR}/wineserver -w TIMEOUT 60)
  endif()
endfunction()

function(ensure_prefix setup_key)
  set(marker "${PREFIX}/figplot-prefix-ready")
  if(EXISTS "${marker}")
    file(READ "${marker}" ready_key)
    if(ready_key STREQUAL setup_key)
      return()
    endif()
  endif()
  message(STATUS "Creating the Wine prefix ${PREFIX}")
  file(REMOVE_RECURSE "${PREFIX}")
  run_wine("wineboot" wineboot -i)
  wait_for_wineserver()
  foreach(font IN LISTS RASTER_FONTS)
    if(EXISTS "${font}")
      file(COPY "${font}" DESTINATION "${PREFIX}/drive_c/windows/Fonts")
    else()
      message(WARNING "${font} is missing (fonts-wine): System and Courier will fall back to other faces")
    endif()
  endforeach()
  run_wine("regedit" regedit "${PREFIX_REG}")
  wait_for_wineserver()
  file(WRITE "${marker}" "${setup_key}")
endfunction()

function(run_wine_side out_dir)
  hash_files(setup_key "${PREFIX_REG}" "${CMAKE_CURRENT_LIST_FILE}")
  ensure_prefix("${setup_key}")
  file(REMOVE_RECURSE "${out_dir}")
  file(MAKE_DIRECTORY "${out_dir}")
  message(STATUS "Running the scene runner under Wine")
  run_wine("scene_runner.exe" "${RUNNER_EXE}" "Z:${out_dir}")
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
hash_files(files_key ${runner_files} "${PREFIX_REG}" "${FONTS_CONF}" "${CMAKE_CURRENT_LIST_FILE}")
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
execute_process(COMMAND "${NATIVE_RUNNER}" "${NATIVE_OUT}" RESULT_VARIABLE rc TIMEOUT 300)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the native scene runner failed (${rc})")
endif()

execute_process(COMMAND "${COMPARATOR}" "${NATIVE_OUT}" "${WINE_OUT}" "${REPORT_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the comparison failed: an enforced class misses its target (see above and ${REPORT_DIR}/summary.md)")
endif()
