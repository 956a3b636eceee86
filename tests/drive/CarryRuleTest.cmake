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
  if(NOT DEFINED plugins_dir)
    set(plugins_dir "${PLUGINS_DIR}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND}
      -D "EXECUTABLE=${PLUGINS_DIR}/platforms/libqxcb.so"
      -D "PLUGINS_DIR=${plugins_dir}"
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
  # Each carried file is named in the licences' index with the copyright file it falls under,
  # and that file is there; Qt's LGPL sources are named with their version.
  file(READ "${WORK}/stated/licenses/README.txt" index)
  foreach(name ${carried} plugins/platforms/libqxcb.so plugins/imageformats/libqgif.so)
    if(NOT name MATCHES "^plugins/")
      set(name "lib/${name}")
    endif()
    string(REGEX REPLACE "([.+])" "\\\\\\1" pattern "${name}")
    if(NOT index MATCHES "(^|\n)${pattern}\n    ([^ \n]+\\.txt) ")
      fail("the licence index does not name ${name}")
    elseif(NOT EXISTS "${WORK}/stated/licenses/${CMAKE_MATCH_2}")
      fail("${name}'s licence ${CMAKE_MATCH_2} is not staged")
    endif()
  endforeach()
  if(NOT index MATCHES "qt6-base [0-9][^ ]*: https://snapshot\\.debian\\.org/package/qt6-base/")
    fail("the index does not say where Qt's LGPL source is: ${index}")
  endif()
endif()

# A plugin that no package owns has no licence text to carry: the build fails, naming it.
set(plugins_dir "${WORK}/unowned-plugins")
file(COPY "${PLUGINS_DIR}/imageformats/libqgif.so" DESTINATION "${plugins_dir}/imageformats")
carry(unowned "${OLDEST}" "imageformats/libqgif.so" code out)
unset(plugins_dir)
if(code EQUAL 0)
  fail("a plugin without a licence was carried")
elseif(NOT out MATCHES "imageformats/libqgif\\.so: no Debian package owns")
  fail("the refusal does not name the plugin without a licence: ${out}")
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
