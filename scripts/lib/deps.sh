# Installs Debian packages that are missing. Sourced by the scripts in scripts/.
# Usage: kivola_need_packages pkg...
kivola_need_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run this, then try again:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing ${missing[*]} ..."
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and testing needs on a fresh Debian 12.
KIVOLA_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev)
# xdotool and imagemagick find and read back the window of kivola run from a made drive; strace
# watches what making it does to the drive; weston is the Wayland compositor it runs on.
KIVOLA_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev findutils xvfb xauth fonts-dejavu-core
  xdotool imagemagick strace weston)
# The drive tests pull a real exFAT drive: an image on a loop device, mounted through FUSE.
KIVOLA_TEST_PACKAGES+=(exfatprogs exfat-fuse)
# The Windows edition: MinGW-w64 with POSIX threads and GoogleTest's sources to compile with it,
# and Wine to run its tests (fonts-wine and fonts-liberation give windows their usual fonts).
KIVOLA_WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix googletest)
KIVOLA_WINDOWS_PACKAGES=("${KIVOLA_WINDOWS_BUILD_PACKAGES[@]}" wine wine64 fonts-wine fonts-liberation)
# The benchmarks: the cold start reads a drive through a slow FUSE view of ours (libfuse3),
# evicted from the page cache with vmtouch, and watches X for the windows shown (xcb).
KIVOLA_BENCH_PACKAGES=(libfuse3-dev fuse3 libxcb1-dev vmtouch)
# The fuzzers: clang with libFuzzer and the sanitizers' runtimes.
KIVOLA_FUZZ_PACKAGES=(clang libclang-rt-dev)
# What the Linux edition carries onto a drive besides qt6-base: the Wayland platform plugin.
KIVOLA_DRIVE_PACKAGES=(qt6-wayland)
# The release archive (scripts/make-release): zip packs it, cmark-gfm makes the guide's HTML.
KIVOLA_RELEASE_PACKAGES=(zip cmark-gfm)
# Its test unzips it onto an exFAT image mounted through FUSE.
KIVOLA_TEST_PACKAGES+=(unzip exfatprogs exfat-fuse)
