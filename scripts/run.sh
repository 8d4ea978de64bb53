#!/usr/bin/env bash
# The main job: builds the component and the stand-in player for Windows and opens the player on a music
# folder, or on a small demo library (build/demo/library, made on the first run) when none is given. A
# first run docks the component's panel for GENRE with the library scan on: select tracks and tick.
#   usage: scripts/run.sh [music folder]
# With an X display (DISPLAY set) the player opens there. Without one the same demo runs headless in Xvfb:
# a driver selects two tracks, ticks a value in the panel and applies it with real mouse and key input;
# the files' values are printed before and after, read back from disk with mutagen, and the pictures of
# each step are kept (their folder is printed). A given folder is then copied first: the demo writes tags.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build=build/win32

if (($# > 1)) || { (($# == 1)) && [[ ! -d $1 ]]; }; then
  echo "usage: scripts/run.sh [music folder]" >&2
  exit 2
fi

bash scripts/deps.sh
bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
bash scripts/build-sqlite-mingw.sh build/cache/sqlite-mingw
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target player quennet demo-driver

if [[ -n ${DISPLAY:-} ]]; then
  music=${1:-build/demo/library}
  [[ -d $music ]] || /usr/bin/python3 demo/make_library.py "$music"
  exec bash scripts/player.sh --no-build "$music"
fi

echo "no DISPLAY: the demo runs headless in Xvfb"
music=build/demo/library-headless
rm -rf "$music"
if (($# == 1)); then
  cp -r "$1" "$music"
else
  /usr/bin/python3 demo/make_library.py "$music"
fi
bash scripts/wine-session.sh "$build" bash demo/headless.sh "$build" build/demo/run "$music"
