# What both mingw-w64 toolchains share; the toolchain files set MINGW_TRIPLET and the processor.
set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model: GoogleTest, built here for the Windows run, needs std::mutex.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The C++ runtime, libgcc and winpthread go inside each DLL and program: an external must
# load on a Windows machine that has only the system DLLs. No link time in the headers: the
# same sources give the same DLLs.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
# Release builds optimise as the Linux build does (-O2), not at CMake's -O3: the two builds'
# measurements compare, and the DLLs and the Windows run's tests compile faster.
# (CMake appends its -O3 to the _INIT flags, so the cache entries are set here.)
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of a Release build")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of a Release build")
