#!/usr/bin/env bash
# Benchmarks of the native Release build; prints the figures and keeps them in bench/results/.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bash scripts/deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENNET_BENCH=ON -DQUENNET_TESTS=OFF >/dev/null
cmake --build build/bench
mkdir -p bench/results
for b in build/bench/bin/*_bench; do
  name=$(basename "$b")
  echo "== $name"
  "$b" --benchmark_counters_tabular=true | tee "bench/results/$name.txt"
done
