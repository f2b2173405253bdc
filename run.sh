#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine with the example plots,
# on $DISPLAY or, when there is none, on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
source tests/wine/ensure-packages.sh
source tests/wine/wine-env.sh
merva_ensure_packages cmake make mingw-w64 g++-mingw-w64-x86-64-posix wine64 wine xvfb xauth fonts-wine

cmake -S . -B build/x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
  >build/x86_64.configure.log 2>&1 || { cat build/x86_64.configure.log; exit 1; }
cmake --build build/x86_64 -j "$(nproc)"

program=build/x86_64/app/merva95.exe
if [ ! -f "$program" ]; then
  echo "The build did not produce $program." >&2
  exit 1
fi

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:77
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  # The private display ends with this script, however the program ends.
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  echo "No display: started Xvfb on $DISPLAY (pid $xvfb_pid)."
  sleep 1
fi
merva_wine_prefix "$root/build/x86_64" x11
cp examples/*.GRF "$(dirname "$program")/" 2>/dev/null || true
merva_wine "$program" /intro "$@" || true
exit 0
