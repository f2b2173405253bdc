#!/usr/bin/env bash
# The setup program of a Windows build tree in a fresh Wine prefix of its own:
# installer_tests.exe installs silently, checks and uses the install and
# removes it with the program's "/uninstall"; after the restart that carries
# out the removals left for it, the prefix's files and registry must be as
# they were before the install. Then a second program's count on KORV32.DLL
# must keep the library through a removal.
set -uo pipefail
build_dir=$(cd "${1:?usage: check-installer.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine/wine-env.sh"
setup=$build_dir/installer/merva95-setup.exe
tests=$build_dir/tests/installer/installer_tests.exe
for file in "$setup" "$tests"; do
  [ -f "$file" ] || { echo "FAILED: $file is not built"; exit 1; }
done

rm -rf "$build_dir/wineprefix-install"
merva_wine_prefix "$build_dir" null install || exit 1
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

# The prefix as files and registry text, without the temporary folders.
snapshot() {  # name
  (cd "$WINEPREFIX/drive_c" && find . -path ./windows/temp -prune -o -path './users/*/Temp' -prune \
    -o -path './users/*/AppData/Local/Temp' -prune -o -print | LC_ALL=C sort) >"$work/$1.files"
  local hive
  # The software keys: Wine rewrites its hardware keys on every restart.
  for hive in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
    merva_wine regedit /E "$(winepath -w "$work/$1.$hive.reg" 2>/dev/null)" "$hive\Software" \
      >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$work/$1.$hive.reg" 2>/dev/null | tr -d '\r' >"$work/$1.$hive.txt"
  done
  wineserver_wait
}

export MERVA_SETUP
MERVA_SETUP=$(winepath -w "$setup" 2>/dev/null)
snapshot before
status=0
merva_wine "$tests" --gtest_brief=1 --gtest_filter='Install.*' || status=1
merva_wine wineboot -r >/dev/null 2>&1
wineserver_wait
snapshot after
echo "[ RUN      ] Install.ThePrefixIsAsItWasBeforeTheInstall"
left=0
for part in files HKEY_LOCAL_MACHINE.txt HKEY_CURRENT_USER.txt; do
  diff -u "$work/before.$part" "$work/after.$part" >>"$work/diff" || left=1
done
if [ "$left" -eq 0 ]; then
  echo "[       OK ] Install.ThePrefixIsAsItWasBeforeTheInstall"
  echo "[  PASSED  ] 1 test."
else
  head -60 "$work/diff"
  echo "[  FAILED  ] Install.ThePrefixIsAsItWasBeforeTheInstall"
  echo "[  FAILED  ] 1 test, listed below:"
  status=1
fi
merva_wine "$tests" --gtest_brief=1 --gtest_filter='SharedLibrary.*' || status=1
exit $status
