# Every target of the project links kivola_warnings, so one list governs the whole build.
add_library(kivola_warnings INTERFACE)
target_compile_options(kivola_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Werror)
