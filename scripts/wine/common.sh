# shellcheck shell=bash
# The Wine set-up shared by scripts/wine/run and scripts/wine/stop. Sourced, not run.
#
# Each build keeps a Wine prefix of its own, so tests never touch ~/.wine and never depend on
# what a developer has installed there. One prefix per graphics driver: Wine picks the driver
# when its desktop starts, so console tests (driver "null", no X server needed) and GUI tests
# under Xvfb (driver "x11") cannot share one running prefix.
#
# Environment:
#   KIVOLA_WINE_PREFIX    the prefix folder, over the --prefix the build passes
#   KIVOLA_WINE_GRAPHICS  null (default) or x11; x11 uses the prefix folder with "-x11" added
#   KIVOLA_WINE_LANG      the locale the programs see (default C.UTF-8: en-US, code page 1252)
#   KIVOLA_WINEDEBUG      Wine's debug channels when investigating (default: all off)
#
# Written without command substitutions: this runs before every test, and each fork counts.

# Written into the prefix once it is complete; a prefix made by an older set-up is made again.
KIVOLA_WINE_SETUP_VERSION=1

kivola_wine_fail() {
  echo "scripts/wine: $*" >&2
  exit 125
}

# kivola_wine_base PREFIX_FROM_BUILD: sets KIVOLA_WINE_BASE, the null driver's prefix, absolute.
kivola_wine_base() {
  KIVOLA_WINE_BASE="${KIVOLA_WINE_PREFIX:-$1}"
  [ -n "$KIVOLA_WINE_BASE" ] ||
    kivola_wine_fail "no prefix: pass --prefix=DIR or set KIVOLA_WINE_PREFIX"
  case "$KIVOLA_WINE_BASE" in
    /*) ;;
    *) KIVOLA_WINE_BASE="$PWD/$KIVOLA_WINE_BASE" ;;
  esac
}

# kivola_wine_select PREFIX_FROM_BUILD: sets KIVOLA_WINE_DIR, KIVOLA_WINE_SETUP_ID (what the
# complete prefix's marker holds) and the environment Wine reads.
kivola_wine_select() {
  kivola_wine_base "$1"
  KIVOLA_WINE_GRAPHICS="${KIVOLA_WINE_GRAPHICS:-null}"
  case "$KIVOLA_WINE_GRAPHICS" in
    null) KIVOLA_WINE_DIR="$KIVOLA_WINE_BASE" ;;
    x11)
      KIVOLA_WINE_DIR="$KIVOLA_WINE_BASE-x11"
      [ -n "${DISPLAY:-}" ] ||
        kivola_wine_fail "KIVOLA_WINE_GRAPHICS=x11 needs DISPLAY (start Xvfb -noreset)"
      ;;
    *) kivola_wine_fail "KIVOLA_WINE_GRAPHICS must be null or x11, not '$KIVOLA_WINE_GRAPHICS'" ;;
  esac
  KIVOLA_WINE_SETUP_ID="kivola wine prefix v$KIVOLA_WINE_SETUP_VERSION graphics=$KIVOLA_WINE_GRAPHICS"
  KIVOLA_WINE_MARKER="$KIVOLA_WINE_DIR/kivola-prefix"

  export WINEPREFIX="$KIVOLA_WINE_DIR"
  export WINEARCH=win64
  # Debian's wine launcher also stays quiet about the missing 32-bit half only with -all.
  export WINEDEBUG="${KIVOLA_WINEDEBUG:--all}"
  # No Mono or Gecko installer prompts, and no menu entries written into the user's home.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # Wine derives the ANSI code page from the Unix locale: pinned, so that results do not depend
  # on the machine's language.
  export LC_ALL="${KIVOLA_WINE_LANG:-C.UTF-8}"
  unset LANG LANGUAGE
}

kivola_wine_ready() {
  local line=""
  [ -r "$KIVOLA_WINE_MARKER" ] && read -r line <"$KIVOLA_WINE_MARKER"
  [ "$line" = "$KIVOLA_WINE_SETUP_ID" ]
}
