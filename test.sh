#!/usr/bin/env bash
# Builds Quorvane with its tests and runs every test through CTest; fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
