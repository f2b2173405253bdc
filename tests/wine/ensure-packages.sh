# Sourced by test.sh and run.sh: installs the Debian packages that are missing.
# Sourcing only defines; nothing here may need a package that is not installed yet.
merva_ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 ||
      { echo "These packages are missing and installing them needs root or sudo: ${missing[*]}" >&2; return 1; }
    sudo=(sudo)
  fi
  # Waits for another package manager (a fresh machine's daily upgrade) instead of failing.
  local wait=(-o DPkg::Lock::Timeout=900)
  "${sudo[@]}" apt-get "${wait[@]}" update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait[@]}" install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# What running the program needs (no i386 architecture: 64-bit Wine only);
# python3 makes the help's command reference. Both scripts install the same
# fonts, so that text measures the same in every prefix.
MERVA_RUN_PACKAGES=(cmake make mingw-w64 g++-mingw-w64-x86-64-posix wine64 wine fonts-wine
  xvfb xauth python3)

# What building and testing need.
MERVA_BUILD_PACKAGES=("${MERVA_RUN_PACKAGES[@]}" g++ clang libclang-rt-14-dev googletest libgtest-dev
  libbenchmark-dev g++-mingw-w64-i686-posix x11-utils gnuplot-nox
  cups printer-driver-cups-pdf poppler-utils libwmf-bin libreoffice-draw-nogui netpbm nsis
  tidy chromium libreoffice-calc-nogui)
# The reference scripts of the curve operations and the imports.
MERVA_BUILD_PACKAGES+=(python3-numpy python3-scipy python3-pandas)
MERVA_BUILD_PACKAGES+=(libfftw3-dev)  # the FFT benchmark's peer
