#!/usr/bin/env bash
# The main job: builds the component and the stand-in player for Windows and runs the player's loader on
# quennet.dll, which prints what the component registered.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/deps.sh
bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
bash scripts/build-sqlite-mingw.sh build/cache/sqlite-mingw
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 --target loader quennet
bash scripts/wine-session.sh build/win32 wine build/win32/bin/loader.exe build/win32/bin/quennet.dll
