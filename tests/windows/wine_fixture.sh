#!/usr/bin/env bash
# Sets up (setup) or ends (cleanup) the headless Wine the Windows tests run in: a fresh 64-bit
# prefix with the null display driver, and a persistent wineserver so each test starts quickly.
# Every daemon's output goes to /dev/null, or CTest would wait for it.
set -u
export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$2" in
  setup)
    wineserver -k </dev/null >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    wineserver -k </dev/null >/dev/null 2>&1
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    echo "Wine prefix ready at $WINEPREFIX"
    ;;
  cleanup)
    wineserver -k </dev/null >/dev/null 2>&1
    echo "Wine server ended"
    ;;
esac
