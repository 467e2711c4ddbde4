# The core library for other projects: `cmake --install` puts the library,
# the public headers (include/morlune/, included as <morlune/...>) and a
# package config, so that a project can find_package(morlune) and link
# morlune::core. The layers' own headers stay in the source tree.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(morlune_core PROPERTIES EXPORT_NAME core OUTPUT_NAME morlune)
install(TARGETS morlune_core EXPORT morluneTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/morlune DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")

set(MORLUNE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/morlune)
install(EXPORT morluneTargets NAMESPACE morlune:: DESTINATION ${MORLUNE_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/morluneConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/morluneConfig.cmake INSTALL_DESTINATION ${MORLUNE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/morluneConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/morluneConfig.cmake ${PROJECT_BINARY_DIR}/morluneConfigVersion.cmake
        DESTINATION ${MORLUNE_CMAKE_DIR})
