#!/usr/bin/env bash
# Builds everything (native, sanitizers, fuzzers, x86_64 and i686 Windows)
# and runs every test, natively and under Wine.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
# Install first: nothing before this line may need a package.
source tests/wine/ensure-packages.sh
merva_ensure_packages "${MERVA_BUILD_PACKAGES[@]}"
source tests/wine/wine-env.sh

jobs=$(nproc)
fuzz_seconds=${MERVA_FUZZ_SECONDS:-16}  # ten targets: the step stays within 3 minutes
passed=0
failed=0
failures=()

configure_and_build() {  # dir, cmake args...
  local dir=$1
  shift
  cmake -S "$root" -B "$root/build/$dir" "$@" >"$root/build/$dir.configure.log" 2>&1 ||
    { cat "$root/build/$dir.configure.log"; return 1; }
  cmake --build "$root/build/$dir" -j "$jobs"
}

step() {  # name, command...: a step that counts as one test
  local name=$1
  shift
  echo "=== $name"
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$name")
  fi
}

gtest_step() {  # name, command...: counts the GoogleTest cases it runs
  local name=$1 log ok=1 n_passed n_failed
  shift
  echo "=== $name"
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || ok=0
  [ "${PIPESTATUS[0]}" -eq 0 ] || ok=0
  n_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | awk '{s+=$1} END {print s+0}')
  n_failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | awk '{s+=$1} END {print s+0}')
  rm -f "$log"
  passed=$((passed + n_passed))
  failed=$((failed + n_failed))
  if [ "$ok" -eq 0 ]; then
    [ "$n_failed" -gt 0 ] || failed=$((failed + 1))
    failures+=("$name")
  fi
}

step "both scripts start on a machine without their packages" tests/setup/check-fresh-start.sh

mkdir -p build
echo "=== build: native"
configure_and_build native -DCMAKE_BUILD_TYPE=Release
echo "=== build: sanitizers"
configure_and_build sanitize -DCMAKE_BUILD_TYPE=Debug -DMERVA_SANITIZE=ON -DMERVA_BENCH=OFF
echo "=== build: fuzzers"
configure_and_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DMERVA_FUZZ=ON -DMERVA_BENCH=OFF
echo "=== build: x86_64-w64-mingw32"
configure_and_build x86_64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
echo "=== build: i686-w64-mingw32"
configure_and_build i686 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"

gtest_step "native unit tests" build/native/tests/portable_tests --gtest_brief=1
gtest_step "native unit tests (address and undefined-behaviour sanitizers)" \
  build/sanitize/tests/portable_tests --gtest_brief=1
step "curve editing against numpy and scipy" \
  /usr/bin/python3 tests/reference/editing_reference.py build/native/tests/reference/editing_driver
step "curve analysis against numpy" /usr/bin/python3 tests/reference/check_analysis.py \
  build/native/tests/reference/analysis_driver
step "least-squares curve fit against numpy.polyfit" \
  /usr/bin/python3 tests/reference/check_fit.py build/native/tests/reference/fit_driver
step "digital filters against scipy" /usr/bin/python3 tests/reference/filter_reference.py \
  build/native/tests/reference/filter_driver
step "FFT and smoothing against numpy" /usr/bin/python3 tests/reference/fft_reference.py \
  build/native/tests/reference/fft_driver
step "record integration and differentiation against numpy and scipy" \
  /usr/bin/python3 tests/reference/integration_reference.py build/native/tests/reference/integration_driver
gtest_step "CSV written by LibreOffice Calc read as columns, against pandas" \
  /usr/bin/python3 tests/io/libreoffice_csv.py build/native/tests/portable_tests
step "CSV export read back by LibreOffice Calc and gnuplot" \
  /usr/bin/python3 tests/io/export_readers.py build/native/tests/portable_tests
for fuzzer in build/fuzz/tests/fuzz/*_fuzzer; do
  [ -x "$fuzzer" ] || continue
  corpus="build/fuzz/corpus-$(basename "$fuzzer")"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/$(basename "$fuzzer" _fuzzer)"
  step "fuzz $(basename "$fuzzer") for ${fuzz_seconds}s" \
    "$fuzzer" -max_total_time="$fuzz_seconds" -max_len=65536 -rss_limit_mb=2048 \
    "$corpus" $( [ -d "$seeds" ] && echo "$seeds" )
done

step "help pages: reference, F1 coverage, links, tidy, Chromium screenshots" \
  /usr/bin/python3 tests/help/check_help.py "$root/build/help"

merva_wine_prefix "$root/build/x86_64" null
gtest_step "unit tests under Wine (x86_64)" merva_wine build/x86_64/tests/portable_tests.exe \
  --gtest_brief=1
if [ -f build/x86_64/tests/win32/win32_tests.exe ]; then
  gtest_step "Win32 layer tests under Wine (x86_64)" merva_wine build/x86_64/tests/win32/win32_tests.exe \
    --gtest_brief=1
fi
gtest_step "end-to-end tests under Wine" tests/wine/run-end-to-end.sh "$root/build/x86_64"
wineserver_wait
gtest_step "setup program in a fresh prefix (x86_64)" tests/installer/check-installer.sh "$root/build/x86_64"
merva_wine_prefix "$root/build/x86_64" null

echo
for f in "${failures[@]+"${failures[@]}"}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
