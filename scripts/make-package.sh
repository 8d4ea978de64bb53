#!/usr/bin/env bash
# Zips a win32 build's player as it installs (scripts/stage-player.sh) into one folder, varnel-player/,
# that runs on Windows as unpacked.
#   usage: scripts/make-package.sh <build-dir> <zip file>
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
zip=$(realpath -m "$2")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
bash "$here/stage-player.sh" "$build" "$stage/varnel-player"
rm -f "$zip"
mkdir -p "$(dirname "$zip")"
(cd "$stage" && /usr/bin/python3 -m zipfile -c "$zip" varnel-player)
