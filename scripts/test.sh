#!/usr/bin/env bash
# Builds and runs every test of both builds: the native build under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the win32 build under wine.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/deps.sh

# A compiler cache keyed on paths relative to the checkout, so that another clone or work tree of the
# same sources reuses the objects.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$repo CCACHE_NOHASHDIR=1 CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
fi

bash scripts/build-taglib-mingw.sh build/cache/taglib-mingw
bash scripts/build-sqlite-mingw.sh build/cache/sqlite-mingw

echo "== native build (ASan, UBSan)"
cmake -S . -B build/native -G Ninja -DQUENNET_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd build/native && ctest -j2 --output-on-failure --timeout 300)

# Each fuzzer briefly, from its committed seeds: a smoke run. Deeper runs: scripts/fuzz.sh 600.
echo "== fuzzers (libFuzzer, 5 s each)"
bash scripts/fuzz.sh 5

echo "== win32 build (wine)"
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32
# A test is run a second time only when its first run failed: wine itself (its Unix process) has been
# seen to die of SIGSEGV while a passed test's process exited. A fault of our code under wine is an exit
# code (5), not a signal, and a test that fails twice still fails the run.
bash scripts/wine-session.sh build/win32 bash -c 'cd build/win32 && ctest -j2 --output-on-failure --timeout 300 --repeat until-pass:2'
