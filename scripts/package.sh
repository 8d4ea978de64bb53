#!/usr/bin/env bash
# The Windows package: builds the player and the component for Windows and zips them with the gcc runtime
# DLLs, the default layout and the component's help folder into build/package/varnel-player.zip. Unpacked,
# the folder varnel-player/ runs on Windows as it is (player.exe [music folder]); its configuration is
# kept beside player.exe.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bash scripts/deps.sh
bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 --target player quennet
bash scripts/make-package.sh build/win32 build/package/varnel-player.zip
echo "package: $repo/build/package/varnel-player.zip"
/usr/bin/python3 -m zipfile -l build/package/varnel-player.zip
