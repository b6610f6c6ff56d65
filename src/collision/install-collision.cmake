# What `cmake --install` puts under the prefix for programs of other people: both libraries
# (lib/libquorvel-collision.so.1.0.0 with its SONAME link, and lib/libquorvel-collision.a), the
# public headers only (include/quorvel/, included as <quorvel/cq.h>), a CMake package
# (find_package(Quorvel 1.0) gives Quorvel::collision, the shared library, and
# Quorvel::collision_static) and a pkg-config file (quorvel-collision, --static for the archive).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

foreach(target quorvel_collision quorvel_collision_shared)
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endforeach()

install(TARGETS quorvel_collision quorvel_collision_shared EXPORT QuorvelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${COLLISION_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvel)

set(QUORVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvel)
install(EXPORT QuorvelTargets NAMESPACE Quorvel:: DESTINATION ${QUORVEL_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_SOURCE_DIR}/package/QuorvelConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuorvelConfig.cmake INSTALL_DESTINATION ${QUORVEL_CMAKE_DIR})
# 1.x answers any request for 1.y with y <= x; 2.0 would break the interface.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QuorvelConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QuorvelConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/QuorvelConfigVersion.cmake
  DESTINATION ${QUORVEL_CMAKE_DIR})

# The prefix is taken from where the file lies, so that `cmake --install --prefix P` (decided
# after configuring) gives a correct file.
file(RELATIVE_PATH QUORVEL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QUORVEL_PC_TO_PREFIX "${QUORVEL_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/package/quorvel-collision.pc.in
  ${CMAKE_CURRENT_BINARY_DIR}/quorvel-collision.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quorvel-collision.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
