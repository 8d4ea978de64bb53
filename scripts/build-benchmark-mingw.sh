#!/usr/bin/env bash
# Builds Google Benchmark for 32-bit Windows (i686 mingw-w64) from Debian's source package and installs
# it into a cache folder, for the benchmarks of the win32 build.
#   usage: scripts/build-benchmark-mingw.sh [cache-dir]   (default: build/cache/benchmark-mingw)
# Safe to run again: a finished cache is recognised by its stamp file, written last.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${1:-$repo/build/cache/benchmark-mingw}
mkdir -p "$(dirname "$cache")"
cache=$(cd "$(dirname "$cache")" && pwd)/$(basename "$cache")
stamp=$cache/.benchmark-mingw-stamp
version=1.7.1
if [[ -f $stamp ]] && grep -qx "benchmark=$version" "$stamp"; then
    exit 0
fi
export DEBIAN_FRONTEND=noninteractive

. "$repo/scripts/debian-source.sh"
work=$repo/build/tmp/benchmark-mingw
debian_source benchmark "$version" "$work"
cd "$work"
# Debian's patches concern its own packaging (versions from git, shared libraries, LTO): not needed.
dpkg-source --skip-patches -x "$dsc" src >/dev/null
cmake -S src -B obj -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DBENCHMARK_ENABLE_INSTALL=ON >/dev/null
cmake --build obj
rm -rf "$cache"
cmake --install obj >/dev/null

cd "$repo"
rm -rf "$work"
rmdir --ignore-fail-on-non-empty "$repo/build/tmp"
printf 'benchmark=%s\nsource=%s\n' "$version" "$srcver" > "$stamp"
echo "Google Benchmark $version for i686 mingw installed in $cache"
