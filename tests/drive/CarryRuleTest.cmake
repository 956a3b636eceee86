# What cmake/CarryLibraries.cmake carries and refuses, on this machine's own Qt xcb plugin
# standing in for the program:
#   cmake -D SOURCE_DIR=... -D WORK=... -D PLUGINS_DIR=... -D OLDEST=... -P CarryRuleTest.cmake
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail message)
  string(APPEND failures "  ${message}\n")
endmacro()

# carry(NAME OLDEST PLUGINS RESULT OUTPUT): runs the script into WORK/NAME.
function(carry name oldest plugins result output)
  execute_process(COMMAND ${CMAKE_COMMAND}
      -D "EXECUTABLE=${PLUGINS_DIR}/platforms/libqxcb.so"
      -D "PLUGINS_DIR=${PLUGINS_DIR}"
      -D "PLUGINS=${plugins}"
      -D "OLDEST=${oldest}"
      -D "STAGE=${WORK}/${name}"
      -D "LIST=${WORK}/${name}.txt"
      -P ${SOURCE_DIR}/cmake/CarryLibraries.cmake
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} "${code}" PARENT_SCOPE)
  set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# At the stated versions: Qt and the companions a desktop may lack are carried, as plain files
# under their sonames; the machine's own libraries, and what only they need, are not.
carry(stated "${OLDEST}" "platforms/libqxcb.so;imageformats/libqgif.so" code out)
if(NOT code EQUAL 0)
  fail("carrying at the stated versions failed: ${out}")
else()
  file(STRINGS "${WORK}/stated.txt" carried)
  foreach(name libQt6Core.so.6 libQt6XcbQpa.so.6 libicuuc.so.72 libicudata.so.72
      libdouble-conversion.so.3 libpcre2-16.so.0 libxcb-icccm.so.4 libxkbcommon-x11.so.0)
    if(NOT name IN_LIST carried)
      fail("${name} is not carried")
    elseif(IS_SYMLINK "${WORK}/stated/lib/${name}" OR NOT EXISTS "${WORK}/stated/lib/${name}")
      fail("${name} is not a plain file in the stage")
    endif()
  endforeach()
  foreach(name libc.so.6 libm.so.6 libstdc++.so.6 libgcc_s.so.1 libX11.so.6 libxcb.so.1
      libxcb-xkb.so.1 libfontconfig.so.1 libfreetype.so.6 libpng16.so.16 libexpat.so.1
      libXau.so.6)
    if(name IN_LIST carried)
      fail("${name}, the machine's own, is carried")
    endif()
  endforeach()
  foreach(plugin platforms/libqxcb.so imageformats/libqgif.so)
    if(NOT EXISTS "${WORK}/stated/plugins/${plugin}")
      fail("${plugin} is not staged")
    endif()
  endforeach()
endif()

# Asking less of the machine than Qt Core needs fails, naming the version.
carry(older "GLIBC=2.17;GLIBCXX=3.4.30" "platforms/libqxcb.so" code out)
if(code EQUAL 0)
  fail("a glibc older than Qt needs was accepted")
elseif(NOT out MATCHES "needs GLIBC_2\\.[0-9]+, newer than[ \n]+the 2\\.17")
  fail("the refusal does not name the glibc versions: ${out}")
endif()

# A plugin the machine lacks fails rather than leaving it off the drive.
carry(missing "${OLDEST}" "platforms/libqxcb.so;platforms/libnosuchplatform.so" code out)
if(code EQUAL 0)
  fail("a missing plugin was accepted")
elseif(NOT out MATCHES "libnosuchplatform")
  fail("the refusal does not name the missing plugin: ${out}")
endif()

if(failures)
  message(FATAL_ERROR "CarryLibraries.cmake:\n${failures}")
endif()
message(STATUS "carry rule: all checks passed")
