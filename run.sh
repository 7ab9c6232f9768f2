#!/usr/bin/env bash
# Builds Quorvane and starts it. The program and its data folder live in build/bin.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quorvane -j"$(nproc)"
exec ./build/bin/quorvane "$@"
