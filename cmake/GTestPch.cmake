# Parsing gtest.h costs each test file about two seconds of compiling, more than most test
# files' own code: each test program parses it once, into a precompiled header its test
# files share. Library sources compiled into a test program skip it, so that they see only
# what they include themselves.
function(figplot_gtest_pch target)
  cmake_parse_arguments(PCH "" "" "SKIP" ${ARGN})
  target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  if(PCH_SKIP)
    set_source_files_properties(${PCH_SKIP} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()
