# What ships carries its own C++ runtime, its symbols hidden. Loading the shared libstdc++
# costs every figplot start more than a millisecond (its symbol binding and locale set-up),
# a third of a start; and an external carrying its own runtime cannot clash with the one
# the host that loads it was built with. The sanitizers watch allocation through the shared
# runtime, so their builds keep it.
option(FIGPLOT_STATIC_CXX_RUNTIME "Link libstdc++ and libgcc into the libraries and figplot" ON)
if(FIGPLOT_STATIC_CXX_RUNTIME AND NOT WIN32 AND NOT FIGPLOT_SANITIZE AND NOT FIGPLOT_FUZZ
   AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(FIGPLOT_OWN_CXX_RUNTIME ON)
else()
  set(FIGPLOT_OWN_CXX_RUNTIME OFF)
endif()

function(figplot_own_cxx_runtime target)
  if(FIGPLOT_OWN_CXX_RUNTIME)
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -Wl,--exclude-libs,ALL)
  endif()
endfunction()
