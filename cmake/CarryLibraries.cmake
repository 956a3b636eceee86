# The Linux edition on a drive carries the shared libraries and Qt plugins a desktop Linux may
# lack, in the hidden folder beside the program (`.kivola/VERSION/lib`, `.../plugins`), and must
# not need newer system libraries than it promises. Run after the program is linked:
#
#   cmake -D EXECUTABLE=kivola -D PLUGINS_DIR=<Qt's plugin folder>
#         -D "PLUGINS=platforms/libqxcb.so;..." -D "OLDEST=GLIBC=2.35;GLIBCXX=3.4.30"
#         -D STAGE=<folder to fill> -D LIST=<file> [-D PROJECT_LICENSE=<file>]
#         -P CarryLibraries.cmake
#
# PLUGINS are globs under PLUGINS_DIR; each must match at least one file, so that a missing
# plugin package fails the build instead of a drive. OLDEST names, for each symbol-versioned
# library the machine must provide, the newest version any of the program, the plugins and the
# carried libraries may ask for; asking for more fails. STAGE is emptied and filled with lib/,
# plugins/ and licenses/; LIST receives the carried libraries, one a line.
#
# What is carried is passed on with its licence: licenses/ gets the Debian copyright file of the
# package each carried library and plugin comes from (one per source package), an index of
# which file is whose, and where the sources of the LGPL ones are (the Debian source packages,
# in the versions carried). A file no package owns, or a package without its copyright file,
# fails the build: nothing goes onto a drive that may not be passed on. PROJECT_LICENSE, when
# given, joins them as KIVOLA.txt.
#
# What is carried: every library `ldd` lists for the program and the plugins, except those of
# the system itself (the pattern below) and everything those need in turn. The system's are the
# C library and the C++ runtime, and the client libraries of the machine's display server,
# graphics driver and font configuration, which must match the machine they run on and which
# every desktop has. The C++ runtime stays the machine's: Debian 12's libstdc++ needs glibc 2.36
# (arc4random) where Qt needs 2.35, so carrying it would shut out the 2.35 systems (Ubuntu 22.04,
# Fedora 36), which have GCC 12's libstdc++ or a newer one, and a newer one serves older
# programs; a carried one would also be forced on the machine's own libraries in the process
# (a graphics driver) that may need a newer one.
cmake_minimum_required(VERSION 3.25)

foreach(required EXECUTABLE PLUGINS_DIR PLUGINS OLDEST STAGE LIST)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "CarryLibraries.cmake needs -D ${required}=...")
  endif()
endforeach()
if(NOT DEFINED OBJDUMP)
  set(OBJDUMP objdump)
endif()

set(system_pattern "^(")
string(APPEND system_pattern
  # the C library
  "ld-linux.*|libc|libm|libdl|libpthread|librt|libresolv|libutil|libanl|libmvec"
  # the C++ runtime
  "|libstdc\\+\\+|libgcc_s"
  # the display server's clients: X11, the X protocol bindings of xcb (not the xcb-util
  # helpers, which many desktops lack), Wayland
  "|libX11|libX11-xcb|libXau|libXdmcp|libXext|libXrender|libXi|libXfixes|libXrandr|libXcursor"
  "|libxcb|libxcb-(composite|damage|dpms|dri2|dri3|glx|present|randr|record|render|res"
  "|screensaver|shape|shm|sync|xf86dri|xfixes|xinerama|xinput|xkb|xtest|xv|xvmc)"
  "|libwayland-client|libwayland-cursor|libwayland-egl"
  # the graphics driver's
  "|libGL|libGLX|libEGL|libOpenGL|libGLdispatch|libgbm|libdrm"
  # the font configuration's
  "|libfontconfig|libfreetype"
  ")\\.so(\\..*)?$")

# ldd_of(FILE OUT): the libraries FILE loads, as soname=path pairs.
function(ldd_of file out)
  execute_process(COMMAND ldd "${file}" OUTPUT_VARIABLE text ERROR_VARIABLE error
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "ldd ${file} failed: ${error}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${text}")
  set(pairs)
  foreach(line ${lines})
    if(line MATCHES "^[ \t]*([^ \t]+) => not found")
      message(FATAL_ERROR "${file} needs ${CMAKE_MATCH_1}, which this machine lacks")
    elseif(line MATCHES "^[ \t]*([^ \t]+) => (/[^ \t]+)")
      list(APPEND pairs "${CMAKE_MATCH_1}=${CMAKE_MATCH_2}")
    endif()
  endforeach()
  set(${out} "${pairs}" PARENT_SCOPE)
endfunction()

# The program's run path leads into the stage: an earlier stage must not answer ldd.
file(REMOVE_RECURSE "${STAGE}/lib" "${STAGE}/plugins" "${STAGE}/licenses")

set(plugins)
foreach(pattern ${PLUGINS})
  file(GLOB found RELATIVE "${PLUGINS_DIR}" "${PLUGINS_DIR}/${pattern}")
  if(NOT found)
    message(FATAL_ERROR "no Qt plugin ${pattern} in ${PLUGINS_DIR}: is its package installed?")
  endif()
  list(APPEND plugins ${found})
