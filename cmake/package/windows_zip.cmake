# The Windows zip: the four DLLs of the cross builds (windows/x86, windows/x64), the public
# header and the documents a Windows host's author needs, made by CPack's ZIP generator from
# its own configuration (the .deb's holds the Linux install). Nothing here runs in the default
# build: `cmake --build build --target windows_zip` writes build/package/figplot-VERSION-windows.zip
# after the cross builds, and the WindowsZip test checks what the zip holds.
# Inputs: WINDOWS_BUILDS (the cross builds' parent folder), both cross-build targets defined.
find_program(FIGPLOT_MINGW32_STRIP i686-w64-mingw32-strip)
find_program(FIGPLOT_MINGW64_STRIP x86_64-w64-mingw32-strip)
set(FIGPLOT_ZIP_FILES ${CMAKE_BINARY_DIR}/windows_zip_files.cmake)
set(FIGPLOT_ZIP_CONFIG ${CMAKE_BINARY_DIR}/CPackWindowsZip.cmake)
configure_file(${CMAKE_SOURCE_DIR}/cmake/package/windows_zip_files.cmake.in ${FIGPLOT_ZIP_FILES} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/package/CPackWindowsZip.cmake.in ${FIGPLOT_ZIP_CONFIG} @ONLY)
add_custom_target(windows_zip
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${FIGPLOT_ZIP_CONFIG} -B ${CMAKE_BINARY_DIR}/package
  DEPENDS windows_i686 windows_x86_64
  COMMENT "Packing the Windows DLLs into build/package/figplot-${PROJECT_VERSION}-windows.zip"
  VERBATIM)
add_test(NAME WindowsZip COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/windows_zip_test.sh ${FIGPLOT_ZIP_CONFIG}
                                 ${PROJECT_VERSION})
set_tests_properties(WindowsZip PROPERTIES LABELS "windows;package" TIMEOUT 120)
