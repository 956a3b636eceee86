# kivola_check_windows_imports(target): a CTest test, <target>.imports_only_system_dlls, that
# fails when the Windows executable imports a DLL the toolchain ships (libstdc++-6.dll,
# libgcc_s_seh-1.dll, libwinpthread-1.dll, zlib1.dll, ...). A program run from a USB drive
# finds none of those on a stranger's computer. Does nothing for other systems.
function(kivola_check_windows_imports target)
  if(NOT WIN32)
    return()
  endif()
  find_program(KIVOLA_MINGW_OBJDUMP NAMES ${KIVOLA_MINGW_TARGET}-objdump x86_64-w64-mingw32-objdump
    REQUIRED)
  if(NOT DEFINED CACHE{KIVOLA_TOOLCHAIN_DLLS})
    # Every DLL in the compiler's own library folder and in the sysroot.
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
      OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(compiler_libs "${libgcc}" DIRECTORY)
    set(dlls)
    foreach(folder "${compiler_libs}" ${CMAKE_FIND_ROOT_PATH})
      file(GLOB_RECURSE found "${folder}/*.dll")
      foreach(dll ${found})
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" name)
        list(APPEND dlls "${name}")
      endforeach()
    endforeach()
    list(REMOVE_DUPLICATES dlls)
    if(NOT dlls)
      message(FATAL_ERROR "found no DLL of the toolchain to check imports against")
    endif()
    set(KIVOLA_TOOLCHAIN_DLLS "${dlls}" CACHE INTERNAL "DLLs the MinGW toolchain ships")
  endif()
  add_test(NAME ${target}.imports_only_system_dlls
    COMMAND ${CMAKE_COMMAND}
      -D "EXECUTABLE=$<TARGET_FILE:${target}>"
      -D "OBJDUMP=${KIVOLA_MINGW_OBJDUMP}"
      -D "FORBIDDEN=${KIVOLA_TOOLCHAIN_DLLS}"
      -P "${PROJECT_SOURCE_DIR}/cmake/CheckWindowsImports.cmake")
endfunction()
