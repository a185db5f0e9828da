# Installation and packages: cmake --install places the two externals (lib/figplot/), the
# platform library (lib/), figplot (bin/), the public header, the manual page, the bash
# completion, figplot.pc for pkg-config and a CMake package config (find_package(figPlot)).
# CPack makes a .deb of the same (cpack -G DEB).
# Installing builds only what it installs (the demo build has no tests to build).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(FIGPLOT_INSTALL_EXTERNAL_DIR ${CMAKE_INSTALL_LIBDIR}/figplot)

# Installed files find each other relative to themselves, wherever the tree is unpacked: an
# external in lib/figplot/ looks one folder up; the release layout of scripts/dist.sh, which
# puts libfigplatform.so beside the externals, sets "$ORIGIN".
set(FIGPLOT_EXTERNAL_RPATH "$ORIGIN/.." CACHE STRING "Where an installed external looks for libfigplatform.so")
set_target_properties(figPlotU figPlot PROPERTIES INSTALL_RPATH "${FIGPLOT_EXTERNAL_RPATH}")
set_target_properties(figplot PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS figplatform LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime)
install(TARGETS figPlotU figPlot LIBRARY DESTINATION ${FIGPLOT_INSTALL_EXTERNAL_DIR} COMPONENT runtime)
install(TARGETS figplot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/figplot DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT runtime)
install(FILES ${CMAKE_BINARY_DIR}/host/figplot.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
install(FILES ${CMAKE_SOURCE_DIR}/scripts/figplot-completion.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME figplot COMPONENT runtime)

# figplot looks for the externals beside itself as installed before the build's own folder.
file(RELATIVE_PATH FIGPLOT_BIN_TO_EXTERNALS /p/${CMAKE_INSTALL_BINDIR} /p/${FIGPLOT_INSTALL_EXTERNAL_DIR})
target_compile_definitions(figplot PRIVATE FIGPLOT_INSTALLED_EXTERNAL_DIR="${FIGPLOT_BIN_TO_EXTERNALS}")

file(RELATIVE_PATH FIGPLOT_PC_TO_PREFIX /p/${CMAKE_INSTALL_LIBDIR}/pkgconfig /p)
configure_file(${CMAKE_SOURCE_DIR}/cmake/package/figplot.pc.in ${CMAKE_BINARY_DIR}/figplot.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/figplot.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT runtime)

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/package/figPlotConfig.cmake.in
  ${CMAKE_BINARY_DIR}/figPlotConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/figPlot
  PATH_VARS CMAKE_INSTALL_INCLUDEDIR FIGPLOT_INSTALL_EXTERNAL_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/figPlotConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/figPlotConfig.cmake ${CMAKE_BINARY_DIR}/figPlotConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/figPlot COMPONENT runtime)

set(CPACK_PACKAGE_NAME figplot)
set(CPACK_PACKAGE_VENDOR "figPlot")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Drawing externals for an application host, and the figplot command-line host")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "figPlot developers <figplot@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# What the libraries and figplot load, and the faces the externals draw with.
set(FIGPLOT_RUNTIME_DEPENDS "libstdc++6, libgcc-s1, ")
if(FIGPLOT_OWN_CXX_RUNTIME)
  set(FIGPLOT_RUNTIME_DEPENDS "")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, ${FIGPLOT_RUNTIME_DEPENDS}libfreetype6, libfontconfig1, libpng16-16, fontconfig, fonts-liberation, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
include(CPack)
