#!/usr/bin/env bash
# Runs a command inside one X server with a warm, persistent wineserver for the build's prefix, so that
# each Windows process starts in a fraction of a second.
#   usage: scripts/wine-session.sh <build-dir> <command...>
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
shift
export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$here/wine-prefix.sh" "$WINEPREFIX"
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineserver -p
  wineboot </dev/null >/dev/null 2>&1
  "$@"
  rc=$?
  wineserver -k
  exit $rc' session "$@"
