# GoogleTest for the cross build, compiled from the sources Debian's
# googletest package ships (there is no MinGW build of it in Debian). The
# test folders keep their find_package(GTest) and the GTest::gtest,
# GTest::gtest_main, GTest::gmock and GTest::gmock_main targets: a package
# file in CMake's redirect folder points find_package at the targets made here.
set(QUORVEL_GOOGLETEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest sources to build the Windows tests with")

function(quorvel_add_googletest_from_source)
    if(NOT EXISTS ${QUORVEL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest sources in ${QUORVEL_GOOGLETEST_SOURCE_DIR}: "
                            "install Debian's googletest package (make deps)")
    endif()
    set(INSTALL_GTEST OFF)
    set(BUILD_GMOCK ON)
    # Its own warnings are its maintainers' business: none of them stops our
    # build, and SYSTEM keeps them off its headers in our code. (The
    # project's warnings are added after it, out of its reach.)
    set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
    add_subdirectory(${QUORVEL_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
        EXCLUDE_FROM_ALL SYSTEM)
    file(READ ${QUORVEL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt top_level)
    string(REGEX MATCH "GOOGLETEST_VERSION ([0-9.]+)" _ "${top_level}")
    set(version ${CMAKE_MATCH_1})

    file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake
        "# GTest::* are targets of this build (cmake/GoogleTestFromSource.cmake).\n")
    include(CMakePackageConfigHelpers)
    write_basic_package_version_file(
        ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config-version.cmake
        VERSION ${version} COMPATIBILITY SameMajorVersion)
endfunction()

quorvel_add_googletest_from_source()
