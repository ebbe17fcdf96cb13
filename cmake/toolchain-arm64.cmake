# Cross-builds the Linux program for 64-bit Arm (Debian arm64: Raspberry Pi
# 3, 4 and 5 on a 64-bit system); CTest runs the tests under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(QUORVEL_CROSS_TRIPLE aarch64-linux-gnu)
set(QUORVEL_QEMU_NAME qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
