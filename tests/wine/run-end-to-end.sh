#!/usr/bin/env bash
# Runs every end-to-end test program of a Windows build tree under Wine,
# in the tree's null-driver prefix. Exit status: 0 when all pass.
set -uo pipefail
build_dir=${1:?usage: run-end-to-end.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
merva_wine_prefix "$build_dir" null
# The PDF print queue of the printing tests (they skip without it).
"$here/printing/setup-printer.sh" >/dev/null 2>&1 || echo "no PDF print queue: printing tests skip"
# A small file system for the failed-save test (it skips without one).
small_disk="$build_dir/small-disk"
"$here/files/small-disk.sh" mount "$small_disk" && export MERVA_SMALL_DISK="$small_disk"
status=0
shopt -s nullglob
for test in "$build_dir"/tests/wine/*_e2e_tests.exe; do
  echo "--- $(basename "$test")"
  # A hung test must not hang the suite.
  if ! timeout --kill-after=10 600 "$WINE64" "$test" --gtest_brief=1; then
    echo "FAILED: $(basename "$test")"
    status=1
  fi
done
wineserver_wait
"$here/files/small-disk.sh" unmount "$small_disk"
# Other programs read the pictures and the page the printing tests left.
if [ -f "$build_dir/tests/wine/printing_e2e_tests.exe" ]; then
  echo "--- pictures read by other programs"
  "$here/printing/check-pictures.sh" "$build_dir" || { echo "FAILED: pictures"; status=1; }
fi
exit $status
