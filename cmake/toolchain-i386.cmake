# Debian i386 (i686, x87 floating point) with Debian's cross compiler; the
# programs run under qemu-i386 on Debian's multiarch i386 libraries
# (libc6:i386 and libmpfr6:i386, as an i386 machine would load them).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i386.cmake ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
# pkg-config reads the i386 package files, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
