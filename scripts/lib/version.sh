# shellcheck shell=bash
# Sourced. kivola_version SOURCE-ROOT: the project's one version, from CMakeLists.txt's project().
kivola_version() {
  sed -n 's/^project(kivola VERSION \([0-9][0-9.]*\) .*/\1/p' "$1/CMakeLists.txt"
}
