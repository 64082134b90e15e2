# Install rules: the program with its desktop entry, icons and AppStream metainfo, and the
# engine as the CMake package SwChart (headers, static libraries, the imported target
# SwChart::SwChart).
#
#   cmake --install build --prefix /some/prefix
#
# A program then uses the engine with
#
#   find_package(SwChart CONFIG REQUIRED)
#   target_link_libraries(myprogram PRIVATE SwChart::SwChart)

include(CMakePackageConfigHelpers)

set(SW_APP_ID org.standingwave.StandingWave)
set(SW_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/SwChart)

install(TARGETS standing-wave RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/${SW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/${SW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/${SW_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/${size}x${size}/${SW_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Headers keep their paths below the source root ("chart/panel/TCustomChart.h"), all under
# one folder: include/SwChart.
foreach(layer framework chart)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${layer}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/SwChart/${layer}
          FILES_MATCHING PATTERN "*.h")
endforeach()

install(TARGETS framework chart swchart EXPORT SwChartTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/SwChart)
install(EXPORT SwChartTargets NAMESPACE SwChart:: FILE SwChartTargets.cmake DESTINATION ${SW_PACKAGE_DIR})

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/SwChartConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/SwChartConfig.cmake INSTALL_DESTINATION ${SW_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/SwChartConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/SwChartConfig.cmake ${CMAKE_BINARY_DIR}/SwChartConfigVersion.cmake
        DESTINATION ${SW_PACKAGE_DIR})
