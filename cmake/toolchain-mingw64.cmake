# Cross-building the core, its tests and talmorek-tool.exe for 64-bit
# Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix: the POSIX
# thread model, which std::thread and std::mutex need).
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
#
# The executables are linked statically (the C++ runtime, winpthread, zlib,
# libgcrypt), so they run on a station, or under Wine, without any DLL
# beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TALMOREK_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TALMOREK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALMOREK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TALMOREK_MINGW_TRIPLET}-windres)

# Libraries and headers of the target only; programs (pkg-config, the
# build's own tools) from the machine that builds.
set(CMAKE_FIND_ROOT_PATH /usr/${TALMOREK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} /usr/${TALMOREK_MINGW_TRIPLET}/lib/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Static archives where both kinds exist.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
