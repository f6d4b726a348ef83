# Which Qt the tree builds against. Qt 5.15 is the default and the build that
# ships; -DTXCONFIG_QT_MAJOR=6 builds the same programs, tests, benchmarks and
# fuzz targets against Qt 6. Everything below links the versionless Qt::
# targets, which both provide, so this is the only place that names a version.
set(TXCONFIG_QT_MAJOR 5 CACHE STRING "Qt major version to build against (5 or 6)")
set_property(CACHE TXCONFIG_QT_MAJOR PROPERTY STRINGS 5 6)

if(TXCONFIG_QT_MAJOR STREQUAL "5")
    set(TXCONFIG_QT_MINIMUM 5.15)
elseif(TXCONFIG_QT_MAJOR STREQUAL "6")
    set(TXCONFIG_QT_MINIMUM 6.2)
else()
    message(FATAL_ERROR "TXCONFIG_QT_MAJOR must be 5 or 6, not '${TXCONFIG_QT_MAJOR}'")
endif()

# Package name (Qt5 or Qt6) and minimum version for find_package calls of
# further components, such as the Linguist tools.
set(TXCONFIG_QT Qt${TXCONFIG_QT_MAJOR})
find_package(${TXCONFIG_QT} ${TXCONFIG_QT_MINIMUM} REQUIRED
             COMPONENTS Core Gui Widgets SerialPort Test)
message(STATUS "Building against Qt ${${TXCONFIG_QT}_VERSION}")
