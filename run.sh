#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine with the example plots,
# on $DISPLAY or, when there is none, on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
# Install first: nothing before this line may need a package.
source tests/wine/ensure-packages.sh
merva_ensure_packages "${MERVA_RUN_PACKAGES[@]}"
source tests/wine/wine-env.sh

mkdir -p build
cmake -S . -B build/x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
  >build/x86_64.configure.log 2>&1 || { cat build/x86_64.configure.log; exit 1; }
# Only what the user starts: the program (with its library and help) and the
# macro editor it runs; the test programs wait for ./test.sh.
targets=(merva95)
available=$(cmake --build build/x86_64 --target help)
for target in merva95_help_reference mvmac95; do
  if grep -qw "$target" <<<"$available"; then targets+=("$target"); fi
done
cmake --build build/x86_64 -j "$(nproc)" --target "${targets[@]}"

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
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
    sleep 0.1
  done
fi
merva_wine_prefix "$root/build/x86_64" x11
cp examples/*.GRF "$(dirname "$program")/" 2>/dev/null || true
merva_wine "$program" /intro "$@" || true
exit 0
