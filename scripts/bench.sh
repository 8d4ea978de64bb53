#!/usr/bin/env bash
# Benchmarks: the native Release build, then the win32 build under wine. Prints the figures and keeps
# them in bench/results/.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bash scripts/deps.sh
mkdir -p bench/results

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENNET_BENCH=ON -DQUENNET_TESTS=OFF >/dev/null
cmake --build build/bench
for b in build/bench/bin/*_bench; do
  name=$(basename "$b")
  echo "== $name"
  "$b" --benchmark_counters_tabular=true | tee "bench/results/$name.txt"
done

bash scripts/build-benchmark-mingw.sh build/cache/benchmark-mingw
cmake -S . -B build/bench-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DQUENNET_BENCH=ON -DQUENNET_TESTS=OFF >/dev/null
cmake --build build/bench-win32 --target fill_bench_win32 tagwrite
echo "== fill_bench_win32 (wine)"
# msvcrt writes CR LF line ends to a pipe.
bash scripts/wine-session.sh build/bench-win32 wine build/bench-win32/bin/fill_bench_win32.exe \
  --benchmark_counters_tabular=true | tr -d '\r' | sed 's/^Running .*\\/Running /' | tee bench/results/fill_bench_win32.txt

echo "== the history of tag updates: recording and undo against the writer (native)"
bash scripts/bench-undo.sh 10000 3

echo "== tag writing: the player's writer against mutagen and metaflac (native and under wine)"
bash scripts/wine-session.sh build/bench-win32 bash scripts/bench-tags.sh 1000 3
