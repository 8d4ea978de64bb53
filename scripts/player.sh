#!/usr/bin/env bash
# Builds the stand-in player and the component for Windows and starts the player under wine on a music
# folder: its audio files go into the library and the playlist; "View > Varnel Panel" docks the panel.
#   usage: scripts/player.sh [music-folder] [more folders...]
# With an X display (DISPLAY set) the player opens there; without one it runs inside Xvfb, which is only
# useful to see that it starts (stop it with Ctrl+C). The component's settings and the docked panels are
# kept in player.cfg and layout.cfg beside player.exe. PLAYER_BUILD_DIR picks another build folder.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build=${PLAYER_BUILD_DIR:-build/win32}

for folder in "$@"; do
  [[ -d $folder ]] || { echo "no such folder: $folder" >&2; exit 2; }
done

bash scripts/deps.sh
bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
bash scripts/build-sqlite-mingw.sh build/cache/sqlite-mingw
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target player quennet

export WINEPREFIX=${WINEPREFIX:-$(cd "$build" && pwd)/wineprefix} WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
bash scripts/wine-prefix.sh "$WINEPREFIX"

# Wine names Unix folders through its Z: drive.
args=()
for folder in "$@"; do
  args+=("Z:$(cd "$folder" && pwd | tr / '\\')")
done

exe=$(cd "$build" && pwd)/bin/player.exe
if [[ -n ${DISPLAY:-} ]]; then
  exec wine "$exe" "${args[@]}"
fi
echo "no DISPLAY: running inside Xvfb"
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe" "${args[@]}"
