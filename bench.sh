#!/usr/bin/env bash
# Builds Quorvane's benchmark in release mode and runs it: logs of 10,000, 100,000 and 1,000,000 records,
# median of five runs, a table and then one JSON object. Exits non-zero when a target is missed.
# Options go to the benchmark: ./bench.sh --runs 7 --sizes 10000,100000,1000000
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target quorvane-bench -j2
exec ./build-release/bin/quorvane-bench "$@"
