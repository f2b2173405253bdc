# Sourced by test.sh and run.sh: a private Wine prefix per build tree.
#   merva_wine_prefix BUILD_DIR [null|x11] [NAME]
#                                           -> exports WINEPREFIX (wineprefix-NAME,
#                                              NAME the driver by default), creates it once
#   merva_wine PROGRAM ARGS...              -> runs a Windows program in it
# Sourcing never fails and looks nothing up: the scripts source this before
# they have installed Wine. Wine is found when a prefix is first made.

merva_find_wine() {  # sets WINE64 to the 64-bit Wine loader
  [ -n "${WINE64:-}" ] && [ -x "$WINE64" ] && return 0
  local candidate
  for candidate in /usr/lib/wine/wine64 "$(command -v wine64 2>/dev/null)" \
    "$(command -v wine 2>/dev/null)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      WINE64=$candidate
      return 0
    fi
  done
  echo "Wine is not installed: no /usr/lib/wine/wine64, wine64 or wine." >&2
  return 1
}

merva_wine_prefix() {
  local build_dir=$1 driver=${2:-null}
  merva_find_wine || return 1
  export WINEPREFIX="$build_dir/wineprefix-${3:-$driver}"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  # The mark is written last and names the Wine and fonts it was made with:
  # a prefix whose set-up was interrupted, or that an older Wine or a machine
  # without the Wine fonts left behind, is made again.
  local stamp
  stamp="$("$WINE64" --version 2>/dev/null) fonts: $(ls /usr/share/wine/fonts 2>/dev/null | tr '\n' ' ')"
  if [ "$(cat "$WINEPREFIX/.merva-ready" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot --init >/dev/null 2>&1 || true
    wineserver_wait
    if [ "$driver" = null ]; then
      "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    wineserver_wait
    [ -f "$WINEPREFIX/system.reg" ] || { echo "Wine could not make the prefix $WINEPREFIX." >&2; return 1; }
    printf '%s' "$stamp" >"$WINEPREFIX/.merva-ready"
  fi
}

wineserver_wait() {
  local server
  server=$(command -v wineserver 2>/dev/null || echo /usr/lib/wine/wineserver)
  [ -x "$server" ] || return 0
  "$server" -w 2>/dev/null || true
}

merva_wine() {
  merva_find_wine || return 1
  "$WINE64" "$@"
}
