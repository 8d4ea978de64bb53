#!/usr/bin/env bash
# Runs a Windows program of the win32 build under wine, in the build's private 32-bit prefix.
# CMake uses this as the cross-compiling emulator, so ctest and test discovery go through it.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/win32/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
