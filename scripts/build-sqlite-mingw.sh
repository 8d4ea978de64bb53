#!/usr/bin/env bash
# Builds a static SQLite 3.40 for 32-bit Windows (i686 mingw-w64) and installs it into a cache folder,
# so the win32 build can link it.
#   usage: scripts/build-sqlite-mingw.sh [cache-dir]   (default: build/cache/sqlite-mingw)
# Debian ships no mingw SQLite, so we make the single-file amalgamation from Debian's own source
# package (its patches applied, security fixes included) with the native tools, then compile that
# one file with the cross compiler. Safe to run again: a finished cache is recognised by its stamp
# file, written last, and the script then exits at once.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${1:-$repo/build/cache/sqlite-mingw}
mkdir -p "$(dirname "$cache")"
cache=$(cd "$(dirname "$cache")" && pwd)/$(basename "$cache")
stamp=$cache/.sqlite-mingw-stamp
version=3.40.1
# Threads may share the library (serialized mode); no extension loading; double-quoted strings are
# identifiers only; foreign keys are enforced.
# SQLITE_WIN32_NO_OVERLAPPED: positional reads and writes as a seek and a plain ReadFile/WriteFile on the
# connection's own handle; under wine every call that carries an OVERLAPPED offset is a round trip to the
# wine server (a page read or write each), these are not.
defines=(-DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DQS=0 -DSQLITE_DEFAULT_FOREIGN_KEYS=1
         -DSQLITE_WIN32_NO_OVERLAPPED)

if [[ -f $stamp ]] && grep -qx "sqlite=$version" "$stamp" && grep -qxF "defines=${defines[*]}" "$stamp"; then
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
need=()
for pkg in dpkg-dev gcc make tcl gcc-mingw-w64-i686-posix binutils-mingw-w64-i686; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get install -y --no-install-recommends "${need[@]}" ||
        { apt-get update && apt-get install -y --no-install-recommends "${need[@]}"; }
fi

. "$repo/scripts/debian-source.sh"
work=$repo/build/tmp/sqlite-mingw
debian_source sqlite3 "$version" "$work"
cd "$work"
# dpkg-source applies Debian's patch series (it may warn that it cannot check the signature: apt
# already verified the files against the signed archive index).
dpkg-source -x "$dsc" src >/dev/null
mkdir obj
(cd obj && ../src/configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
${CMAKE_C_COMPILER_LAUNCHER:-} i686-w64-mingw32-gcc-posix -O2 "${defines[@]}" -c obj/sqlite3.c -o obj/sqlite3.o
i686-w64-mingw32-ar rcs obj/libsqlite3.a obj/sqlite3.o

rm -rf "$cache"
mkdir -p "$cache/include" "$cache/lib"
cp obj/sqlite3.h obj/sqlite3ext.h "$cache/include/"
cp obj/libsqlite3.a "$cache/lib/"

cd "$repo"
rm -rf "$work"
rmdir --ignore-fail-on-non-empty "$repo/build/tmp"
printf 'sqlite=%s\nsource=%s\ndefines=%s\n' "$version" "$srcver" "${defines[*]}" > "$stamp"
echo "SQLite $version for i686 mingw installed in $cache"
