#!/usr/bin/env bash
# Starts ./test.sh and ./run.sh as on a machine that has none of their
# packages: in a private mount namespace with Wine and the alternatives links
# (compilers, awk) hidden under empty folders, in a copy of the scripts with
# no build folder, and with stub dpkg-query (nothing installed) and apt-get
# early in PATH. Each script must reach its install step before it needs any
# package; run.sh must then get through configure and build on a fresh tree.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)

if ! unshare -m true 2>/dev/null; then
  echo "SKIPPED: fresh-start check: this sandbox refuses a private mount namespace (unshare -m)."
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

make_tree() {  # the scripts as a fresh clone has them: no build folder
  rm -rf "$work/tree"
  mkdir -p "$work/tree/tests/wine"
  cp "$root/run.sh" "$root/test.sh" "$work/tree/"
  cp "$root/tests/wine/ensure-packages.sh" "$root/tests/wine/wine-env.sh" "$work/tree/tests/wine/"
}

make_stubs() {  # install_status: what the stub apt-get install answers
  rm -rf "$work/stubs" && mkdir -p "$work/stubs"
  printf '#!/bin/sh\nexit 1\n' >"$work/stubs/dpkg-query"
  cat >"$work/stubs/apt-get" <<STUB
#!/bin/sh
echo "apt-get \$*" >>"$work/calls"
case " \$* " in *" install "*) exit $1 ;; esac
exit 0
STUB
  # cmake records its calls and builds nothing.
  cat >"$work/stubs/cmake" <<STUB
#!/bin/sh
echo "cmake \$*" >>"$work/calls"
exit 0
STUB
  chmod +x "$work/stubs/"*
}

run_hidden() {  # script: runs it with Wine and the alternatives hidden
  rm -f "$work/calls"
  unshare -m bash -c '
    mount -t tmpfs none /etc/alternatives || exit 90
    [ ! -d /usr/lib/wine ] || mount -t tmpfs none /usr/lib/wine || exit 90
    cd "$1" && PATH="$2:$PATH" DISPLAY= timeout 60 bash "./$3"' _ \
    "$work/tree" "$work/stubs" "$1" >"$work/out" 2>&1
}

expect() {  # description, condition...
  if "${@:2}"; then
    echo "[       OK ] $1"
  else
    echo "[  FAILED  ] $1"
    sed 's/^/    | /' "$work/out"
    failures=$((failures + 1))
  fi
}

installs() { grep -q "^apt-get .*install.* $2\( \|$\)" "$work/calls" 2>/dev/null && [ -n "$1" ]; }
no_lookup_errors() { ! grep -Eq 'command not found|No such file or directory' "$work/out"; }

for script in test.sh run.sh; do
  make_tree
  make_stubs 1
  run_hidden "$script"
  expect "$script reaches its install step on a bare machine" grep -q '^Installing: ' "$work/out"
  expect "$script asks for nothing before installing" no_lookup_errors
  for package in wine64 mingw-w64 fonts-wine; do
    expect "$script installs $package" installs "$script" "$package"
  done
done

# With the packages "installed", run.sh configures and builds in a tree that has
# no build folder yet, and builds only what it starts.
make_tree
make_stubs 0
run_hidden run.sh
expect "run.sh configures a fresh tree" grep -qs '^cmake -S \. -B build/x86_64' "$work/calls"
expect "run.sh builds only the program and what it starts" \
  grep -Eqs '^cmake --build build/x86_64 .*--target merva95( merva95_help_reference)?( mvmac95)?$' "$work/calls"
expect "run.sh reports the missing program, not a shell error" \
  grep -q 'The build did not produce build/x86_64/app/merva95.exe' "$work/out"

[ "$failures" -eq 0 ]
