# Cross-compiles for 64-bit Arm Linux with Debian's g++-aarch64-linux-gnu; the programs link
# statically and run under qemu-aarch64 (Debian's qemu-user), so no arm64 root is needed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
