# The Wine prefix the Wine runs share (included by wine_compare.cmake and the Windows run's
# drivers in tests/windows): created once under PREFIX, with the raster fonts, the face
# replacements and font smoothing off (PREFIX_REG), and recreated when this setup changes.
# Every Wine program runs headless, without the Mono and Gecko installers, with the fontconfig
# settings of FONTS_CONF (antialiasing off; on for the smoothed-text comparison, which has a
# prefix of its own: Wine keeps each face's antialiasing in the prefix's font cache).
#
# Inputs: WINE_LOADER PREFIX PREFIX_REG FONTS_CONF

# Raster look-alikes of the Windows "System" and "Courier" fonts from Debian's fonts-wine.
# Wine reads fonts placed in the prefix's Windows font folder.
set(RASTER_FONTS /usr/share/wine/fonts/vgasys.fon /usr/share/wine/fonts/coure.fon)
get_filename_component(WINE_DIR "${WINE_LOADER}" DIRECTORY)

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

# What runs a Wine program in the prefix: the program and its arguments follow.
set(WINE_COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
                 FONTCONFIG_FILE=${FONTS_CONF} ${WINE_LOADER})

# Runs a Wine program in the prefix; fails the test when it fails.
function(run_wine label)
  execute_process(COMMAND ${WINE_COMMAND} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 600)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "wine ${label} failed (${rc}):\n${out}\n${err}")
  endif()
endfunction()

function(wait_for_wineserver)
  if(EXISTS "${WINE_DIR}/wineserver")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} ${WINE_DIR}/wineserver -w TIMEOUT 60)
  endif()
endfunction()

# Makes the prefix with wineboot. A wineboot has been seen to exit 1 at once, printing
# nothing, while another prefix was being made beside it: the prefixes are made one at a
# time, and a wineboot that fails is tried again in a fresh prefix before the test fails.
function(boot_prefix)
  set(report "")
  set(command ${WINE_COMMAND})
  foreach(attempt 1 2 3)
    file(REMOVE_RECURSE "${PREFIX}")
    execute_process(COMMAND ${command} wineboot -i RESULT_VARIABLE rc OUTPUT_VARIABLE out
                    ERROR_VARIABLE err TIMEOUT 600)
    wait_for_wineserver()
    if(rc EQUAL 0)
      return()
    endif()
    string(APPEND report "attempt ${attempt}: exit ${rc}\n${out}${err}\n")
    message(STATUS "wineboot failed (${rc}) in attempt ${attempt}")
    if(EXISTS "${WINE_DIR}/wineserver")
      execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} ${WINE_DIR}/wineserver -k
                      OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 2)
    # Further attempts print Wine's error messages, for the report should they fail too.
    list(TRANSFORM command REPLACE "^WINEDEBUG=-all$" "WINEDEBUG=err+all")
  endforeach()
  message(FATAL_ERROR "wine wineboot failed three times:\n${report}")
endfunction()

# Tests running at once wait for each other here, so each prefix is made once, and one
# prefix at a time (their parent folder holds the lock).
function(ensure_prefix)
  get_filename_component(parent "${PREFIX}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(LOCK "${parent}/wine-prefixes.lock" GUARD FUNCTION TIMEOUT 900)
  hash_files(setup_key "${PREFIX_REG}" "${FONTS_CONF}" "${CMAKE_CURRENT_FUNCTION_LIST_FILE}")
  set(marker "${PREFIX}/figplot-prefix-ready")
  if(EXISTS "${marker}")
    file(READ "${marker}" ready_key)
    if(ready_key STREQUAL setup_key)
      return()
    endif()
  endif()
  message(STATUS "Creating the Wine prefix ${PREFIX}")
  boot_prefix()
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
