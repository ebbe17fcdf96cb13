# The part every Debian cross toolchain file shares (toolchain-arm64.cmake,
# toolchain-armhf.cmake): Debian's cross compiler for the triple the file
# names (crossbuild-essential-<arch>, programs of this machine's own
# architecture), compiling against a root of that architecture's Debian
# (CMAKE_SYSROOT, which tools/make-sysroot makes from the archive; the
# presets name build/roots/<preset>). Nothing of the target's architecture is
# installed on this machine. Qt's moc, rcc and uic are this machine's
# (QT_HOST_PATH), of the same Qt version as the root's, since the root is of
# this machine's own Debian release.
#
# CTest runs the target's programs with qemu-user, called directly (nothing
# relies on binfmt_misc), with the root as the guest's ("-L"): the dynamic
# loader and every library come from the root, the packages a Pi has. Qt
# checks its plugin folder with a call that qemu does not redirect into the
# root, so the guest is told the folder's path on this machine.
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${QUORVEL_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QUORVEL_CROSS_TRIPLE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${QUORVEL_CROSS_TRIPLE})

if(NOT CMAKE_SYSROOT OR NOT EXISTS "${CMAKE_SYSROOT}/usr/lib/${QUORVEL_CROSS_TRIPLE}")
    message(FATAL_ERROR "No ${QUORVEL_CROSS_TRIPLE} root at CMAKE_SYSROOT (\"${CMAKE_SYSROOT}\"): "
                        "tools/make-sysroot makes one (make arm64 and make armhf do)")
endif()

# Programs are this machine's; libraries, headers and packages only the root's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr CACHE PATH "Where this machine's Qt tools are")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake
    CACHE PATH "This machine's Qt CMake packages")

# This machine's pkg-config, reading the root's .pc files only.
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${CMAKE_SYSROOT})
set(ENV{PKG_CONFIG_LIBDIR}
    "${CMAKE_SYSROOT}/usr/lib/${QUORVEL_CROSS_TRIPLE}/pkgconfig:${CMAKE_SYSROOT}/usr/share/pkgconfig")

find_program(QUORVEL_QEMU ${QUORVEL_QEMU_NAME} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_QEMU} -L ${CMAKE_SYSROOT}
    -E QT_PLUGIN_PATH=${CMAKE_SYSROOT}/usr/lib/${QUORVEL_CROSS_TRIPLE}/qt6/plugins)
