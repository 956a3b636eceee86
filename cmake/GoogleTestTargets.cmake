# Provides GTest::gtest, GTest::gtest_main and GTest::gmock for the tests. A native build uses
# Debian's packaged libraries; a Windows cross-build cannot link those, so it compiles the same
# GoogleTest sources with its own toolchain.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(KIVOLA_GOOGLETEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest sources compiled for the cross-build (Debian's googletest package)")
  if(NOT EXISTS "${KIVOLA_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "No GoogleTest sources in ${KIVOLA_GOOGLETEST_SOURCE_DIR} "
      "(apt-get install googletest, or set KIVOLA_GOOGLETEST_SOURCE_DIR)")
  endif()
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_SHARED_LIBS OFF)
  # SYSTEM: GoogleTest's headers get -isystem, so the project's -Werror warning set judges only
  # the project's own code, as it does with the packaged headers in /usr/include.
  add_subdirectory("${KIVOLA_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest"
    EXCLUDE_FROM_ALL SYSTEM)
  # GoogleTest 1.11 and later name them so itself; older sources get the names here.
  foreach(library gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
