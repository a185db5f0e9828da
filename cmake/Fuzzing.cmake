# libFuzzer: everything instrumented for coverage, AddressSanitizer and UndefinedBehaviorSanitizer
# (failing on the first report); the fuzz targets alone link libFuzzer's main (tests/fuzz).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "FIGPLOT_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
