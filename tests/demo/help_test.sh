#!/usr/bin/env bash
# Help as a user opens it: the player's Help menu and the panel's "Help" both hand the component's page
# (help/quennet_help.html beside quennet.dll) to the prefix's handler for .html, winebrowser, which passes
# it to the desktop's browser. A stand-in browser records what it was given.
#   usage: help_test.sh <build-dir> <work folder>
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$2
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }

/usr/bin/python3 "$repo/demo/make_library.py" "$work/library" >/dev/null || exit 1
bash "$repo/scripts/stage-player.sh" "$build" "$work/player" || exit 1
cat >"$work/browser" <<SCRIPT
#!/bin/sh
echo "\$1" >>"$work/opened"
SCRIPT
chmod +x "$work/browser"
key='HKCU\Software\Wine\WineBrowser'
wine reg add "$key" /v Browsers /d "$work/browser" /f >/dev/null 2>&1
trap 'wine reg delete "$key" /v Browsers /f >/dev/null 2>&1' EXIT

wine "$work/player/player.exe" "$(winpath "$work/library")" >"$work/player.log" 2>&1 &
player=$!
wine "$build/bin/demo-driver.exe" help
rc=$?
((rc == 0)) || kill "$player" 2>/dev/null
wait "$player"
((rc == 0)) || fail "the driver ended with $rc"
for _ in $(seq 50); do
  [[ $(wc -l <"$work/opened" 2>/dev/null) -ge 2 ]] && break
  sleep 0.2
done
echo "the browser was given:"
cat "$work/opened" 2>/dev/null
page="$work/player/help/quennet_help.html"
[[ $(grep -c "^file://$page\$" "$work/opened" 2>/dev/null) == 2 ]] || fail "the help page was not opened twice"
grep -q "<title>Varnel Panel help</title>" "$page" || fail "the page beside quennet.dll is not the component's help"
echo "help passed"
