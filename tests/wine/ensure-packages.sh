# Sourced by test.sh and run.sh: installs the Debian packages that are missing.
merva_ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and testing need (no i386 architecture: 64-bit Wine only).
MERVA_BUILD_PACKAGES=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev
  libbenchmark-dev mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 wine xvfb xauth x11-utils gnuplot-nox
  cups printer-driver-cups-pdf poppler-utils libwmf-bin libreoffice-draw-nogui netpbm
  libreoffice-calc-nogui python3-numpy python3-pandas)
