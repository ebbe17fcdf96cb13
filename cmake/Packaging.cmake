# The Debian package (`cpack -G DEB` in the build directory) and, in the
# Windows build, a zip for Windows users (`cpack -G ZIP`). Each carries what
# `cmake --install` installs: the program, and in the zip its third-party
# notices. The web page is packed by `make web-package`.
if(NOT QUORVEL_BUILD_UI OR EMSCRIPTEN)
    return()
endif()

include(${PROJECT_SOURCE_DIR}/resources/identity.cmake)

if(WIN32)
    # Quorvel.exe stands alone: unzipped, it runs; nothing to install. The
    # installer, built beside the zip, is a target of ui/win32.
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME "Quorvel-${PROJECT_VERSION}-win64")
else()
    set(CPACK_GENERATOR DEB)
endif()
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "${QUORVEL_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "running fix from two celestial sights")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel works out a running fix for the celestial navigator: it advances\n\
the line of position of a first sight along the course run and crosses it\n\
with that of a second sight, giving the fix in degrees and minutes.")
set(CPACK_PACKAGE_CONTACT "${QUORVEL_COMPANY_NAME} <quorvel@marlowen.example>")
set(CPACK_STRIP_FILES ON)
# Folders the package makes are rwxr-xr-x whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The Debian package's version is the program's, with a suffix where a build
# serves one Debian release only (the armhf package built on Debian 13 is
# 1.0.0.0+deb13, above the Debian 12 one a system upgraded to 13 may have).
set(QUORVEL_DEB_VERSION_SUFFIX "" CACHE STRING "Suffix of the Debian package's version, such as +deb13")
set(QUORVEL_DEB_VERSION "${PROJECT_VERSION}${QUORVEL_DEB_VERSION_SUFFIX}")
set(CPACK_DEBIAN_PACKAGE_VERSION "${QUORVEL_DEB_VERSION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; the window's font is not a linked
# library, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
if(CMAKE_CROSSCOMPILING AND NOT WIN32)
    # A cross build's package is for the target's Debian architecture (arm64
    # for aarch64-linux-gnu), not the build machine's, which CPack would ask
    # dpkg for. dpkg-shlibdeps, run by cpack, finds the libraries in the
    # root the build compiled against, and reads which package holds each,
    # and its shlibs and symbols files, from the database tools/make-sysroot
    # wrote beside the root's with the files' paths on this machine.
    execute_process(
        COMMAND dpkg-architecture --host-type ${CMAKE_LIBRARY_ARCHITECTURE} --query DEB_HOST_ARCH
        OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET RESULT_VARIABLE failed)
    if(failed OR NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
        message(FATAL_ERROR "dpkg-architecture knows no Debian architecture for "
                            "${CMAKE_LIBRARY_ARCHITECTURE} (Debian package dpkg-dev)")
    endif()
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/cpack_cross.cmake)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
        ${CMAKE_SYSROOT}/lib/${CMAKE_LIBRARY_ARCHITECTURE}
        ${CMAKE_SYSROOT}/usr/lib/${CMAKE_LIBRARY_ARCHITECTURE})
    file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
        "set(ENV{DEB_HOST_ARCH} ${CPACK_DEBIAN_PACKAGE_ARCHITECTURE})\n"
        "set(ENV{DPKG_ADMINDIR} ${CMAKE_SYSROOT}/.dpkg-host-paths)\n")
endif()

include(${PROJECT_SOURCE_DIR}/cmake/DebianDocs.cmake)

include(CPack)
