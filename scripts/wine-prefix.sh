#!/usr/bin/env bash
# Creates the build's private 32-bit wine prefix (once) with the settings headless runs need:
# no crash dialog (a crash then exits with code 5 instead of starting a debugger that waits forever)
# and a virtual desktop (on bare Xvfb each DestroyWindow of a visible top-level window takes 2 s).
#   usage: scripts/wine-prefix.sh <prefix>
set -euo pipefail
export WINEPREFIX=$1 WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stamp=$WINEPREFIX/.quennet-prefix
[[ -f $stamp ]] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
