# Installation: the libraries, their headers, the gls tool with its example,
# the help document, and a package configuration, so that another project
# finds the package with find_package(Glossmith CONFIG REQUIRED [COMPONENTS
# <part>...]) and links Glossmith::runtime (or Glossmith::gls,
# Glossmith::host, a single layer) or, to design forms, Glossmith::design.
include(CMakePackageConfigHelpers)

set(GLOSSMITH_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Glossmith)

get_property(layers GLOBAL PROPERTY GLOSSMITH_LAYERS)
set(targets glossmith_host glossmith_runtime)
foreach(layer IN LISTS layers)
  list(APPEND targets glossmith_${layer} glossmith_${layer}_linked)
endforeach()
get_property(ondemand GLOBAL PROPERTY GLOSSMITH_ONDEMAND)
list(APPEND targets ${ondemand})
install(TARGETS ${targets}
  EXPORT GlossmithTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
foreach(folder host gls check exchange workbench glsedit design)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.h")
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${GLOSSMITH_DOC_DIR})

install(EXPORT GlossmithTargets
  NAMESPACE Glossmith::
  DESTINATION ${GLOSSMITH_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/GlossmithConfig.cmake.in
  ${PROJECT_BINARY_DIR}/GlossmithConfig.cmake
  INSTALL_DESTINATION ${GLOSSMITH_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/GlossmithConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/GlossmithConfig.cmake
  ${PROJECT_BINARY_DIR}/GlossmithConfigVersion.cmake
  DESTINATION ${GLOSSMITH_CMAKE_DIR})
