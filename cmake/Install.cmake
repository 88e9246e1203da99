# SPDX-License-Identifier: MIT
# What `cmake --install` puts under the prefix: the plug-in module, the
# public headers and the CMake package through which hosts find both.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SF_QT_MIN 6.4)
set(SF_PLUGIN_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/selectframe)
set(SF_PLUGIN_INSTALL_FILE
    ${SF_PLUGIN_INSTALL_DIR}/${CMAKE_SHARED_MODULE_PREFIX}selectframe${CMAKE_SHARED_MODULE_SUFFIX})
set(SF_PACKAGE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/SelectFrame)

install(TARGETS selectframe LIBRARY DESTINATION ${SF_PLUGIN_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/selectframe DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/SelectFrameConfig.cmake.in
  ${PROJECT_BINARY_DIR}/SelectFrameConfig.cmake
  INSTALL_DESTINATION ${SF_PACKAGE_INSTALL_DIR}
  PATH_VARS CMAKE_INSTALL_INCLUDEDIR SF_PLUGIN_INSTALL_FILE)
# 0.x: a new minor version may change the interfaces.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/SelectFrameConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/SelectFrameConfig.cmake ${PROJECT_BINARY_DIR}/SelectFrameConfigVersion.cmake
        DESTINATION ${SF_PACKAGE_INSTALL_DIR})
# The notice the license asks to go along with the plug-in.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/selectframe)
