# Sourced by test.sh and run.sh: a private Wine prefix per build tree.
#   merva_wine_prefix BUILD_DIR [null|x11]  -> exports WINEPREFIX, creates it once
#   merva_wine PROGRAM ARGS...              -> runs a Windows program in it
WINE64=${WINE64:-/usr/lib/wine/wine64}
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)

merva_wine_prefix() {
  local build_dir=$1 driver=${2:-null}
  export WINEPREFIX="$build_dir/wineprefix-$driver"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/.merva-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot --init >/dev/null 2>&1 || true
    wineserver_wait
    if [ "$driver" = null ]; then
      "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    wineserver_wait
    touch "$WINEPREFIX/.merva-ready"
  fi
}

wineserver_wait() {
  local server
  server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  "$server" -w 2>/dev/null || true
}

merva_wine() {
  "$WINE64" "$@"
}
