# kivola_windows_programs(TARGET OUTPUT-FOLDER): the target making two small Windows programs
# with the cross toolchain: WithIcons.exe, carrying the icon groups of Icons.rc, and NoIcon.exe,
# carrying none. Sets KIVOLA_WINDOWS_PROGRAMS_MADE in the caller to whether the toolchain and
# ImageMagick are there to make them.
set(KIVOLA_WINDOWS_PROGRAMS_SOURCES ${CMAKE_CURRENT_LIST_DIR})
function(kivola_windows_programs target programs)
  find_program(KIVOLA_MINGW_CC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc)
  find_program(KIVOLA_MINGW_WINDRES x86_64-w64-mingw32-windres)
  find_program(KIVOLA_CONVERT convert)
  if(NOT CMAKE_HOST_UNIX OR NOT KIVOLA_MINGW_CC OR NOT KIVOLA_MINGW_WINDRES OR NOT KIVOLA_CONVERT)
    set(KIVOLA_WINDOWS_PROGRAMS_MADE FALSE PARENT_SCOPE)
    return()
  endif()
  set(sources ${KIVOLA_WINDOWS_PROGRAMS_SOURCES})
  add_custom_command(OUTPUT ${programs}/icons.ico ${programs}/other.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${programs}
    # ImageMagick codes a 256 pixel entry as PNG, the smaller ones as bitmaps.
    COMMAND ${KIVOLA_CONVERT} -size 16x16 xc:red -size 32x32 xc:lime -size 48x48 xc:blue
      -size 256x256 xc:yellow ${programs}/icons.ico
    COMMAND ${KIVOLA_CONVERT} -size 40x40 xc:magenta ${programs}/other.ico
    VERBATIM)
  add_custom_command(OUTPUT ${programs}/icons.o
    COMMAND ${KIVOLA_MINGW_WINDRES} -I ${programs} ${sources}/Icons.rc -o ${programs}/icons.o
    DEPENDS ${sources}/Icons.rc ${programs}/icons.ico ${programs}/other.ico
    VERBATIM)
  add_custom_command(OUTPUT ${programs}/WithIcons.exe ${programs}/NoIcon.exe
    COMMAND ${KIVOLA_MINGW_CC} -std=c11 -O2 -s -o ${programs}/WithIcons.exe
      ${sources}/MarkerProgram.c ${programs}/icons.o
    COMMAND ${KIVOLA_MINGW_CC} -std=c11 -O2 -s -o ${programs}/NoIcon.exe
      ${sources}/MarkerProgram.c
    DEPENDS ${sources}/MarkerProgram.c ${programs}/icons.o
    VERBATIM)
  add_custom_target(${target} DEPENDS ${programs}/WithIcons.exe ${programs}/NoIcon.exe)
  set(KIVOLA_WINDOWS_PROGRAMS_MADE TRUE PARENT_SCOPE)
endfunction()