endforeach()
list(REMOVE_DUPLICATES plugins)
list(SORT plugins)

# Everything the program and the plugins load.
set(all_names)
foreach(object "${EXECUTABLE}" ${plugins})
  if(NOT IS_ABSOLUTE "${object}")
    set(object "${PLUGINS_DIR}/${object}")
  endif()
  ldd_of("${object}" pairs)
  foreach(pair ${pairs})
    string(REGEX REPLACE "=.*" "" name "${pair}")
    string(REGEX REPLACE "^[^=]*=" "" path "${pair}")
    if(NOT name IN_LIST all_names)
      list(APPEND all_names "${name}")
      set(path_of_${name} "${path}")
    endif()
  endforeach()
endforeach()

# The system's, and what they need in turn: present wherever they are.
set(system_names)
foreach(name ${all_names})
  if(name MATCHES "${system_pattern}")
    list(APPEND system_names "${name}")
    ldd_of("${path_of_${name}}" pairs)
    foreach(pair ${pairs})
      string(REGEX REPLACE "=.*" "" needed "${pair}")
      list(APPEND system_names "${needed}")
    endforeach()
  endif()
endforeach()
set(carried)
foreach(name ${all_names})
  if(NOT name IN_LIST system_names)
    list(APPEND carried "${name}")
  endif()
endforeach()
list(SORT carried)

# The newest version of each system library any of them asks for, from the version references
# of each object.
set(checked)
foreach(entry ${OLDEST})
  string(REGEX REPLACE "=.*" "" family "${entry}")
  string(REGEX REPLACE "^[^=]*=" "" limit "${entry}")
  list(APPEND checked "${family}")
  set(limit_${family} "${limit}")
  set(newest_${family} "0")
endforeach()
foreach(object "${EXECUTABLE}" ${plugins} ${carried})
  if(DEFINED path_of_${object})
    set(object "${path_of_${object}}")
  elseif(NOT IS_ABSOLUTE "${object}")
    set(object "${PLUGINS_DIR}/${object}")
  endif()
  execute_process(COMMAND "${OBJDUMP}" -p "${object}" OUTPUT_VARIABLE dump
    ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${object} failed: ${error}")
  endif()
  string(REGEX MATCHALL "[A-Z]+_[0-9]+(\\.[0-9]+)+" versions "${dump}")
  foreach(version ${versions})
    string(REGEX REPLACE "_.*" "" family "${version}")
    string(REGEX REPLACE "^[^_]*_" "" version "${version}")
    if(family IN_LIST checked AND version VERSION_GREATER newest_${family})
      set(newest_${family} "${version}")
      set(newest_in_${family} "${object}")
    endif()
  endforeach()
endforeach()
set(summary)
foreach(family ${checked})
  if(newest_${family} STREQUAL "0")
    message(FATAL_ERROR "no object asks for any ${family} version: the dumps were not read")
  endif()
  if(newest_${family} VERSION_GREATER limit_${family})
    message(FATAL_ERROR "${newest_in_${family}} needs ${family}_${newest_${family}}, newer than "
      "the ${limit_${family}} the Linux edition promises (KIVOLA_OLDEST_SYSTEM, README.md)")
  endif()
  list(APPEND summary "${family} ${newest_${family}}")
endforeach()
list(JOIN summary ", " summary)

# The stage: each library under its soname (a drive may hold no links), the plugins in the
# folders Qt looks for them in.
file(MAKE_DIRECTORY "${STAGE}/lib")
set(listing "")
foreach(name ${carried})
  file(COPY_FILE "${path_of_${name}}" "${STAGE}/lib/${name}")
  string(APPEND listing "${name}\n")
endforeach()
foreach(plugin ${plugins})
  get_filename_component(folder "${plugin}" DIRECTORY)
  file(MAKE_DIRECTORY "${STAGE}/plugins/${folder}")
  file(COPY_FILE "${PLUGINS_DIR}/${plugin}" "${STAGE}/plugins/${plugin}")
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/CarryLicences.cmake)
set(staged_files)
foreach(name ${carried})
  list(APPEND staged_files "lib/${name}=${path_of_${name}}")
endforeach()
foreach(plugin ${plugins})
  list(APPEND staged_files "plugins/${plugin}=${PLUGINS_DIR}/${plugin}")
endforeach()
carry_licences("${staged_files}" "${STAGE}/licenses" "${PROJECT_LICENSE}"
  "The Linux edition, kivola, carries these libraries (in lib/ beside this folder, where you\n\
may replace any of them with your own build of it) and Qt plugins (in plugins/), as Debian\n\
12 builds them.")
file(WRITE "${LIST}" "${listing}")
list(LENGTH carried carried_count)
list(LENGTH plugins plugin_count)
message(STATUS "Carried: ${carried_count} libraries, ${plugin_count} Qt plugins; the newest "
  "system versions asked for: ${summary}")
