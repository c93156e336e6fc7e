# Windows x64 with MinGW-w64 (GCC with POSIX threads, which GoogleTest's
# std::mutex needs); the programs run under wine64. Everything is linked
# statically, so an executable needs no DLL beside it. GMP and MPFR come from a prefix given in CMAKE_PREFIX_PATH
# (scripts/cross-test.sh builds them from Debian's sources).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
#         -DCMAKE_PREFIX_PATH=<prefix with GMP and MPFR> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# wine keeps its Windows folders beside the build, not in the home folder,
# and stays quiet.
set(CMAKE_CROSSCOMPILING_EMULATOR
  env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wine)
# pkg-config reads MinGW's package files (and, through CMake, those of
# CMAKE_PREFIX_PATH), never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
