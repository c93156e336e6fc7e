# Windows x64 with MinGW-w64 for the Qt window: as toolchain-mingw64.cmake,
# except that the programs take the compiler's runtime (libstdc++,
# libgcc_s_seh, winpthread) as DLLs, the ones Qt's own DLLs use. A second,
# static copy of the C++ runtime in the program would keep its own heap and
# its own exception handling apart from Qt's.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT "")
