# The licences of the compiler's runtimes that are linked into KIVOLA.exe (it is linked -static),
# from their Debian packages:
#
#   cmake -D "FILES=libwinpthread.a=/usr/...;..." -D OUT=<folder> -P WindowsLicences.cmake
#
# A runtime no package owns, or whose package has no copyright file, fails the build.
cmake_minimum_required(VERSION 3.25)
foreach(required FILES OUT)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "WindowsLicences.cmake needs -D ${required}=...")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/CarryLicences.cmake)
file(REMOVE_RECURSE "${OUT}")
carry_licences("${FILES}" "${OUT}" ""
  "The Windows edition, KIVOLA.exe, has these runtime libraries of its compiler (MinGW-w64\n\
and GCC) built in, as Debian 12 builds them.")
