# Dumps the resources of each x86_64 DLL through Windows' own LoadString and FindResource
# under Wine, and compares them with what the portable resource table serves (cmake -P).
#
# Inputs: WINE_LOADER PREFIX PREFIX_REG FONTS_CONF WINE_PREFIX_SCRIPT WORK WINDOWS_DUMPER
#         PORTABLE_DUMPER WINDOWS_DIR PORTABLE_DIR
cmake_minimum_required(VERSION 3.20)
include(${WINE_PREFIX_SCRIPT})

ensure_prefix()
foreach(name figPlotU figPlot)
  run_wine("resource dumper on ${name}.dll" ${WINDOWS_DUMPER} ${WINDOWS_DIR}/${name}.dll ${WORK}/${name}.windows.txt)
  execute_process(COMMAND ${PORTABLE_DUMPER} ${PORTABLE_DIR}/${name}.so ${WORK}/${name}.portable.txt
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "portable dumper failed on ${name}.so: ${rc}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name}.windows.txt ${WORK}/${name}.portable.txt
                  RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${name}: resources differ; see ${WORK}/${name}.windows.txt and ${name}.portable.txt")
  endif()
  message(STATUS "${name}: function table, marker and version block identical")
endforeach()
