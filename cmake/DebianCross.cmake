# The part every Debian cross toolchain file shares (toolchain-arm64.cmake,
# toolchain-armhf.cmake): Debian's cross compiler for the triple the file
# names (crossbuild-essential-<arch>), and that architecture's libraries
# installed beside the host's by multiarch (qt6-base-dev:<arch>), so there is
# no sysroot: CMake finds them in /usr/lib/<triple> by the compiler's library
# architecture. Qt's moc, rcc and uic are the host's (qt6-base-dev-tools is
# Multi-Arch: foreign; the target's Qt6CoreTools names the same
# /usr/lib/qt6/libexec programs).
#
# CTest runs the target's programs with qemu-user, called directly (nothing
# relies on binfmt_misc). "-L /" makes the root the guest's: the dynamic
# loader /lib/ld-linux-<arch>.so and every library come from the multiarch
# packages, the ones the program gets on a Pi, not from the cross
# toolchain's private copy of libc in /usr/<triple>; Qt finds its offscreen
# platform plugin in /usr/lib/<triple>/qt6/plugins, where it was built to look.
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${QUORVEL_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QUORVEL_CROSS_TRIPLE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${QUORVEL_CROSS_TRIPLE})
# pkgconf:<arch> provides the wrapper that reads that architecture's .pc files.
set(PKG_CONFIG_EXECUTABLE ${QUORVEL_CROSS_TRIPLE}-pkg-config)

# Nothing of the host's own architecture is linked by mistake: only
# multiarch folders of the target are searched for libraries.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

find_program(QUORVEL_QEMU ${QUORVEL_QEMU_NAME} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_QEMU} -L /)
