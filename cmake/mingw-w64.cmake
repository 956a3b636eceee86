# Cross-builds the Windows edition on Linux with MinGW-w64 and runs what it builds under Wine.
# Used by the `windows` preset; by hand: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX-threads flavour of the compilers, because the win32 flavour lacks std::thread,
# std::mutex and friends.
set(KIVOLA_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIVOLA_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIVOLA_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${KIVOLA_MINGW_TARGET}-windres)

# Headers, libraries and CMake packages come from the MinGW sysroot only, so nothing built for
# Linux can slip into a Windows binary; programs (compilers, tools) still come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KIVOLA_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The program runs from a USB drive on any Windows computer: the GCC, C++ and thread runtimes
# are linked in, so an executable imports only DLLs that Windows itself has. The linker writes
# no time into the PE header, so that a program built twice is the same file (a release is).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# CTest and gtest_discover_tests run the Windows programs through Wine, in a prefix of this
# build's own (scripts/wine/run sets it up on first use).
get_filename_component(KIVOLA_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(KIVOLA_WINE_PREFIX_DIR "${CMAKE_BINARY_DIR}/wine-prefix")
set(CMAKE_CROSSCOMPILING_EMULATOR
  "${KIVOLA_SOURCE_ROOT}/scripts/wine/run;--prefix=${KIVOLA_WINE_PREFIX_DIR}")
