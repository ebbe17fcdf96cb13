# Cross-builds the Linux program for 32-bit Arm with hardware floating point
# (Debian armhf: older Raspberry Pis and 32-bit systems); CTest runs the
# tests under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(QUORVEL_CROSS_TRIPLE arm-linux-gnueabihf)
set(QUORVEL_QEMU_NAME qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
