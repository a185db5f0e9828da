# The scenario runner, built the same way for Linux (against the .so externals) and for
# Windows (in the x86_64 cross build, against the DLLs).
set(FIGPLOT_SCENARIOS_DIR ${CMAKE_CURRENT_LIST_DIR})
function(figplot_scenario_runner target)
  add_executable(${target} ${FIGPLOT_SCENARIOS_DIR}/scenario_runner.cpp ${FIGPLOT_SCENARIOS_DIR}/scenario_table.cpp)
  target_link_libraries(${target} PRIVATE figsim)
  if(NOT WIN32)
    target_link_libraries(${target} PRIVATE figplatform)  # Windows has its own gdi32
  endif()
  add_dependencies(${target} figPlotU figPlot)
  figplot_warnings(${target})
endfunction()
