#!/usr/bin/env bash
# Makes the help page's pictures (help/images/*.png) from the running program: the demo library, the
# player on its first run, and the demo driver selecting, ticking, applying and opening the menus and the
# Options dialog with real input, all inside Xvfb. Run it again when the panel or the player changes.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build=build/win32
bash scripts/deps.sh
bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target player quennet demo-driver

work=build/help-pictures
rm -rf "$work"
/usr/bin/python3 demo/make_library.py "$work/library"
bash scripts/wine-session.sh "$build" bash demo/headless.sh "$build" "$work/run" "$work/library" pictures
mkdir -p help/images
for name in states ticked panel-menu-pending applied panel-menu options track-menu; do
  convert "$work/run/pictures/$name.png" -strip -define png:compression-level=9 "help/images/$name.png"
done
ls -l help/images
