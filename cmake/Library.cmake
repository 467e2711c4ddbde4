# The core library for other projects: `cmake --install` puts the library,
# the public headers (include/morlune/, included as <morlune/...>), a CMake
# package and a pkg-config file, so that a project can find_package(morlune)
# and link morlune::core, or take `pkg-config --cflags --libs morlune`. The
# layers' own headers stay in the source tree; morlune::core brings C++20.
#
# The tools, tests and fuzz targets always link the static morlune_core,
# which reaches inside the layers. With BUILD_SHARED_LIBS=ON the installed
# library is instead libmorlune.so.MAJOR, built from the same objects, whose
# only visible symbols are the public API's (MORLUNE_API).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

option(BUILD_SHARED_LIBS "Install the library as a shared library exporting the public API" OFF)
if(BUILD_SHARED_LIBS)
  target_compile_definitions(morlune_core PRIVATE MORLUNE_SHARED MORLUNE_BUILDING)
  add_library(morlune_shared SHARED $<TARGET_OBJECTS:morlune_core>)
  target_include_directories(morlune_shared INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
                                                      $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(morlune_shared INTERFACE cxx_std_20)
  target_compile_definitions(morlune_shared INTERFACE MORLUNE_SHARED)
  set_target_properties(morlune_shared PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
                                                  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(NOT WIN32 AND NOT APPLE)
    target_link_options(morlune_shared PRIVATE "LINKER:--version-script=${PROJECT_SOURCE_DIR}/cmake/morlune.map")
    set_target_properties(morlune_shared PROPERTIES LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/morlune.map)
  endif()
  set(MORLUNE_LIBRARY_TARGET morlune_shared)
  set(MORLUNE_PC_CFLAGS "-DMORLUNE_SHARED")
  set(MORLUNE_PC_LIBS "")
else()
  set(MORLUNE_LIBRARY_TARGET morlune_core)
  set(MORLUNE_PC_CFLAGS "")
  set(MORLUNE_PC_LIBS "")
endif()

# The OpenType export's libraries: the shared library links them itself;
# a static one leaves them to the program's final link.
set(MORLUNE_PC_REQUIRES_PRIVATE "")
set(MORLUNE_CONFIG_STATIC_OPENTYPE OFF)
if(MORLUNE_OPENTYPE)
  if(BUILD_SHARED_LIBS)
    target_link_libraries(morlune_shared PRIVATE PkgConfig::MORLUNE_POLYCLIPPING PkgConfig::MORLUNE_WOFF2ENC)
  else()
    set(MORLUNE_CONFIG_STATIC_OPENTYPE ON)
  endif()
  set(MORLUNE_PC_REQUIRES_PRIVATE "Requires.private: polyclipping libwoff2enc")
endif()

set_target_properties(${MORLUNE_LIBRARY_TARGET} PROPERTIES EXPORT_NAME core OUTPUT_NAME morlune)
# Everything of the library is the install component "library", which can
# be installed alone (cmake --install --component library).
install(TARGETS ${MORLUNE_LIBRARY_TARGET} EXPORT morluneTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/morlune DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT library FILES_MATCHING PATTERN "*.h")

set(MORLUNE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/morlune)
install(EXPORT morluneTargets NAMESPACE morlune:: DESTINATION ${MORLUNE_CMAKE_DIR} COMPONENT library)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/morluneConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/morluneConfig.cmake INSTALL_DESTINATION ${MORLUNE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/morluneConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/morluneConfig.cmake ${PROJECT_BINARY_DIR}/morluneConfigVersion.cmake
        DESTINATION ${MORLUNE_CMAKE_DIR} COMPONENT library)

# morlune.pc finds the prefix from its own place, so that the tree works
# wherever `cmake --install --prefix` puts it.
file(RELATIVE_PATH MORLUNE_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(${PROJECT_SOURCE_DIR}/cmake/morlune.pc.in ${PROJECT_BINARY_DIR}/morlune.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/morlune.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT library)
