# Debian arm64 (AArch64, long double is IEEE quad) with Debian's cross
# compiler; the programs run under qemu-aarch64 on Debian's multiarch arm64
# libraries (libc6:arm64 and libmpfr6:arm64).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-arm64.cmake ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
# pkg-config reads the arm64 package files, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
