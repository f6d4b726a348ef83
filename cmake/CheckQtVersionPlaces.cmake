# Run by CTest (cmake -DROOT=<source dir> -P this file): fails when code
# outside the two places meant for it names a Qt version. Differences between
# Qt 5 and Qt 6 belong in src/compat (C++) and cmake/QtVersion.cmake (CMake);
# everything else uses the versionless Qt:: targets and qt_ commands.
file(GLOB_RECURSE files RELATIVE ${ROOT}
     ${ROOT}/src/* ${ROOT}/tools/* ${ROOT}/tests/* ${ROOT}/bench/* ${ROOT}/fuzz/*.cpp
     ${ROOT}/fuzz/*.h ${ROOT}/fuzz/CMakeLists.txt ${ROOT}/translations/CMakeLists.txt
     ${ROOT}/packaging/CMakeLists.txt ${ROOT}/CMakeLists.txt)
set(found "")
foreach(f ${files})
    if(f MATCHES "^src/compat/" OR NOT f MATCHES "(\\.cpp|\\.h|CMakeLists\\.txt)$")
        continue()
    endif()
    file(STRINGS ${ROOT}/${f} lines REGEX "QT_VERSION|Qt[56]::|qt[56]_[a-z]|find_package\\(Qt[56]")
    foreach(line ${lines})
        string(APPEND found "  ${f}: ${line}\n")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "Qt version named outside src/compat and cmake/QtVersion.cmake:\n${found}")
endif()
