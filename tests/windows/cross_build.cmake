# One cross build of the Windows externals (run with cmake -P): configures (quick once made,
# and it keeps the options current), then builds incrementally; the output goes to
# <BUILD>.log and its end is shown when the build fails.
#
# Inputs: SOURCE BUILD TOOLCHAIN TESTS (ON: also the Windows run) GTEST_SOURCE JOBS (parallel
# compiles; 0 or unset: one)
cmake_minimum_required(VERSION 3.20)

set(log "${BUILD}.log")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
                        -DCMAKE_BUILD_TYPE=Release -DFIGPLOT_TESTS=${TESTS} -DFIGPLOT_BENCH=OFF
                        -DFIGPLOT_GTEST_SOURCE=${GTEST_SOURCE}
                OUTPUT_FILE "${log}" ERROR_FILE "${log}.err" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ "${log}.err" err)
  message(FATAL_ERROR "configuring ${BUILD} failed:\n${err}")
endif()
if(NOT JOBS)
  set(JOBS 1)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --parallel ${JOBS} OUTPUT_FILE "${log}" ERROR_FILE "${log}.err" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ "${log}" out)
  file(READ "${log}.err" err)
  string(LENGTH "${out}" length)
  if(length GREATER 4000)
    math(EXPR from "${length} - 4000")
    string(SUBSTRING "${out}" ${from} 4000 out)
  endif()
  message(FATAL_ERROR "building ${BUILD} failed:\n${out}\n${err}")
endif()
