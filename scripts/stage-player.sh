#!/usr/bin/env bash
# Puts the player as it is installed into a folder: player.exe, quennet.dll, the gcc runtime DLLs they
# need, the default layout and the component's help folder, from a win32 build's bin folder. The folder
# runs on its own (on Windows, or under wine); its configuration is kept in it.
#   usage: scripts/stage-player.sh <build-dir> <folder>
set -euo pipefail
bin=$1/bin
dest=$2
files=(player.exe quennet.dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll default-layout.cfg)
for f in "${files[@]}"; do
  [[ -f $bin/$f ]] || { echo "missing from the build: $bin/$f" >&2; exit 1; }
done
[[ -f $bin/help/quennet_help.html ]] || { echo "missing from the build: $bin/help" >&2; exit 1; }
mkdir -p "$dest"
for f in "${files[@]}"; do cp "$bin/$f" "$dest/"; done
rm -rf "$dest/help"
cp -r "$bin/help" "$dest/help"
