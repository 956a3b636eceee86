# A release is built twice from one commit into byte-identical programs, wherever the source
# and the build lie: the compilers write paths relative to the source root (the release has no
# debug information, but __FILE__ and the like remain), and ccache, which maps paths under its
# base folder, then cannot hand out an object that names another worktree's folder either.
# Debug builds keep their absolute paths for the debugger.
set(kivola_mapped "$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:C,CXX>>")
add_compile_options(
  "$<${kivola_mapped}:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
  "$<${kivola_mapped}:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")

# Qt's resource compiler stamps each file with its time on disk from format 2 on, which a fresh
# checkout sets to the time of checking out; the program never asks a resource for its time.
set(CMAKE_AUTORCC_OPTIONS --format-version 1)
