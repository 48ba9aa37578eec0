# What `cmake --install` puts where, and the Debian packages `cpack -G DEB` makes of it:
#   lib/libcorvane_runtime.so.7 (+ .so link)   the shared library
#   lib/libcorvane_runtime.a                   the static library
#   include/corvane/<folder>/<Unit>.hpp        the public headers, with the generated ones
#   bin/corvane                                the command-line program
#   lib/cmake/corvane_runtime/                 find_package(corvane_runtime): corvane::runtime
#                                              (shared) and corvane::runtime_static
#   lib/pkgconfig/corvane_runtime.pc           pkg-config
# Two components: runtime (the shared library and the program) and development (the rest).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(CORVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/corvane_runtime)

install(TARGETS corvane_runtime EXPORT corvane_runtime_targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime
                NAMELINK_COMPONENT development)
install(TARGETS corvane_runtime_static EXPORT corvane_runtime_targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(TARGETS corvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)

# Headers that only the library's own sources and tests include stay behind.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/corvane/ ${PROJECT_BINARY_DIR}/generated/corvane/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/corvane COMPONENT development
        FILES_MATCHING PATTERN "*.hpp"
        PATTERN "*_internal.hpp" EXCLUDE
        PATTERN "*_test_support.hpp" EXCLUDE
        PATTERN "*_kernels.hpp" EXCLUDE
        PATTERN "*_simd_body.hpp" EXCLUDE)

foreach(library corvane_runtime corvane_runtime_static)
  target_include_directories(${library} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endforeach()

install(EXPORT corvane_runtime_targets NAMESPACE corvane::
        FILE corvane_runtime-targets.cmake DESTINATION ${CORVANE_CMAKE_DIR}
        COMPONENT development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/corvane_runtime-config.cmake.in
                              ${PROJECT_BINARY_DIR}/corvane_runtime-config.cmake
                              INSTALL_DESTINATION ${CORVANE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/corvane_runtime-config-version.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/corvane_runtime-config.cmake
              ${PROJECT_BINARY_DIR}/corvane_runtime-config-version.cmake
        DESTINATION ${CORVANE_CMAKE_DIR} COMPONENT development)

# The .pc file finds its prefix from where it lies, so the tree may be installed anywhere.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(CORVANE_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH up /root/${CMAKE_INSTALL_LIBDIR}/pkgconfig /root)
  string(REGEX REPLACE "/$" "" up "${up}")
  set(CORVANE_PC_PREFIX "\${pcfiledir}/${up}")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/corvane_runtime.pc.in
               ${PROJECT_BINARY_DIR}/corvane_runtime.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/corvane_runtime.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# cpack -G DEB: corvane-runtime (library and program) and corvane-runtime-dev.
set(CPACK_PACKAGE_NAME corvane-runtime)
set(CPACK_PACKAGE_VENDOR "Corvane Tools")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Corvane Tools general runtime")
set(CPACK_PACKAGE_DESCRIPTION
    "The general runtime of the Corvane Tools corpus-linguistics suite: search-word syntax \
and buffer matcher, reading texts of any encoding from folders and zip archives, sentence \
splitting, word lists, typed lists, the message catalogue; and the corvane program.")
set(CPACK_PACKAGE_CONTACT "Corvane Tools maintainers <maintainers@corvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS runtime)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME corvane-runtime)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME corvane-runtime-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libicu-dev, libzip-dev, libuchardet-dev, libcairo2-dev, libpango1.0-dev, pkg-config")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
