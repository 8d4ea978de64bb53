#!/usr/bin/env bash
# Builds a static TagLib 1.13 for 32-bit Windows (i686 mingw-w64, posix thread model)
# and installs it into a cache folder, so the win32 build can link it.
#   usage: scripts/build-taglib-mingw.sh [cache-dir]   (default: build/cache/taglib-mingw)
# Debian ships no mingw TagLib, so we cross build Debian's own 1.13 source package
# (the archive is the only reachable source). Safe to run again: a finished cache
# is recognised by its stamp file, written last, and the script then exits at once.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${1:-$repo/build/cache/taglib-mingw}
mkdir -p "$(dirname "$cache")"
cache=$(cd "$(dirname "$cache")" && pwd)/$(basename "$cache")
stamp=$cache/.taglib-mingw-stamp
version=1.13

if [[ -f $stamp ]] && grep -qx "taglib=$version" "$stamp"; then
    exit 0
fi

sysroot=/usr/i686-w64-mingw32
export DEBIAN_FRONTEND=noninteractive

# Install only what is missing; refresh the package lists only if that fails
# (an old list may name .debs the archive no longer has).
need=()
for pkg in dpkg-dev cmake ninja-build g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix \
           libz-mingw-w64-dev; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get install -y --no-install-recommends "${need[@]}" ||
        { apt-get update && apt-get install -y --no-install-recommends "${need[@]}"; }
fi

. "$repo/scripts/debian-source.sh"
work=$repo/build/tmp/taglib-mingw
debian_source taglib "$version" "$work"
cd "$work"

# Debian's first patch switches TagLib to the system utf8cpp header, which the cross
# compiler cannot see; the bundled copy is fine. Apply only the security fix(es).
# (dpkg-source may warn it cannot check the .dsc signature: no keyring installed; apt
# already verified the files against the signed archive index.)
dpkg-source --skip-patches -x "$dsc" src >/dev/null
for p in $(grep -i cve src/debian/patches/series); do
    patch -d src -p1 --forward < "src/debian/patches/$p"
done

# Reuse the project's toolchain file when present; otherwise say the same with -D options.
if [[ -f $repo/cmake/mingw-i686.cmake ]]; then
    toolchain=(-DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake")
else
    toolchain=(-DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=i686
               -DCMAKE_C_COMPILER=i686-w64-mingw32-gcc-posix
               -DCMAKE_CXX_COMPILER=i686-w64-mingw32-g++-posix
               -DCMAKE_RC_COMPILER=i686-w64-mingw32-windres
               -DCMAKE_FIND_ROOT_PATH=$sysroot
               -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER
               -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY
               -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY)
fi

# zlib (compressed ID3v2 frames) linked from the static libz.a, never the import
# library, so the finished plug-in does not depend on zlib1.dll.
cmake -S src -B obj -G Ninja "${toolchain[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE=-O2 -DCMAKE_CXX_FLAGS_RELEASE=-O2 \
    -DCMAKE_INSTALL_PREFIX="$cache" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_BINDINGS=OFF -DBUILD_TESTING=OFF -DBUILD_EXAMPLES=OFF \
    -DZLIB_INCLUDE_DIR=$sysroot/include -DZLIB_LIBRARY=$sysroot/lib/libz.a
cmake --build obj

rm -rf "$cache"
cmake --install obj
# Keep the cache self-contained (it may be restored where libz-mingw-w64-dev is absent).
cp $sysroot/lib/libz.a "$cache/lib/libz.a"

cd "$repo"
rm -rf "$work"
rmdir --ignore-fail-on-non-empty "$repo/build/tmp"
printf 'taglib=%s\nsource=%s\nzlib=static\n' "$version" "$srcver" > "$stamp"
echo "TagLib $version for i686 mingw installed in $cache"
