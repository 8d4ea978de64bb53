#!/usr/bin/env bash
# Installs what the builds and tests need from Debian's archive. Safe to run again: it installs only
# what is missing and refreshes the package lists only then.
set -euo pipefail

packages=(
  # win32 cross build
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  libz-mingw-w64-dev cmake ninja-build googletest dpkg-dev ccache
  # running windows programs headless
  wine wine32:i386 xvfb xauth
  # native build, sanitizers, fuzzing, benchmarks
  g++ clang libclang-rt-14-dev libbenchmark-dev
  # the tag writer built natively against Debian's TagLib
  libtag1-dev pkg-config
  # the player's databases (natively; the win32 build cross builds SQLite from its source package)
  libsqlite3-dev tcl
  # independent readers for the tag writer's round-trip test
  python3-mutagen sox libsox-fmt-mp3 flac opus-tools id3v2
  # the demo and the help's pictures (PNG), a CJK font for the wine prefix
  imagemagick fonts-wqy-microhei fonts-wine
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
